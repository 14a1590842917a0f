#include "mainwindow/Controls.h"

#include "startup/AppError.h"
#include "documents/RtfReader.h"
#include "pages/ReadingTools.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QPointer>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidgetItemIterator>
#include <QHelpEvent>
#include <QTextDocument>
#include <QVBoxLayout>

#include <vector>

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kImageRole = Qt::UserRole + 2;
// The original control's errors for a taken key and a missing relative.
constexpr long kKeyNotUnique = 35602;
constexpr long kElementNotFound = 35601;

const QColor kFoundBack(230, 207, 195);
const QColor kFoundFore(0, 0, 128);

} // namespace

ImageList::ImageList(const QString& name, QObject* parent)
    : QObject(parent)
{
    setObjectName(name);
}

void ImageList::add(const QString& key, const QIcon& picture)
{
    m_pictures.append({key, picture});
}

QIcon ImageList::picture(const QString& key) const
{
    for (const auto& [k, icon] : m_pictures)
        if (!key.isEmpty() && k == key)
            return icon;
    return QIcon();
}

QIcon ImageList::picture(int index) const
{
    return index >= 1 && index <= m_pictures.size() ? m_pictures[index - 1].second : QIcon();
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

bool TreeView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (QTreeWidgetItem* node = itemAt(help->pos()))
            QToolTip::showText(help->globalPos(), node->text(0), viewport(), visualItemRect(node));
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
    if (m_nodes.contains(key))
        throw AppError(kKeyNotUnique, QStringLiteral("Key is not unique in collection"));
    QTreeWidgetItem* parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = m_nodes.value(parentKey);
        if (!parent)
            throw AppError(kElementNotFound, QStringLiteral("Element not found"));
    }
    QTreeWidgetItem* node;
    if (parent) {
        node = new QTreeWidgetItem(parent);
    } else if (m_filling) {
        node = new QTreeWidgetItem;
        m_pendingTop.append(node);
    } else {
        node = new QTreeWidgetItem(this);
    }
    node->setText(0, text);
    node->setData(0, kKeyRole, key);
    m_nodes.insert(key, node);
    SetImage(node, image);
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
    if (m_filling && !node->treeWidget())
        m_pendingExpand.append({node, expanded});
    else
        node->setExpanded(expanded);
}

void TreeView::Clear()
{
    m_nodes.clear();
    qDeleteAll(m_pendingTop);
    m_pendingTop.clear();
    m_pendingExpand.clear();
    clear();
    scheduleColumnFit();
}

QString TreeView::Key(const QTreeWidgetItem* node)
{
    return node ? node->data(0, kKeyRole).toString() : QString();
}

QString TreeView::Image(const QTreeWidgetItem* node)
{
    return node ? node->data(0, kImageRole).toString() : QString();
}

void TreeView::SetImage(QTreeWidgetItem* node, const QString& image)
{
    node->setData(0, kImageRole, image);
    node->setIcon(0, m_images ? m_images->picture(image) : QIcon());
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
    emit KeyDown(code, event->modifiers());
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit KeyPress(13);
}

SSTab::SSTab(const QString& name, QWidget* parent)
    : QWidget(parent), m_bar(new QTabBar(this))
{
    setObjectName(name);
    setAutoFillBackground(true);
    m_bar->setObjectName(name + QStringLiteral(".tabs"));
    m_bar->setExpanding(false);
    m_bar->setDrawBase(true);
    m_bar->setElideMode(Qt::ElideRight);
    // The tab control is kept wide enough for all its tabs; scroll arrows
    // would only hide one.
    m_bar->setUsesScrollButtons(false);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        const int previous = m_current;
        m_current = index;
        showCurrentPage();
        if (previous != index && previous >= 0 && !m_quiet)
            emit Click(previous);
    });
}

int SSTab::addTab(const QString& caption)
{
    auto* page = new QWidget(this);
    page->setObjectName(objectName() + QStringLiteral(".page%1").arg(m_pages.size()));
    m_pages.append(page);
    const int index = m_bar->addTab(caption);
    if (m_current < 0)
        m_current = m_bar->currentIndex();
    showCurrentPage();
    sizeTabs();
    return index;
}

int SSTab::Tab() const
{
    return m_bar->currentIndex();
}

void SSTab::setTab(int index, bool raiseClick)
{
    m_quiet = !raiseClick;
    m_bar->setCurrentIndex(index);
    m_quiet = false;
}

QString SSTab::Caption() const
{
    return m_bar->tabText(m_bar->currentIndex());
}

QString SSTab::TabCaption(int index) const
{
    return m_bar->tabText(index);
}

void SSTab::setTabCaption(int index, const QString& caption)
{
    m_bar->setTabText(index, caption);
}

bool SSTab::TabVisible(int index) const
{
    return m_bar->isTabVisible(index);
}

void SSTab::setTabVisible(int index, bool visible)
{
    m_bar->setTabVisible(index, visible);
    sizeTabs();
}

bool SSTab::TabEnabled(int index) const
{
    return m_bar->isTabEnabled(index);
}

void SSTab::setTabEnabled(int index, bool enabled)
{
    m_bar->setTabEnabled(index, enabled);
}

void SSTab::setTabsPerRow(int perRow)
{
    m_tabsPerRow = perRow > 0 ? perRow : 1;
    sizeTabs();
}

int SSTab::minimumRowWidth() const
{
    QFont font = QWidget::font();
    font.setPointSizeF(kSmallestCaption);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < m_bar->count(); ++i)
        if (m_bar->isTabVisible(i))
            widest = qMax(widest, metrics.horizontalAdvance(m_bar->tabText(i)));
    return m_tabsPerRow * (widest + 14);
}

int SSTab::tabStripHeight() const
{
    return m_bar->sizeHint().height();
}

void SSTab::setColours(const QColor& back, const QColor& fore)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::WindowText, fore);
    setPalette(p);
    QPalette tabs = m_bar->palette();
    tabs.setColor(QPalette::WindowText, fore);
    tabs.setColor(QPalette::ButtonText, fore);
    m_bar->setPalette(tabs);
}

void SSTab::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    sizeTabs();
    showCurrentPage();
}

void SSTab::showCurrentPage()
{
    const int strip = tabStripHeight();
    for (int i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->setGeometry(0, strip, width(), qMax(0, height() - strip));
        m_pages[i]->setVisible(i == m_bar->currentIndex());
    }
}

void SSTab::sizeTabs()
{
    // Tabs share the control's width equally, so many to a row; the captions
    // take the largest font, down to 7 points, at which the longest one fits.
    const int tabWidth = qMax(40, width() / m_tabsPerRow);
    QFont font = QWidget::font();
    const double largest = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    for (double size = largest; size >= kSmallestCaption; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (int i = 0; i < m_bar->count(); ++i)
            if (m_bar->isTabVisible(i))
                widest = qMax(widest, metrics.horizontalAdvance(m_bar->tabText(i)));
        if (widest + 14 <= tabWidth)
            break;
    }
    m_bar->setFont(font);
    m_bar->setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; padding: 4px 2px; }").arg(tabWidth - 6));
    m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height());
}

Panel::Panel(const QString& name, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
}

void Panel::setBackColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

SplitterBar::SplitterBar(const QString& name, Qt::CursorShape cursor, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setCursor(cursor);
    setMouseTracking(false);
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    const int button = event->buttons() == Qt::LeftButton ? 1 : static_cast<int>(event->buttons());
    emit MouseMove(button, event->modifiers(), event->position().toPoint());
}

void SplitterBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

ProgressControl::ProgressControl(const QString& name, QWidget* parent)
    : QProgressBar(parent)
{
    setObjectName(name);
    setRange(0, 1000);
    setTextVisible(false);
    setMaximumHeight(12);
    hide();
}

void ProgressControl::UpdateStatus(double fraction, bool finished)
{
    const double f = qBound(0.0, fraction, 1.0);
    setValue(static_cast<int>(f * 1000.0));
    if (finished)
        setValue(1000);
    repaint();
}

RichTextBox::RichTextBox(const QString& name, QWidget* parent)
    : QTextEdit(parent)
{
    setObjectName(name);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    m_tools = new ReadingTools(this, QStringLiteral("document"), [this](int bottom) { setViewportMargins(0, 0, 0, bottom); });
}

void RichTextBox::LoadFile(const QString& path)
{
    auto* loaded = new QTextDocument(this);
    if (!LoadRtfFile(path, *loaded)) {
        delete loaded;
        throw AppError(321, QStringLiteral("Invalid file format"));
    }
    replaceDocument(loaded);
}

void RichTextBox::SetTextRTF(const QByteArray& rtf)
{
    auto* loaded = new QTextDocument(this);
    if (!ReadRtf(rtf, *loaded)) {
        delete loaded;
        throw AppError(321, QStringLiteral("Invalid file format"));
    }
    replaceDocument(loaded);
}

void RichTextBox::replaceDocument(QTextDocument* loaded)
{
    // Each text read replaces the last; the one it replaces must not stay
    // in memory until the box goes.
    const QPointer<QTextDocument> old = document();
    setDocument(loaded);
    if (old && old->parent() == this)
        delete old.data();
    m_tools->contentChanged();
}

QToolButton* PictureButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& toolTip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setToolTip(toolTip);
    b->setAccessibleName(toolTip);
    b->setAutoRaise(false);
    return b;
}

void PlaceOnScreen(QWidget& window, const QRect& over)
{
    const QScreen* screen = over.isEmpty() ? window.screen() : QGuiApplication::screenAt(over.center());
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // A title bar and borders the window manager adds.
    constexpr int frameWidth = 16, frameHeight = 48;
    const QSize room = area.size() - QSize(frameWidth, frameHeight);
    window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize().boundedTo(room)));
    QRect frame(QPoint(), window.size() + QSize(frameWidth, frameHeight));
    frame.moveCenter(over.isEmpty() ? area.center() : over.center());
    frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
    window.move(frame.topLeft());
}
