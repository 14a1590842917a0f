#include "pages/ReadingTools.h"

#include "pages/FindText.h"
#include "pages/Zoom.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

namespace {

QString greekText(const QAction& action)
{
    // Line edits name their actions only by their English text.
    static const QHash<QString, QString> byText{
        {QStringLiteral("Undo"), QStringLiteral("edit-undo")},
        {QStringLiteral("Redo"), QStringLiteral("edit-redo")},
        {QStringLiteral("Cut"), QStringLiteral("edit-cut")},
        {QStringLiteral("Copy"), QStringLiteral("edit-copy")},
        {QStringLiteral("Paste"), QStringLiteral("edit-paste")},
        {QStringLiteral("Delete"), QStringLiteral("edit-delete")},
        {QStringLiteral("Select All"), QStringLiteral("select-all")},
        {QStringLiteral("Copy Link Location"), QStringLiteral("link-copy")},
    };
    QString objectName = action.objectName();
    if (objectName.isEmpty()) {
        QString text = action.text().section(u'\t', 0, 0);
        text.remove(u'&');
        objectName = byText.value(text);
    }
    static const QHash<QString, QString> names{
        {QStringLiteral("edit-undo"), QStringLiteral("&Αναίρεση")},
        {QStringLiteral("edit-redo"), QStringLiteral("Ε&πανάληψη")},
        {QStringLiteral("edit-cut"), QStringLiteral("Απο&κοπή")},
        {QStringLiteral("edit-copy"), QStringLiteral("&Αντιγραφή")},
        {QStringLiteral("edit-paste"), QStringLiteral("&Επικόλληση")},
        {QStringLiteral("edit-delete"), QStringLiteral("&Διαγραφή")},
        {QStringLiteral("select-all"), QStringLiteral("Επιλογή ό&λων")},
        {QStringLiteral("link-copy"), QStringLiteral("Αντιγραφή &θέσης συνδέσμου")},
        {QStringLiteral("copy-link-location"), QStringLiteral("Αντιγραφή &θέσης συνδέσμου")},
    };
    return names.value(objectName);
}

} // namespace

ReadingTools::ReadingTools(QTextEdit* view, QString kind, std::function<void(int)> bottomMargin)
    : QObject(view), m_view(view), m_kind(std::move(kind)), m_bottomMargin(std::move(bottomMargin))
{
    setObjectName(QStringLiteral("readingTools"));
    view->installEventFilter(this);
    m_viewport = view->viewport();
    m_viewport->installEventFilter(this);
}

void ReadingTools::setZoomMemory(ZoomMemory* memory)
{
    m_memory = memory;
    if (m_memory)
        setZoom(m_memory->level(m_kind));
}

void ReadingTools::setZoom(int percent)
{
    const int level = Zoom::Nearest(percent);
    if (level == m_zoom)
        return;
    m_zoom = level;
    applyZoom();
    if (m_memory)
        m_memory->setLevel(m_kind, m_zoom);
}

void ReadingTools::zoomIn()
{
    setZoom(Zoom::StepIn(m_zoom));
}

void ReadingTools::zoomOut()
{
    setZoom(Zoom::StepOut(m_zoom));
}

void ReadingTools::applyZoom()
{
    QTextDocument* document = m_view->document();
    document->setUndoRedoEnabled(false);
    if (m_baseFontPoints <= 0) {
        const QFont font = m_view->font();
        m_baseFontPoints = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    }
    // Text without a size of its own (headings too, which are sized relative
    // to it) follows the document's font; sizes the text names are scaled.
    QFont font = document->defaultFont();
    font.setPointSizeF(m_baseFontPoints * m_zoom / 100.0);
    document->setDefaultFont(font);
    const double ratio = m_zoom / 100.0;
    if (ratio != m_appliedRatio)
        Zoom::ScaleExplicitSizes(*document, ratio / m_appliedRatio);
    m_appliedRatio = ratio;
}

void ReadingTools::contentChanged()
{
    m_appliedRatio = 1.0;
    if (m_zoom != Zoom::kNormal || m_view->document()->defaultFont().pointSizeF() != m_baseFontPoints)
        applyZoom();
    if (findOpen())
        search();
}

void ReadingTools::buildFindBar()
{
    m_bar = new QWidget(m_view);
    m_bar->setObjectName(QStringLiteral("findBar"));
    m_bar->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(m_bar);
    row->setContentsMargins(6, 3, 6, 3);
    auto* label = new QLabel(QStringLiteral("Εύρεση:"), m_bar);
    m_findBox = new QLineEdit(m_bar);
    m_findBox->setObjectName(QStringLiteral("findText"));
    m_findBox->setClearButtonEnabled(true);
    label->setBuddy(m_findBox);
    auto button = [&](const QString& text, const QString& tip) {
        auto* b = new QToolButton(m_bar);
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton* previous = button(QStringLiteral("▲ Προηγούμενο"), QStringLiteral("Προηγούμενο (Shift+F3)"));
    QToolButton* next = button(QStringLiteral("▼ Επόμενο"), QStringLiteral("Επόμενο (F3)"));
    m_findCount = new QLabel(m_bar);
    QToolButton* close = button(QStringLiteral("✕"), QStringLiteral("Κλείσιμο (Esc)"));
    row->addWidget(label);
    row->addWidget(m_findBox, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(m_findCount);
    row->addWidget(close);
    connect(m_findBox, &QLineEdit::textChanged, this, [this] { search(); });
    connect(previous, &QToolButton::clicked, this, [this] { findNext(true); });
    connect(next, &QToolButton::clicked, this, [this] { findNext(false); });
    connect(close, &QToolButton::clicked, this, [this] { closeFind(); });
    m_findBox->installEventFilter(this);
    m_bar->hide();
}

void ReadingTools::placeFindBar()
{
    if (!m_bar || m_bar->isHidden())
        return;
    const int height = m_bar->sizeHint().height();
    const int frame = m_view->frameWidth();
    m_bar->setGeometry(frame, m_view->height() - frame - height, m_view->width() - 2 * frame, height);
}

bool ReadingTools::findOpen() const
{
    return m_bar && !m_bar->isHidden();
}

void ReadingTools::showFindBar()
{
    if (!m_bar)
        buildFindBar();
    if (m_bar->isHidden()) {
        m_bar->show();
        m_bottomMargin(m_bar->sizeHint().height());
        placeFindBar();
    }
}

void ReadingTools::openFind()
{
    showFindBar();
    // A word the user selected is what they look for.
    const QString selected = m_view->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_findBox->setText(selected);
    m_findBox->setFocus();
    m_findBox->selectAll();
    search();
}

void ReadingTools::openFindOn(const QString& shown, const QStringList& forms, const QString& placeFirst)
{
    showFindBar();
    {
        const QSignalBlocker quiet(m_findBox);
        m_findBox->setText(shown);
    }
    const QString text = m_view->document()->toRawText();
    QList<QPair<qsizetype, qsizetype>> found;
    for (const QString& form : forms)
        for (const qsizetype at : FindMatches(text, form))
            found.append({at, form.size()});
    std::sort(found.begin(), found.end());
    m_hits.clear();
    m_lengths.clear();
    for (const auto& [at, length] : found) {
        if (!m_hits.isEmpty() && at < m_hits.last() + m_lengths.last())
            continue;  // one form inside another
        m_hits.append(at);
        m_lengths.append(length);
    }
    const QList<qsizetype> place = placeFirst.isEmpty() ? QList<qsizetype>() : FindMatches(text, placeFirst, 1);
    m_current = m_hits.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_hits.size() && !place.isEmpty(); ++i)
        if (m_hits[i] >= place[0]) {
            m_current = i;
            break;
        }
    markHits();
    m_findBox->setFocus();
}

void ReadingTools::closeFind()
{
    if (!findOpen())
        return;
    m_bar->hide();
    m_bottomMargin(0);
    m_hits.clear();
    m_current = -1;
    m_view->setExtraSelections({});
    m_view->setFocus();
}

void ReadingTools::search()
{
    const QString text = m_view->document()->toRawText();
    m_hits = FindMatches(text, m_findBox->text());
    m_lengths.clear();
    m_current = -1;
    // The first hit at or after the place the reader is at.
    const int from = m_view->cursorForPosition(QPoint(0, 0)).position();
    for (int i = 0; i < m_hits.size(); ++i)
        if (m_hits[i] >= from) {
            m_current = i;
            break;
        }
    if (m_current < 0 && !m_hits.isEmpty())
        m_current = 0;
    markHits();
}

bool ReadingTools::findNext(bool backwards)
{
    if (!findOpen())
        openFind();
    if (m_hits.isEmpty())
        return false;
    const int n = static_cast<int>(m_hits.size());
    m_current = m_current < 0 ? 0 : (m_current + (backwards ? n - 1 : 1)) % n;
    markHits();
    return true;
}

void ReadingTools::markHits()
{
    QList<QTextEdit::ExtraSelection> marks;
    const bool ownLengths = m_lengths.size() == m_hits.size();
    const int length = static_cast<int>(m_findBox->text().size());
    for (int i = 0; i < m_hits.size(); ++i) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(m_view->document());
        mark.cursor.setPosition(static_cast<int>(m_hits[i]));
        mark.cursor.setPosition(static_cast<int>(m_hits[i] + (ownLengths ? m_lengths[i] : length)),
                                QTextCursor::KeepAnchor);
        mark.format.setBackground(i == m_current ? QColor(255, 150, 50) : QColor(255, 235, 120));
        mark.format.setForeground(Qt::black);
        marks.append(mark);
    }
    m_view->setExtraSelections(marks);
    if (m_current >= 0) {
        QTextCursor at(m_view->document());
        at.setPosition(static_cast<int>(m_hits[m_current]));
        m_view->setTextCursor(at);
        m_view->ensureCursorVisible();
    }
    if (m_findBox->text().isEmpty())
        m_findCount->clear();
    else if (m_hits.isEmpty())
        m_findCount->setText(QStringLiteral("Δεν βρέθηκε"));
    else
        m_findCount->setText(QStringLiteral("%1 από %2").arg(m_current + 1).arg(m_hits.size()));
}

void ReadingTools::showMenu(const QPoint& globalPos, const QPoint& viewportPos)
{
    QMenu menu(m_view);
    const QString link = m_view->anchorAt(viewportPos);
    QAction* copy = menu.addAction(QStringLiteral("&Αντιγραφή"), m_view, &QTextEdit::copy);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(m_view->textCursor().hasSelection());
    if (!link.isEmpty() && !link.startsWith(u'#'))
        menu.addAction(QStringLiteral("Αντιγραφή &θέσης συνδέσμου"), this,
                       [link] { QApplication::clipboard()->setText(link); });
    QAction* all = menu.addAction(QStringLiteral("Επιλογή ό&λων"), m_view, &QTextEdit::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    menu.addSeparator();
    QAction* find = menu.addAction(QStringLiteral("&Εύρεση…"), this, [this] { openFind(); });
    find->setShortcut(QKeySequence::Find);
    menu.addAction(QStringLiteral("&Μεγέθυνση"), this, [this] { zoomIn(); })->setShortcut(QKeySequence::ZoomIn);
    menu.addAction(QStringLiteral("Σ&μίκρυνση"), this, [this] { zoomOut(); })->setShortcut(QKeySequence::ZoomOut);
    QAction* normal = menu.addAction(QStringLiteral("&Κανονικό μέγεθος (%1%)").arg(m_zoom), this,
                                     [this] { setZoom(Zoom::kNormal); });
    normal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    normal->setEnabled(m_zoom != Zoom::kNormal);
    if (m_searchTexts) {
        menu.addSeparator();
        const QString selected = m_view->textCursor().selectedText();
        menu.addAction(QStringLiteral("Αναζήτηση στα κείμενα"), this, [this, selected] {
            m_searchTexts(selected.contains(QChar::ParagraphSeparator) ? QString() : selected.simplified());
        });
    }
    if (m_print) {
        menu.addSeparator();
        menu.addAction(QStringLiteral("Εκτύ&πωση…"), this, [this] { m_print(); });
    }
    menu.exec(globalPos);
}

bool ReadingTools::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_findBox && type == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            closeFind();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F3) {
            findNext(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        return false;
    }
    // The viewport as it was when the tools were made: asking the view for it
    // here would call into a view that may be half destroyed already (its
    // last events arrive while its base class is torn down).
    if (watched == m_viewport) {
        if (type == QEvent::Wheel) {
            auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel->modifiers() & Qt::ControlModifier) {
                if (wheel->angleDelta().y() > 0)
                    zoomIn();
                else if (wheel->angleDelta().y() < 0)
                    zoomOut();
                return true;
            }
        } else if (type == QEvent::ContextMenu) {
            auto* menu = static_cast<QContextMenuEvent*>(event);
            showMenu(menu->globalPos(), menu->pos());
            return true;
        }
        return false;
    }
    if (watched != m_view)
        return false;
    switch (type) {
    case QEvent::FocusIn:
        m_focusedAt = QDateTime::currentMSecsSinceEpoch();
        break;
    case QEvent::Resize:
        placeFindBar();
        break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        const int k = key->key();
        const bool ours = (ctrl && (k == Qt::Key_Plus || k == Qt::Key_Equal || k == Qt::Key_Minus || k == Qt::Key_0))
            || k == Qt::Key_F3 || (k == Qt::Key_Escape && findOpen());
        if (!ours)
            break;
        if (type == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (k == Qt::Key_Plus || k == Qt::Key_Equal)
            zoomIn();
        else if (k == Qt::Key_Minus)
            zoomOut();
        else if (k == Qt::Key_0)
            setZoom(Zoom::kNormal);
        else if (k == Qt::Key_F3)
            findNext(key->modifiers() & Qt::ShiftModifier);
        else
            closeFind();
        return true;
    }
    default:
        break;
    }
    return false;
}

void ReadingTools::FindInWindow(QWidget* window)
{
    ReadingTools* best = nullptr;
    auto area = [](const ReadingTools* t) { return t->m_view->width() * t->m_view->height(); };
    for (ReadingTools* t : window->findChildren<ReadingTools*>()) {
        if (!t->m_view->isVisible() || t->m_view->window() != window)
            continue;
        if (!best || t->m_focusedAt > best->m_focusedAt
            || (t->m_focusedAt == best->m_focusedAt && area(t) > area(best)))
            best = t;
    }
    if (best)
        best->openFind();
}

void ReadingTools::TranslateStandardMenu(QMenu& menu)
{
    for (QAction* action : menu.actions()) {
        const QString greek = greekText(*action);
        if (greek.isEmpty())
            continue;
        const QString text = action->text();
        const qsizetype tab = text.indexOf(u'\t');
        action->setText(tab >= 0 ? greek + text.mid(tab) : greek);
    }
}

bool GreekLineEditMenus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
            ReadingTools::TranslateStandardMenu(*menu);
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
