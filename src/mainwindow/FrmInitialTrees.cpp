#include "mainwindow/FrmInitial.h"

#include "documents/DocumentIcons.h"
#include "mainwindow/Controls.h"
#include "mainwindow/LawTreeFill.h"
#include "pages/Links.h"
#include "pages/PageBrowser.h"
#include "startup/Program.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

void FrmInitial::AddTopicRootNodes(const QList<qint32>& found, int foundCount, bool expandFlag,
                                   const QList<qint32>& expand, int expandLast, bool fullMode)
{
    FillHierarchyLazily(*m_state.gAdoConnection, *tvwTree, TopicHierarchy(),
                        {found, foundCount, expandFlag, expand, expandLast}, fullMode);
}

void FrmInitial::AddChildrenNodes(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                                  const QList<qint32>& init_topid, int l_count_initid)
{
    QSet<qint32> ancestors{ParentId};
    AddHierarchyChildren(*m_state.gAdoConnection, *tvwTree, TopicHierarchy(), ParentId,
                         {init_topid, l_count_initid, false, a, l_count}, l_init_tree, ancestors);
}

void FrmInitial::showKeepingOpenState(const std::function<void()>& show)
{
    const bool was = m_keepOpenState;
    m_keepOpenState = true;
    show();
    m_keepOpenState = was;
}

namespace {

// The four arrows, as the key codes the handlers receive.
bool IsArrow(int code)
{
    return code >= 37 && code <= 40;
}

} // namespace

void FrmInitial::toggleNode(TreeView& tree, QTreeWidgetItem* node)
{
    if (node->childCount() == 0 || m_keepOpenState)
        return;
    if (TreeView::Image(node) == QLatin1String("open")) {
        tree.SetImage(node, QStringLiteral("closed"));
        node->setExpanded(false);
    } else {
        tree.SetImage(node, QStringLiteral("open"));
        node->setExpanded(true);
    }
}

void FrmInitial::tvwTree_Click()
{
    QTreeWidgetItem* node = tvwTree->SelectedItem();
    if (!node) {
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        brwWebBrowser2->setVisible(true);
        brwWebBrowser2->Navigate(PageBrowser::kBlank);
        brwWebBrowserLawFile->setVisible(false);
        rtbWordLawTopic->setVisible(false);
        return;
    }
    ShowTopicPage(node);
}

void FrmInitial::tvwTree_KeyDown(int KeyCode)
{
    if (IsArrow(KeyCode))
        showKeepingOpenState([this] { tvwTree_Click(); });
}

void FrmInitial::tvwTree_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        tvwTree_Click();
}

void FrmInitial::tvwTree_MouseUp(const QPoint& position)
{
    if (!tvwTree->HitTest(position))
        tvwTree->SetSelectedItem(nullptr);
}

void FrmInitial::AddlawTypeNodes(const QList<qint32>& foundLaws, int foundLawCount, const QList<qint32>& foundTypes,
                                 int foundTypeCount, bool fullMode)
{
    AddLawTypeLevelLazily(*m_state.gAdoConnection, m_sqlTools, *tvwTreelaw, foundLaws, foundLawCount, foundTypes,
                          foundTypeCount, fullMode);
}

void FrmInitial::AddlawChildrenNodes(qint32 ParentId, const QList<qint32>&, int, bool l_init_tree,
                                     const QList<qint32>& init_topid, int l_count_initid)
{
    AddLawLevel(*m_state.gAdoConnection, m_sqlTools, *tvwTreelaw, ParentId, l_init_tree, init_topid, l_count_initid);
}

void FrmInitial::ShowLawNode(QTreeWidgetItem* node)
{
    cmbLawsAbstracts->clear();
    const QString key = TreeView::Key(node);
    const qint32 id = key.mid(1).toInt();
    toggleNode(*tvwTreelaw, node);
    m_state.gLawId = id;
    m_state.gLawNodeKind = key.startsWith(u'p') ? QStringLiteral("p") : QString();
    // A type folder leaves the law on screen as it was: that law stays the
    // tab's, for the history button and the tab's return.
    if (m_state.gLawNodeKind.isEmpty())
        m_state.gLawIdNomoi = id;
    if (wIsSchedule)
        navigate_to_hotbrowserSchedule(QStringLiteral("not_history"));
    else
        navigate_to_hotbrowser(QStringLiteral("not_history"), false);
    if (!m_state.gPageHtml.isEmpty()) {
        m_state.gPageHtml = RewriteImageSources(m_state.gPageHtml, m_state.gAppPath);
        brwWebBrowser3->SetBodyHtml(m_state.gPageHtml);
    }
    if (!brwWebBrowser3->BodyHtml().isEmpty())
        set_style(*brwWebBrowser3);
}

void FrmInitial::tvwTreelaw_Click()
{
    cmbLawsAbstracts->clear();
    if (QTreeWidgetItem* node = tvwTreelaw->SelectedItem()) {
        ShowLawNode(node);
        return;
    }
    brwWebBrowser3->setVisible(true);
    brwWebBrowser3->Navigate(PageBrowser::kBlank);
    brwWebBrowserLawFile->setVisible(false);
    rtbWordLaw->setVisible(false);
}

void FrmInitial::tvwTreelaw_DblClick()
{
    cmbLawsAbstracts->clear();
}

void FrmInitial::tvwTreelaw_KeyDown(int KeyCode)
{
    if (IsArrow(KeyCode))
        showKeepingOpenState([this] { tvwTreelaw_Click(); });
}

void FrmInitial::tvwTreelaw_MouseUp(const QPoint& position)
{
    if (!tvwTreelaw->HitTest(position))
        tvwTreelaw->SetSelectedItem(nullptr);
}

void FrmInitial::addScheduleRootNodes(int index, const SearchMarks& marks, bool fullMode)
{
    FillHierarchyLazily(*m_state.gAdoConnection, *tvwTreeschedule[index], ScheduleHierarchy(), marks, fullMode);
}

void FrmInitial::addScheduleChildren(int index, qint32 parentId, const SearchMarks& marks, bool fullMode)
{
    QSet<qint32> ancestors{parentId};
    AddHierarchyChildren(*m_state.gAdoConnection, *tvwTreeschedule[index], ScheduleHierarchy(), parentId, marks,
                         fullMode, ancestors);
}

void FrmInitial::AddScheduleRootNodes_P(const QList<qint32>& found, int foundCount, bool ancestorsFound,
                                        const QList<qint32>& ancestors, int lastAncestor, bool fullMode)
{
    addScheduleRootNodes(0, {found, foundCount, ancestorsFound, ancestors, lastAncestor}, fullMode);
}

void FrmInitial::AddScheduleRootNodes_N(const QList<qint32>& found, int foundCount, bool ancestorsFound,
                                        const QList<qint32>& ancestors, int lastAncestor, bool fullMode)
{
    addScheduleRootNodes(1, {found, foundCount, ancestorsFound, ancestors, lastAncestor}, fullMode);
}

void FrmInitial::AddChildrenNodesSchedule_P(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                                            const QList<qint32>& init_topid, int l_count_initid)
{
    addScheduleChildren(0, ParentId, {init_topid, l_count_initid, false, a, l_count}, l_init_tree);
}

void FrmInitial::AddChildrenNodesSchedule_N(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                                            const QList<qint32>& init_topid, int l_count_initid)
{
    addScheduleChildren(1, ParentId, {init_topid, l_count_initid, false, a, l_count}, l_init_tree);
}

void FrmInitial::tvwTreeschedule_Click(int Index)
{
    if (QTreeWidgetItem* node = tvwTreeschedule[Index]->SelectedItem()) {
        if (Index == 0)
            ShowScheduleNode_P(node);
        else
            ShowScheduleNode_N(node);
    } else {
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        brwWebBrowser2->Navigate(PageBrowser::kBlank);
        rtbWord->setPlainText(QString());
        rtbAbstract->setVisible(false);
        cmdpicWordlaw->setIcon(imListDocuments->picture(DocumentImageIndex(QStringLiteral("0"))));
    }
    lblDocument->setText(QString());
}

void FrmInitial::tvwTreeschedule_KeyDown(int Index, int KeyCode, int)
{
    if (IsArrow(KeyCode))
        showKeepingOpenState([this, Index] { tvwTreeschedule_Click(Index); });
}

void FrmInitial::tvwTreeschedule_MouseUp(int Index, const QPoint& position)
{
    if (!tvwTreeschedule[Index]->HitTest(position))
        tvwTreeschedule[Index]->SetSelectedItem(nullptr);
}

void FrmInitial::ShowScheduleNode_P(QTreeWidgetItem* node)
{
    showScheduleNode(0, node);
}

void FrmInitial::ShowScheduleNode_N(QTreeWidgetItem* node)
{
    showScheduleNode(1, node);
}

void FrmInitial::cmbLawsAbstracts_Click(int index)
{
    const QVariant topic = cmbLawsAbstracts->itemData(index);
    if (!topic.isValid())
        return;
    QTreeWidgetItem* node = tvwTree->Node(QStringLiteral("l") + QString::number(topic.toInt()));
    if (!node)
        return;
    for (int i = 0; i < SSTab1->count(); ++i)
        if (SSTab1->TabVisible(i) && SSTab1->TabCaption(i) == kTopics)
            SSTab1->setTab(i);
    for (QTreeWidgetItem* up = node->parent(); up; up = up->parent())
        up->setExpanded(true);
    // The click that shows the topic opens a closed branch; a branch open
    // already must not close.
    if (node->childCount() > 0 && node->isExpanded())
        node->setExpanded(false);
    tvwTree->SetSelectedItem(node);
    tvwTree->scrollToItem(node);
    tvwTree_Click();
    tvwTree->setFocus();
}

void FrmInitial::scheduleTreeFill()
{
    if (m_treeFillQueued || !m_platform.runsBackgroundWork())
        return;
    m_treeFillQueued = true;
    // Zero: once the events waiting have been answered.
    QTimer::singleShot(0, this, [this] {
        m_treeFillQueued = false;
        fillTreesStep();
    });
}

void FrmInitial::fillTreesStep()
{
    // Under the 10 ms a step may take, for the unit of work that runs over.
    const QDeadlineTimer until(6);
    bool more = false;
    {
        const Database::ReadTransaction reading(*m_state.gAdoConnection);
        for (TreeView* tree : {tvwTree, tvwTreelaw, tvwTreeschedule[0], tvwTreeschedule[1]}) {
            if (!tree->HasPending())
                continue;
            more = until.hasExpired() || tree->FillStep(until) || more;
        }
    }
    if (more)
        scheduleTreeFill();
}
