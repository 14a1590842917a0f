#include "mainwindow/FrmInitial.h"

#include "data/Database.h"

#include "data/JetFunctions.h"
#include "documents/DocumentIcons.h"
#include "documents/DocumentSql.h"
#include "mainwindow/Controls.h"
#include "pages/FrmHotBrowser.h"
#include "pages/LawPage.h"
#include "pages/Links.h"
#include "pages/PageBrowser.h"
#include "pages/SchedulePage.h"
#include "pages/TopicPage.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>

void FrmInitial::ShowTopicPage(QTreeWidgetItem* node)
{
    const Database::ReadTransaction reading(*m_state.gAdoConnection);
    const qint32 id = TreeView::Key(node).mid(1).toInt();
    gScheduleAbstract = 1;
    m_state.gLawNodeKind.clear();
    toggleNode(*tvwTree, node);

    const TopicPage page = BuildTopicPage(*m_state.gAdoConnection, id, m_state.gAppTitle);

    brwWebBrowser2->Navigate(PageBrowser::kBlank);
    brwWebBrowser2->setVisible(true);
    brwWebBrowserLawFile->setVisible(false);
    rtbWordLawTopic->setVisible(false);

    switch (page.outcome) {
    case TopicPage::Outcome::NoAbstracts:
        // Nothing is shown, so no law and no abstract remain current.
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        gAbstract = 0;
        m_state.gLawId = 0;
        m_state.gLawIdThemata = 0;
        return;
    case TopicPage::Outcome::FirstAbstractNull:
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        gAbstract = 0;
        return;
    case TopicPage::Outcome::Built:
        break;
    }
    gAbstract = 1;
    brwWebBrowser1->SetBodyHtml(page.html);
    m_state.gLawId = 0;
    m_state.gLawIdThemata = 0;
    set_style(*brwWebBrowser1);
}

void FrmInitial::ShowPageHtml(PageBrowser& target)
{
    if (m_state.gPageHtml.isEmpty())
        return;
    m_state.gPageHtml = RewriteImageSources(m_state.gPageHtml, m_state.gAppPath);
    target.SetBodyHtml(m_state.gPageHtml);
    set_style(target);
}

void FrmInitial::set_style(PageBrowser& my_browser)
{
    my_browser.ApplyPageStyle();
}

void FrmInitial::navigate_to_hotbrowser(const QString& brwname, bool HotBrowser)
{
    const Database::ReadTransaction reading(*m_state.gAdoConnection);
    m_platform.setHourglass(true);
    ignoringErrors([this] {
        for (RichTextBox* box : {rtbWordLawTopic, rtbWordLaw}) {
            box->setVisible(false);
            box->setEnabled(false);
        }
        brwWebBrowserLawFile->setVisible(false);
    });
    // The viewer's document views would otherwise cover its next page.
    if (FrmHotBrowser* viewer = m_program.frmhotbrowser(); HotBrowser && viewer && !viewer->unloaded())
        ignoringErrors([viewer] { viewer->ShowPageView(); });
    ignoringErrors([this] {
        const QString c = SSTab1->Caption();
        if (c == kTopics)
            brwWebBrowser2->setVisible(true);
        else if (c == kLegislation || c == kHistory)
            brwWebBrowser3->setVisible(true);
    });
    const bool fromHistory = brwname != QLatin1String("not_history");
    const qint32 lawId = fromHistory ? historyLawId() : m_state.gLawId;
    Database& db = *m_state.gAdoConnection;

    QString page;
    // A type node names a type, not a law: it has no page and no topics.
    const bool typeNode = !fromHistory && m_state.gLawNodeKind == QLatin1String("p");
    if (!typeNode) {
        const LawPage built = BuildLawPage(db, m_sqlTools, LawQueries(), lawId, fromHistory);
        if (built.documentId)
            ShowLawFile(built.documentId, fromHistory ? false : HotBrowser);
        page = built.html;
    }
    m_state.gPageHtml = page;

    if (!typeNode) {
        QList<RelatedTopic> topics;
        for (int i = 0; i < cmbLawsAbstracts->count(); ++i)
            topics.append({cmbLawsAbstracts->itemText(i), cmbLawsAbstracts->itemData(i).toInt()});
        const qsizetype listed = topics.size();
        AppendRelatedTopics(db, lawId, fromHistory, topics);
        for (qsizetype i = listed; i < topics.size(); ++i)
            cmbLawsAbstracts->addItem(topics[i].descr, topics[i].topicId);
    }

    ProgressBar1->UpdateStatus(1.0, true);
    PlaceAtBottom(ProgressBar1, client->rect(), false);
    m_platform.setHourglass(false);
    if (cmbLawsAbstracts->count() >= 1)
        cmbLawsAbstracts->setCurrentIndex(0);
}

void FrmInitial::navigate_to_hotbrowserSchedule(const QString& brwname)
{
    const Database::ReadTransaction reading(*m_state.gAdoConnection);
    ignoringErrors([this] {
        rtbWord->setVisible(false);
        rtbWord->setEnabled(false);
        // The page view that an rtf template hid must come back for the next
        // template, or it would show nothing.
        if (wIsSchedule)
            brwWebBrowser2->setVisible(true);
    });
    const qint32 id = brwname == QLatin1String("not_history") ? m_state.gLawId : historyLawId();
    if (m_state.gLawNodeKind == QLatin1String("p")) {
        m_state.gPageHtml.clear();
        return;
    }
    const LawPage built = BuildLawPage(*m_state.gAdoConnection, m_sqlTools, TemplateQueries(), id, false);
    QString page = built.html;
    if (built.assembled && Jet::Trim(built.body).isEmpty() && built.lastGroupId > 0) {
        page.clear();
        ShowScheduleFile(built.lastGroupId, page);
    }
    if (built.hasRecord)
        lblDocument->setText(built.recordTitle);
    m_state.gPageHtml = page;
}

void FrmInitial::PlaceAtBottom(QWidget* control, const QRect& reference, bool visible)
{
    control->setGeometry(reference.left(), reference.top() + reference.height() - control->height(),
                         reference.width(), control->height());
    control->setVisible(visible);
}

void FrmInitial::showScheduleNode(int index, QTreeWidgetItem* node)
{
    const Database::ReadTransaction reading(*m_state.gAdoConnection);
    const bool first = index == 0;
    const qint32 id = TreeView::Key(node).mid(1).toInt();
    m_state.gLawNodeKind.clear();
    toggleNode(*tvwTreeschedule[index], node);
    ignoringErrors([this] {
        rtbWord->setVisible(false);
        rtbWord->setEnabled(false);
        rtbAbstract->setVisible(false);
        rtbAbstract->setEnabled(false);
    });
    cmdpicprintabstr->setVisible(true);
    if (first) {
        gDocumentType.clear();
        ignoringErrors([this] { cmdpicWordlaw->setIcon(imListDocuments->picture(DocumentImageIndex(QStringLiteral("0")))); });
    }

    const ScheduleNodePage page = BuildScheduleNodePage(*m_state.gAdoConnection, id);
    brwWebBrowser2->Navigate(PageBrowser::kBlank);
    switch (page.outcome) {
    case ScheduleNodePage::Outcome::NoAbstracts:
        // After an entry that was a document the pages must come back.
        brwWebBrowser1->setVisible(true);
        brwWebBrowser2->setVisible(true);
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        break;
    case ScheduleNodePage::Outcome::StoredDocument:
        brwWebBrowser1->setVisible(false);
        brwWebBrowser2->setVisible(false);
        if (const QString path = SaveBlobBodyFile(DocumentSql::ScheduleAbstractDocument(page.documentAbstractId));
            !path.isEmpty()) {
            cmdpicprintabstr->setVisible(false);
            ignoringErrors([this, &path] {
                rtbAbstract->setEnabled(true);
                rtbAbstract->LoadFile(path);
                rtbAbstract->setVisible(true);
            });
        }
        return;
    case ScheduleNodePage::Outcome::FirstAbstractNull:
        brwWebBrowser1->setVisible(true);
        brwWebBrowser2->setVisible(true);
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        gScheduleAbstract = 0;
        return;
    case ScheduleNodePage::Outcome::Built:
        brwWebBrowser1->setVisible(true);
        brwWebBrowser2->setVisible(true);
        gScheduleAbstract = 1;
        break;
    }
    brwWebBrowser1->SetBodyHtml(page.html);
    if (first) {
        m_state.gLawId = 0;
        m_state.gLawIdThemata = 0;
    }
    set_style(*brwWebBrowser1);
}

void FrmInitial::brwWebBrowser1_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    const std::optional<qint32> id = LinkId(URL);
    if (!id)
        return;
    Cancel = true;
    m_state.gLawId = *id;
    m_state.gLawIdThemata = *id;
    if (wIsSchedule)
        navigate_to_hotbrowserSchedule(QStringLiteral("not_history"));
    else
        navigate_to_hotbrowser(QStringLiteral("not_history"), false);
    ShowPageHtml(*brwWebBrowser2);
}

void FrmInitial::brwLawPage_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    const std::optional<qint32> id = LinkId(URL);
    if (!id)
        return;
    m_state.gLawId = *id;
    m_state.gLawIdHotBrowser = *id;
    Cancel = true;
    m_program.unloadFrmHotBrowser();
    if (wIsSchedule)
        navigate_to_hotbrowserSchedule(QStringLiteral("not_history"));
    else
        navigate_to_hotbrowser(QStringLiteral("not_history"), true);
    m_program.showFrmHotBrowser();
}

void FrmInitial::brwWebBrowser3_GotFocus()
{
    m_state.gMainActive = 1;
}

void FrmInitial::brwWebBrowserLawFile_NavigateComplete2()
{
    set_style(*brwWebBrowserLawFile);
}
