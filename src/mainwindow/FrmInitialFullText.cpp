#include "mainwindow/FrmInitial.h"

#include "fulltext/FrmFullText.h"
#include "fulltext/FullTextService.h"
#include "mainwindow/Controls.h"
#include "pages/FrmHotBrowser.h"
#include "pages/PageBrowser.h"
#include "pages/ReadingTools.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

// The view of a page or document that shows, of those given.
ReadingTools* Shown(std::initializer_list<QTextEdit*> views)
{
    for (QTextEdit* view : views) {
        if (!view || view->isHidden())
            continue;
        if (auto* page = qobject_cast<PageBrowser*>(view))
            return &page->Tools();
        if (auto* text = qobject_cast<RichTextBox*>(view))
            return &text->Tools();
    }
    return nullptr;
}

} // namespace

void FrmInitial::startFullTextIndex()
{
    FullText::Service& service = m_program.fullText();
    // The label is shared with the searches' counts: once the index is
    // ready, what it wrote gives way to the last search's count again.
    const auto show = [this, &service] {
        switch (service.state()) {
        case FullText::Service::State::Building:
            lblFullText->setText(QStringLiteral("Ευρετήριο κειμένων: %1 %").arg(service.percent()));
            lblFullText->setProperty("indexSays", true);
            break;
        case FullText::Service::State::Failed:
            lblFullText->setText(QStringLiteral("Η αναζήτηση στα κείμενα δεν είναι διαθέσιμη."));
            lblFullText->setProperty("indexSays", true);
            break;
        default:
            if (lblFullText->property("indexSays").toBool())
                lblFullText->setText(lblFullText->property("searchSays").toString());
            lblFullText->setProperty("indexSays", false);
        }
    };
    connect(&service, &FullText::Service::progress, lblFullText, show);
    connect(&service, &FullText::Service::stateChanged, lblFullText, show);
    service.start();
}

void FrmInitial::scheduleFullTextIndex()
{
    // After the window has shown itself and answered its first events.
    if (m_platform.runsBackgroundWork())
        QTimer::singleShot(400, this, [this] { guarded([this] { startFullTextIndex(); }); });
}

void FrmInitial::OpenFullTextWindow(const QString& text)
{
    FrmFullText& window = m_program.loadFrmFullText();
    if (m_program.fullText().state() == FullText::Service::State::NotStarted)
        startFullTextIndex();
    window.ShowModeless();
    if (!text.isEmpty())
        window.setQuery(text);
    else
        window.txtFullText->setFocus();
}

QWidget* FrmInitial::OpenFullTextHit(const FullText::Hit& hit, const QString& shown, const QStringList& forms)
{
    QWidget* window = this;
    const auto selectTab = [this](const QString& caption) {
        for (int i = 0; i < SSTab1->count(); ++i)
            if (SSTab1->TabVisible(i) && SSTab1->TabCaption(i) == caption && SSTab1->Tab() != i)
                SSTab1->setTab(i);
    };
    const auto select = [](TreeView& tree, QTreeWidgetItem* node) {
        for (QTreeWidgetItem* up = node->parent(); up; up = up->parent())
            up->setExpanded(true);
        tree.SetSelectedItem(node);
        tree.scrollToItem(node);
    };
    ReadingTools* tools = nullptr;
    switch (static_cast<FullText::DocKind>(hit.kind)) {
    case FullText::DocKind::Law:
        if (QTreeWidgetItem* node = tvwTreelaw->Node(QStringLiteral("c") + QString::number(hit.lawId))) {
            selectTab(kLegislation);
            select(*tvwTreelaw, node);
            tvwTreelaw_Click();
            tools = Shown({rtbWordLaw, brwWebBrowserLawFile, brwWebBrowser3});
        } else {
            // A law the tree does not list opens in the law viewer.
            m_state.gLawId = static_cast<qint32>(hit.lawId);
            m_state.gLawIdHotBrowser = m_state.gLawId;
            m_program.unloadFrmHotBrowser();
            navigate_to_hotbrowser(QStringLiteral("not_history"), true);
            FrmHotBrowser& viewer = m_program.showFrmHotBrowser();
            window = &viewer;
            tools = Shown({viewer.rtbhotBrowser, viewer.brwFilehotbrowser, viewer.brwhotbrowser});
        }
        break;
    case FullText::DocKind::Topic:
        if (QTreeWidgetItem* node = tvwTree->Node(QStringLiteral("l") + QString::number(hit.id))) {
            selectTab(kTopics);
            select(*tvwTree, node);
            tvwTree_Click();
            tools = Shown({brwWebBrowser1});
        }
        break;
    case FullText::DocKind::Guide:
    case FullText::DocKind::Template: {
        const bool entry = static_cast<FullText::DocKind>(hit.kind) == FullText::DocKind::Guide;
        TreeView& tree = *tvwTreeschedule[0];
        if (QTreeWidgetItem* node = tree.Node(QStringLiteral("l") + QString::number(entry ? hit.id : hit.opensIn))) {
            selectTab(kDocumentGuide);
            select(tree, node);
            tvwTreeschedule_Click(0);
            if (entry) {
                tools = Shown({rtbAbstract, brwWebBrowser1});
            } else {
                // As the entry's link to the template would.
                emit brwWebBrowser1->anchorClicked(QUrl(QStringLiteral("#") + QString::number(hit.id)));
                tools = Shown({rtbWord, brwWebBrowser2});
            }
        }
        break;
    }
    }
    if (tools)
        tools->openFindOn(shown, forms, hit.article);
    return window;
}
