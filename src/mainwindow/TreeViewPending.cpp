// The children a tree has not read yet: read when they are to be seen or
// looked up, and otherwise in idle time.
#include "mainwindow/Controls.h"

void TreeView::SetPending(QTreeWidgetItem* node, Work work)
{
    m_pending.insert(node, std::move(work));
    m_pendingOrder.push_back(node);
}

QTreeWidgetItem* TreeView::Node(const QString& key) const
{
    if (QTreeWidgetItem* node = nodeOf(key))
        return node;
    if (m_pending.isEmpty())
        return nullptr;
    const_cast<TreeView*>(this)->FillAll();
    return nodeOf(key);
}

int TreeView::Count() const
{
    const_cast<TreeView*>(this)->FillAll();
    return CountRead();
}

void TreeView::FillNode(QTreeWidgetItem* node, bool oneNode)
{
    if (!m_pending.contains(node))
        return;
    Fill fill(*this);
    // Taken out while it runs: it adds pending nodes of its own, which may
    // move the table.
    Work work = m_pending.take(node);
    bool done = false;
    try {
        done = work(node, Budget{QDeadlineTimer(QDeadlineTimer::Forever), oneNode});
    } catch (...) {
        attachWaiting();
        DropPending();
        throw;
    }
    attachWaiting();
    if (!done)
        m_pending.insert(node, std::move(work));
}

void TreeView::revealOpened()
{
    // A worklist, not a recursion: a chain of opened nodes may be deep.
    while (!m_opened.empty()) {
        QTreeWidgetItem* node = m_opened.back();
        m_opened.pop_back();
        FillNode(node);
        for (int i = 0; i < node->childCount(); ++i)
            FillNode(node->child(i));
    }
}

void TreeView::FillOpened()
{
    Fill fill(*this);
    revealOpened();
}

bool TreeView::FillStep(QDeadlineTimer until)
{
    // Nodes read now lie in closed branches: no fill scope is needed to lay
    // out what shows, only one to hold back openings until the step ends.
    const bool outer = !m_filling;
    m_filling = true;
    try {
        while (!m_pendingOrder.empty()) {
            QTreeWidgetItem* node = m_pendingOrder.front();
            if (!m_pending.contains(node)) {
                m_pendingOrder.pop_front();
                continue;
            }
            Work work = m_pending.take(node);
            const bool done = work(node, Budget{until, false});
            attachWaiting();
            if (done)
                m_pendingOrder.pop_front();
            else
                m_pending.insert(node, std::move(work));
            if (until.hasExpired())
                break;
        }
    } catch (...) {
        attachWaiting();
        DropPending();
    }
    if (outer) {
        m_filling = false;
        // Rare: a branch to be open met in idle time opens as a fill opens it.
        if (!m_pendingTop.isEmpty() || !m_pendingExpand.isEmpty() || !m_opened.empty())
            Fill fill(*this);
    }
    return HasPending();
}

void TreeView::FillAll()
{
    if (m_pending.isEmpty())
        return;
    Fill fill(*this);
    FillStep(QDeadlineTimer(QDeadlineTimer::Forever));
}

void TreeView::DropPending()
{
    m_pending.clear();
    m_pendingOrder.clear();
    m_opened.clear();
}
