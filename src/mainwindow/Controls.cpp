#include "mainwindow/Controls.h"

#include "documents/RtfReader.h"
#include "documents/TableWidths.h"
#include "pages/ReadingTools.h"
#include "startup/AppError.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

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
    fitTables();
}

void RichTextBox::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    fitTables();
}

void RichTextBox::showEvent(QShowEvent* event)
{
    QTextEdit::showEvent(event);
    fitTables();
}

void RichTextBox::fitTables()
{
    // A hidden view's width is not yet the one it will show at.
    if (isVisible())
        FitTablesToWidth(*document(), viewport()->width());
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
