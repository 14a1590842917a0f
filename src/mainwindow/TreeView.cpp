#include "mainwindow/Controls.h"

#include "fulltext/IndexSources.h"

#include "startup/AppError.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeWidgetItemIterator>

#include <utility>

namespace {

// The original control's errors for a taken key and a missing relative.
constexpr long kKeyNotUnique = 35602;
constexpr long kElementNotFound = 35601;

const QColor kFoundBack(230, 207, 195);
const QColor kFoundFore(0, 0, 128);

// A node keeps its key and picture key as members, not as item data: a
// tree of twenty thousand laws is built in a fraction of the time, and the
// picture is looked up only for the rows painted. A key as the trees make
// them is kept packed, its text made when asked for.
class TreeNode : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 7;
    explicit TreeNode(const QString& key) : QTreeWidgetItem(kType) { setKey(key); }
    TreeNode(QTreeWidgetItem* parent, const QString& key) : QTreeWidgetItem(parent, kType) { setKey(key); }

    QVariant data(int column, int role) const override
    {
        if (column == 0) {
            if (role == Qt::DecorationRole) {
                const auto* tree = static_cast<const TreeView*>(treeWidget());
                if (tree && !m_image.isEmpty())
                    return tree->Picture(m_image);
            }
            if ((role == Qt::DisplayRole || role == Qt::EditRole) && m_ownText)
                return m_text;
            if (role == Qt::ToolTipRole && m_ownTip)
                return m_tip;
        }
        return QTreeWidgetItem::data(column, role);
    }

    // The text and the tip too are members: the item's own store would cost
    // every node two allocations more, made and freed with each tree a
    // search rebuilds.
    void setData(int column, int role, const QVariant& value) override
    {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
            if (keep(value, m_text, m_ownText))
                return;
        } else if (column == 0 && role == Qt::ToolTipRole) {
            if (keep(value, m_tip, m_ownTip))
                return;
        }
        QTreeWidgetItem::setData(column, role, value);
    }

    QString key() const { return m_packedKey ? UnpackKey(m_packedKey) : m_key; }
    const QString& image() const { return m_image; }
    void setImage(const QString& image)
    {
        if (m_image == image)
            return;
        m_image = image;
        if (treeWidget())
            emitDataChanged();
    }

private:
    void setKey(const QString& key)
    {
        m_packedKey = PackKey(key);
        if (!m_packedKey)
            m_key = key;
    }
    quint64 m_packedKey = 0;
    QString m_key;  // a key that does not pack
    QString m_image;
    // A text value is kept in the member; any other goes to the item's store.
    bool keep(const QVariant& value, QString& member, bool& own)
    {
        if (value.metaType().id() != QMetaType::QString) {
            own = false;
            member.clear();
            return false;
        }
        if (own && member == value.toString())
            return true;
        member = value.toString();
        own = true;
        if (treeWidget())
            emitDataChanged();
        return true;
    }

    QString m_text;
    QString m_tip;
    bool m_ownText = false;
    bool m_ownTip = false;
};

TreeNode* AsNode(const QTreeWidgetItem* item)
{
    return item && item->type() == TreeNode::kType ? static_cast<TreeNode*>(const_cast<QTreeWidgetItem*>(item)) : nullptr;
}

} // namespace

quint64 PackKey(QStringView key)
{
    // A letter and a number without leading zeros, so that the text comes
    // back exactly as it was.
    if (key.size() < 2 || key.size() > 10 || key[0].unicode() >= 0x80 || !key[0].isLetter())
        return 0;
    if (key[1] == u'0' && key.size() > 2)
        return 0;
    quint64 number = 0;
    for (qsizetype i = 1; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        if (c < u'0' || c > u'9')
            return 0;
        number = number * 10 + (c - u'0');
    }
    return (quint64(1) << 63) | (quint64(key[0].unicode()) << 40) | number;
}

QString UnpackKey(quint64 packed)
{
    return QChar(char16_t((packed >> 40) & 0x7f)) + QString::number(packed & ((quint64(1) << 40) - 1));
}

QTreeWidgetItem* TreeView::nodeOf(const QString& key) const
{
    if (const quint64 packed = PackKey(key))
        return m_nodes.value(packed);
    return m_otherNodes.value(key);
}

void TreeView::attachWaiting()
{
    if (m_waitingParent)
        m_waitingParent->addChildren(m_waitingChildren);
    m_waitingParent = nullptr;
    m_waitingChildren.clear();
}

QIcon TreeView::Picture(const QString& key) const
{
    return m_images ? m_images->picture(key) : QIcon();
}

TreeView::TreeView(const QString& name, QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(name);
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    // Long titles are not cut: the column is as wide as they are and the
    // tree scrolls sideways.
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // An opened node shows its children whole: theirs are read now, however
    // it was opened (before its picture is judged by its children, below).
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
        if (m_pending.isEmpty())
            return;
        if (m_filling) {
            m_opened.push_back(node);
            return;
        }
        Fill fill(*this);
        m_opened.push_back(node);
    });
    // However a node opens or closes (a click, its expander, the arrow keys),
    // its picture says so; a leaf keeps the open picture.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
        if (node->childCount() > 0 && Image(node) != QLatin1String("open"))
            SetImage(node, QStringLiteral("open"));
        scheduleColumnFit();
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) {
        if (node->childCount() > 0 && Image(node) != QLatin1String("closed"))
            SetImage(node, QStringLiteral("closed"));
        scheduleColumnFit();
    });
}

void TreeView::ScrollToFirstFound()
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (HasFoundStyle(*it)) {
            scrollToItem(*it);
            return;
        }
    }
}

void TreeView::scheduleColumnFit()
{
    if (m_fitPending)
        return;
    m_fitPending = true;
    QMetaObject::invokeMethod(this, [this] {
        m_fitPending = false;
        fitColumn();
    }, Qt::QueuedConnection);
}

void TreeView::fitColumn()
{
    // Qt measures at most a thousand rows around the visible ones.
    setColumnWidth(0, qMax(sizeHintForColumn(0), viewport()->width()));
}

QString PlainTitle(const QString& html)
{
    return QString::fromStdString(FullText::HtmlToText(html.toStdString())).simplified();
}

bool TreeView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (QTreeWidgetItem* node = itemAt(help->pos())) {
            const QString tip = node->data(0, Qt::ToolTipRole).toString();
            QToolTip::showText(help->globalPos(), tip.isEmpty() ? node->text(0) : PlainTitle(tip), viewport(),
                               visualItemRect(node));
        }
        else
            QToolTip::hideText();
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

void TreeView::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    scheduleColumnFit();
}

QTreeWidgetItem* TreeView::Add(const QString& parentKey, const QString& key, const QString& text, const QString& image)
{
    QTreeWidgetItem* parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = nodeOf(parentKey);
        if (!parent)
            throw AppError(kElementNotFound, QStringLiteral("Element not found"));
    }
    const quint64 packed = PackKey(key);
    QTreeWidgetItem*& slot = packed ? m_nodes[packed] : m_otherNodes[key];
    if (slot)
        throw AppError(kKeyNotUnique, QStringLiteral("Key is not unique in collection"));
    TreeNode* node;
    if (parent && m_filling && parent->treeWidget()) {
        node = new TreeNode(key);
        if (parent != m_waitingParent)
            attachWaiting();
        m_waitingParent = parent;
        m_waitingChildren.append(node);
    } else if (parent) {
        node = new TreeNode(parent, key);
    } else {
        node = new TreeNode(key);
        if (m_filling)
            m_pendingTop.append(node);
        else
            addTopLevelItem(node);
    }
    // A tree shows a line; a title of megabytes would freeze every layout of
    // the tree, and its whole text is on the node's page anyway.
    node->setText(0, text.size() > kMaxNodeText ? text.left(kMaxNodeText) + u'…' : text);
    slot = node;
    node->setImage(image);
    if (!m_filling)
        scheduleColumnFit();
    return node;
}

TreeView::Fill::Fill(TreeView& tree)
    : m_tree(tree), m_outer(!tree.m_filling), m_updates(tree.updatesEnabled())
{
    if (!m_outer)
        return;
    tree.m_filling = true;
    tree.setUpdatesEnabled(false);
}

TreeView::Fill::~Fill()
{
    if (!m_outer)
        return;
    TreeView& t = m_tree;
    t.attachWaiting();
    // What the fill opened shows whole; a failure here ends the pending fills
    // as a failure in the fill itself would have ended it.
    try {
        t.revealOpened();
    } catch (...) {
        t.DropPending();
    }
    t.attachWaiting();
    t.m_filling = false;
    if (!t.m_pendingTop.isEmpty())
        t.addTopLevelItems(t.m_pendingTop);
    t.m_pendingTop.clear();
    for (const auto& [node, expanded] : std::as_const(t.m_pendingExpand))
        node->setExpanded(expanded);
    t.m_pendingExpand.clear();
    t.setUpdatesEnabled(m_updates);
    t.scheduleColumnFit();
}

void TreeView::SetExpanded(QTreeWidgetItem* node, bool expanded)
{
    if (!m_filling) {
        node->setExpanded(expanded);
        return;
    }
    m_pendingExpand.append({node, expanded});
    if (expanded)
        m_opened.push_back(node);
}

void TreeView::Clear()
{
    DropPending();
    attachWaiting();
    const qsizetype count = CountRead();
    m_nodes.clear();
    m_otherNodes.clear();
    qDeleteAll(m_pendingTop);
    m_pendingTop.clear();
    m_pendingExpand.clear();
    if (count > kFreeLaterNodes || topLevelItemCount() == 0) {
        clear();
    } else {
        const bool first = m_discarded.empty();
        const QList<QTreeWidgetItem*> taken = invisibleRootItem()->takeChildren();
        m_discarded.insert(m_discarded.end(), taken.cbegin(), taken.cend());
        if (first)
            QMetaObject::invokeMethod(this, &TreeView::freeDiscarded, Qt::QueuedConnection);
        // Reset as a cleared view is (nothing current, nothing open); on an
        // empty tree this costs nothing.
        clear();
    }
    // The view keeps its scroll position through a reset: the tree read next
    // would show its last rows, not its first.
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    scheduleColumnFit();
}

void TreeView::freeDiscarded()
{
    // Out of the view already: freed without a word to it.
    for (QTreeWidgetItem* node : std::exchange(m_discarded, {}))
        delete node;
}

TreeView::~TreeView()
{
    freeDiscarded();
}

// Every node is made by Add; anything else (the invisible root) has no key
// and no picture.
QString TreeView::Key(const QTreeWidgetItem* node)
{
    const TreeNode* own = AsNode(node);
    return own ? own->key() : QString();
}

QString TreeView::Image(const QTreeWidgetItem* node)
{
    const TreeNode* own = AsNode(node);
    return own ? own->image() : QString();
}

void TreeView::SetImage(QTreeWidgetItem* node, const QString& image)
{
    if (TreeNode* own = AsNode(node))
        own->setImage(image);
}

QTreeWidgetItem* TreeView::SelectedItem() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void TreeView::SetSelectedItem(QTreeWidgetItem* node)
{
    if (node) {
        setCurrentItem(node);
        node->setSelected(true);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
}

QTreeWidgetItem* TreeView::HitTest(const QPoint& position) const
{
    return itemAt(position);
}

void TreeView::SetFoundStyle(QTreeWidgetItem* node)
{
    node->setBackground(0, kFoundBack);
    node->setForeground(0, kFoundFore);
    QFont font = node->font(0);
    font.setBold(true);
    node->setFont(0, font);
}

int TreeView::FoundCount() const
{
    int found = 0;
    for (QTreeWidgetItemIterator it(const_cast<TreeView*>(this)); *it; ++it)
        if ((*it)->background(0) == kFoundBack)
            ++found;
    return found;
}

void TreeView::SetNormalStyle(QTreeWidgetItem* node)
{
    node->setBackground(0, QBrush());
    node->setForeground(0, QColor(0, 0, 0));
    QFont font = node->font(0);
    font.setBold(false);
    node->setFont(0, font);
}

bool TreeView::HasFoundStyle(const QTreeWidgetItem* node)
{
    return node->font(0).bold() && node->background(0).color() == kFoundBack
        && node->foreground(0).color() == kFoundFore;
}

void TreeView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem* node = itemAt(pos);
    // The expand buttons sit left of the node's own rectangle.
    m_pressOnButton = node && pos.x() < visualItemRect(node).left();
    QTreeWidget::mousePressEvent(event);
}

void TreeView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    emit MouseUp(event->button(), event->modifiers(), event->position().toPoint());
    if (m_afterDoubleClick || m_pressOnButton) {
        m_afterDoubleClick = false;
        return;
    }
    emit Click();
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    m_afterDoubleClick = true;
    emit DblClick();
}

void TreeView::keyPressEvent(QKeyEvent* event)
{
    // '*' opens the whole branch; Qt lays out a deeply opened branch with one
    // nested call a level, which a chain of stored topics many thousands
    // deep would overflow. The branch opens down to a depth a reader uses.
    if (event->key() == Qt::Key_Asterisk) {
        constexpr int kMaxOpenDepth = 64;
        std::vector<std::pair<QTreeWidgetItem*, int>> todo;
        if (QTreeWidgetItem* current = currentItem())
            todo.emplace_back(current, 0);
        while (!todo.empty()) {
            const auto [node, depth] = todo.back();
            todo.pop_back();
            node->setExpanded(true);
            if (depth + 1 < kMaxOpenDepth)
                for (int i = 0; i < node->childCount(); ++i)
                    todo.emplace_back(node->child(i), depth + 1);
        }
    } else if ((event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)
               && event->modifiers() == Qt::NoModifier && currentItem()) {
        // Left and Right move to the parent and into an open branch; they
        // never open or close one (the expander, a click, Enter, Space, +,
        // - and * do).
        QTreeWidgetItem* current = currentItem();
        QTreeWidgetItem* to = event->key() == Qt::Key_Left ? current->parent()
                              : current->isExpanded() && current->childCount() > 0 ? current->child(0)
                                                                                    : nullptr;
        if (to) {
            setCurrentItem(to);
            scrollToItem(to);
        }
    } else {
        // The key's own work (moving the selection) first, so that the
        // handlers act on the node the user moved to.
        QTreeWidget::keyPressEvent(event);
    }
    int code = event->key();
    if (code == Qt::Key_Up)
        code = 38;
    else if (code == Qt::Key_Down)
        code = 40;
    else if (code == Qt::Key_Left)
        code = 37;
    else if (code == Qt::Key_Right)
        code = 39;
    emit KeyDown(code, event->modifiers());
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
        emit KeyPress(13);
}
