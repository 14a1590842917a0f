#include "mainwindow/FrmInitial.h"

#include "data/Database.h"

#include "data/JetFunctions.h"
#include "data/TextFolding.h"
#include "mainwindow/Controls.h"
#include "mainwindow/Search.h"
#include "mainwindow/SearchSql.h"
#include "pages/PageBrowser.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>

void FrmInitial::wireSearchBox(QLineEdit* box, int buttonIndex)
{
    box->setProperty("searchButton", buttonIndex);
    box->installEventFilter(this);
    connect(box, &QLineEdit::returnPressed, this, [this] {
        if (m_defaultSearch)
            m_defaultSearch->click();
    });
}

bool FrmInitial::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && watched->property("historyTips").toBool()) {
        // A kept law's number and title, read when the pointer rests on it.
        auto* help = static_cast<QHelpEvent*>(event);
        const QListWidgetItem* entry = lsthistory->itemAt(help->pos());
        QString tip;
        if (entry) {
            Recordset rs = m_state.gAdoConnection->execute(QStringLiteral("SELECT law_code, title FROM law WHERE law_id = ")
                                                          + QString::number(entry->data(Qt::UserRole).toInt()));
            tip = rs.eof() ? entry->text() : rs.text(u"law_code") + QStringLiteral(" — ") + PlainTitle(rs.text(u"title"));
        }
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, lsthistory->viewport(), lsthistory->visualItemRect(entry));
        return true;
    }
    const QVariant button = watched->property("searchButton");
    if (button.isValid() && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        QPushButton* b = cmdsearch[button.toInt()];
        if (event->type() == QEvent::FocusIn) {
            m_defaultSearch = b;
            b->setDefault(true);
        } else if (m_defaultSearch == b) {
            m_defaultSearch = nullptr;
            b->setDefault(false);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmInitial::cmdsearch_Click(int Index)
{
    const Database::ReadTransaction reading(*m_state.gAdoConnection);
    m_platform.setHourglass(true);
    struct Default {
        FrmInitial& w;
        ~Default()
        {
            w.m_platform.setHourglass(false);
            // A rebuilt tree reads the rest of its branches in idle time.
            w.scheduleTreeFill();
        }
    } pointerBack{*this};

    auto blank = [](std::initializer_list<PageBrowser*> pages) {
        for (PageBrowser* b : pages)
            b->Navigate(PageBrowser::kBlank);
    };
    auto emptied = [](TreeView* tree) {
        if (!tree->Empty() || tree->topLevelItemCount() > 0)
            tree->Clear();
    };
    for (int i = 0; i < 2; ++i) {
        // Index 0 of the schedule trees is the _P tree, 1 the _N tree.
        const bool current = i == 0 ? gOnTabOrganogramma_P : gOnTabOrganogramma_N;
        if (Index != 0 || !current)
            continue;
        const QString text = Jet::Trim(txtsearchSchedule[i]->text());
        emptied(tvwTreeschedule[i]);
        blank({brwWebBrowser3, brwWebBrowser1, brwWebBrowser2});
        if (text.isEmpty())
            addScheduleRootNodes(i, {}, true);
        else
            scheduleSearch(i, text);
    }
    if (Index == 0 && gOnTabThemata) {
        const QString text = Jet::Trim(txtsearch[0]->text());
        blank({brwWebBrowser1, brwWebBrowser2});
        TreeView_with_search_titles(text);
    }
    if (Index == 1 && gOnTabThemata) {
        const QString text = Jet::Trim(txtsearch[1]->text());
        emptied(tvwTree);
        blank({brwWebBrowser1, brwWebBrowser2});
        if (text.isEmpty())
            AddTopicRootNodes({}, 0, false, {}, 0, true);
        else
            TreeView_with_search(text, true);
    }
    if (gOnTabNomoi && (Index == 0 || Index == 1)) {
        // Button 0 searches the titles, button 1 the keywords.
        const QString text = Jet::Trim(txtsearchlaw[Index]->text());
        emptied(tvwTreelaw);
        blank({brwWebBrowser3});
        if (text.isEmpty())
            AddlawTypeNodes({}, 0, {}, 0, true);
        else
            TreeView_with_law_search(text, Index == 1);
    }
    // The first hit is brought into view; the reader should not have to
    // scroll to find what the search marked.
    for (TreeView* tree : {tvwTree, tvwTreelaw, tvwTreeschedule[0], tvwTreeschedule[1]})
        if (tree->isVisible())
            tree->ScrollToFirstFound();
    showSearchCount();
}

void FrmInitial::showSearchCount(bool overIndex)
{
    // Said on the status line, not in a box: the search's own flow stays.
    const QString searched = gOnTabThemata ? txtsearch[0]->text() + txtsearch[1]->text()
        : gOnTabNomoi                      ? txtsearchlaw[0]->text() + txtsearchlaw[1]->text()
        : gOnTabOrganogramma_P             ? txtsearchSchedule[0]->text()
        : gOnTabOrganogramma_N             ? txtsearchSchedule[1]->text()
                                           : QString();
    TreeView* tree = gOnTabThemata ? tvwTree : gOnTabNomoi ? tvwTreelaw : gOnTabOrganogramma_N ? tvwTreeschedule[1]
                                                                                              : tvwTreeschedule[0];
    const int found = Jet::Trim(searched).isEmpty() ? -1 : tree->FoundCount();
    const QString said = found < 0    ? QString()
                         : found == 0 ? QStringLiteral("Δεν βρέθηκε κανένα αποτέλεσμα")
                         : found == 1 ? QStringLiteral("Βρέθηκε 1 αποτέλεσμα")
                                      : QStringLiteral("Βρέθηκαν %1 αποτελέσματα").arg(found);
    // Kept for the text index, which shares the label and gives it back.
    lblFullText->setProperty("searchSays", said);
    if (!overIndex && lblFullText->property("indexSays").toBool())
        return;
    lblFullText->setProperty("indexSays", false);
    lblFullText->setText(said);
}

void FrmInitial::TreeView_with_search(const QString& l_text, bool pKeyWords)
{
    m_platform.setHourglass(true);
    static const SearchCriteria criteria;
    const QString cond = pKeyWords
        ? criteria.BuildSearchCondition(QStringLiteral("KEYS.descr"), FoldSearchText(l_text), 5, 0, 0, 0, QString()).trimmed()
        : criteria.BuildSearchCondition(QStringLiteral("ucase(topic.descr)"), Jet::UCase(l_text), 5, 0, 0, 0, QString()).trimmed();
    const QString query = pKeyWords ? SearchSql::TopicKeywords(cond) : SearchSql::TopicTitles(cond);
    const SearchMarks marks = CollectHierarchyHits(*m_state.gAdoConnection, query, u"topic_id", u"topic_id_parent",
                                                   &SearchSql::TopicAncestor);
    AddTopicRootNodes(marks.found, marks.foundCount, marks.expandTopLevel, marks.expand, marks.expandLast, false);
    m_platform.setHourglass(false);
}

void FrmInitial::TreeView_with_search_titles(const QString& l_text)
{
    m_platform.setHourglass(true);
    MarkMatchingTitles(*tvwTree, l_text);
    m_platform.setHourglass(false);
}

void FrmInitial::TreeView_with_law_search(const QString& l_text, bool pKeyWords)
{
    static const SearchCriteria criteria;
    const QString cond = pKeyWords
        ? criteria.BuildSearchCondition(QStringLiteral("KEYS.descr"), FoldSearchText(l_text), 5, 0, 0, 0, QString()).trimmed()
        : criteria.BuildSearchCondition(QStringLiteral("law.title"), l_text, 5, 0, 0, 0, QString()).trimmed();
    LawHits hits = CollectLawHits(*m_state.gAdoConnection,
                                  pKeyWords ? SearchSql::LawKeywords(cond) : SearchSql::LawTitles(cond));
    if (!pKeyWords) {
        // Readers look a law up by its number as often as by its title.
        const QString number =
            criteria.BuildSearchCondition(QStringLiteral("law.law_code"), l_text, 5, 0, 0, 0, QString()).trimmed();
        MergeLawHits(hits, CollectLawHits(*m_state.gAdoConnection, SearchSql::LawNumbers(number)));
    }
    AddlawTypeNodes(hits.laws, static_cast<int>(hits.laws.size()), hits.types, static_cast<int>(hits.types.size()), false);
}

void FrmInitial::scheduleSearch(int index, const QString& l_text)
{
    static const SearchCriteria criteria;
    const QString cond = criteria.BuildSearchCondition(QStringLiteral("Schedule.descr"), l_text, 5, 0, 0, 0, QString()).trimmed();
    const SearchMarks marks = CollectHierarchyHits(*m_state.gAdoConnection, SearchSql::Schedule(cond), u"Schedule_id",
                                                   u"Schedule_id_parent", &SearchSql::ScheduleAncestor);
    addScheduleRootNodes(index, marks, false);
}

void FrmInitial::TreeView_with_Schedule_search_P(const QString& l_text)
{
    scheduleSearch(0, l_text);
}

void FrmInitial::TreeView_with_Schedule_search_N(const QString& l_text)
{
    scheduleSearch(1, l_text);
}
