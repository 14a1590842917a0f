#include "fulltext/FrmFullText.h"

#include "fulltext/FullTextService.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "startup/Program.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

constexpr int kHitRole = Qt::UserRole + 1;

// Draws a result's rich text, which a list item cannot show by itself.
class HitDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QString html = o.text;
        o.text.clear();
        o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, painter, o.widget);
        QTextDocument doc;
        doc.setDefaultFont(o.font);
        doc.setHtml(html);
        doc.setTextWidth(o.rect.width() - 8);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = o.palette;
        if (o.state & QStyle::State_Selected)
            context.palette.setColor(QPalette::Text, o.palette.color(QPalette::HighlightedText));
        painter->save();
        painter->translate(o.rect.topLeft() + QPoint(4, 2));
        doc.documentLayout()->draw(painter, context);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        QTextDocument doc;
        doc.setDefaultFont(o.font);
        doc.setHtml(o.text);
        doc.setTextWidth(o.widget ? o.widget->width() - 30 : 600);
        return QSize(static_cast<int>(doc.idealWidth()), static_cast<int>(doc.size().height()) + 6);
    }
};

QString Escaped(const QString& text)
{
    return text.simplified().toHtmlEscaped();
}

// A date as the program writes dates: day/month/year.
QString GreekDate(const QString& iso)
{
    const QStringList parts = iso.left(10).split(u'-');
    return parts.size() == 3 ? parts[2] + u'/' + parts[1] + u'/' + parts[0] : iso;
}

} // namespace

FrmFullText::FrmFullText(Program& program, FullText::Service& service)
    : AuxWindow(program, QStringLiteral("frmFullText")), m_service(service), m_searcher(new FullText::Searcher(service, this))
{
    // A window of its own, not one that stays over the main window: the law
    // a result opens must show in front of it.
    setParent(nullptr, Qt::Window);
    resize(760, 560);
    if (const FrmInitial* main = program.frmInitial())
        PlaceOnScreen(*this, main->frameGeometry());
    markPlaced();
    setWindowTitle(QStringLiteral("Αναζήτηση στα κείμενα"));
    txtFullText = new QLineEdit(this);
    txtFullText->setObjectName(QStringLiteral("txtFullText"));
    txtFullText->setPlaceholderText(
        QStringLiteral("Λέξεις του κειμένου, «φράση» σε εισαγωγικά, πρόθεμα*, -εξαίρεση, OR ή «ή» για εναλλακτικές"));
    txtFullText->setClearButtonEnabled(true);
    cmbFullTextType = new QComboBox(this);
    cmbFullTextType->setObjectName(QStringLiteral("cmbFullTextType"));
    spnYearFrom = new QSpinBox(this);
    spnYearFrom->setObjectName(QStringLiteral("spnYearFrom"));
    spnYearTo = new QSpinBox(this);
    spnYearTo->setObjectName(QStringLiteral("spnYearTo"));
    for (QSpinBox* year : {spnYearFrom, spnYearTo}) {
        // 0 is no bound, shown as a dash.
        year->setRange(0, 2100);
        year->setSpecialValueText(QStringLiteral("—"));
        year->setAccelerated(true);
    }
    lblFullTextCount = new QLabel(this);
    lblFullTextCount->setObjectName(QStringLiteral("lblFullTextCount"));
    lblFullTextCount->setWordWrap(true);
    lstFullText = new QListWidget(this);
    lstFullText->setObjectName(QStringLiteral("lstFullText"));
    lstFullText->setItemDelegate(new HitDelegate(lstFullText));
    lstFullText->setWordWrap(true);
    lstFullText->setUniformItemSizes(false);
    lstFullText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout(this);
    grid->addWidget(label(QStringLiteral("&Αναζήτηση:"), txtFullText), 0, 0);
    grid->addWidget(txtFullText, 0, 1, 1, 5);
    grid->addWidget(label(QStringLiteral("&Είδος:"), cmbFullTextType), 1, 0);
    grid->addWidget(cmbFullTextType, 1, 1);
    grid->addWidget(label(QStringLiteral("Έτη &από:"), spnYearFrom), 1, 2);
    grid->addWidget(spnYearFrom, 1, 3);
    grid->addWidget(label(QStringLiteral("έ&ως:"), spnYearTo), 1, 4);
    grid->addWidget(spnYearTo, 1, 5);
    grid->addWidget(lblFullTextCount, 2, 0, 1, 6);
    grid->addWidget(lstFullText, 3, 0, 1, 6);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    fillTypes();
    txtFullText->installEventFilter(this);
    lstFullText->installEventFilter(this);
    connect(txtFullText, &QLineEdit::textChanged, this, [this] { search(); });
    connect(cmbFullTextType, &QComboBox::currentIndexChanged, this, [this] { search(); });
    for (QSpinBox* year : {spnYearFrom, spnYearTo})
        connect(year, &QSpinBox::valueChanged, this, [this] { search(); });
    connect(lstFullText, &QListWidget::itemActivated, this, [this] { guarded([this] { openCurrent(); }); });
    connect(m_searcher, &FullText::Searcher::found, this,
            [this](const FullText::Results& r, const QStringList& words, bool partial) { showResults(r, words, partial); });
    connect(&m_service, &FullText::Service::progress, this, [this] { showState(); });
    connect(&m_service, &FullText::Service::stateChanged, this, [this](FullText::Service::State state) {
        if (state == FullText::Service::State::Ready) {
            fillTypes();
            search();  // the whole index now, where a part answered before
        }
        showState();
    });
    showState();
}

FrmFullText::~FrmFullText() = default;

void FrmFullText::fillTypes()
{
    const QString target = m_service.target();
    if (target.isEmpty() || cmbFullTextType->count() > 1)
        return;
    const QSignalBlocker block(cmbFullTextType);
    cmbFullTextType->clear();
    cmbFullTextType->addItem(QStringLiteral("Όλα τα κείμενα"), 0);
    if (const auto db = FullText::OpenIndex(target, true))
        for (const auto& [id, name] : FullText::LawTypes(db.get()))
            cmbFullTextType->addItem(name, id);
}

void FrmFullText::setQuery(const QString& text)
{
    txtFullText->setText(text);
    txtFullText->selectAll();
    txtFullText->setFocus();
    search();
}

void FrmFullText::search()
{
    m_answered = false;
    if (txtFullText->text().trimmed().isEmpty()) {
        m_hits.clear();
        lstFullText->clear();
        showState();
    }
    FullText::Filter filter;
    filter.typeId = cmbFullTextType->currentData().toLongLong();
    filter.yearFrom = spnYearFrom->value();
    filter.yearTo = spnYearTo->value();
    m_searcher->request(txtFullText->text(), filter);
}

void FrmFullText::showResults(const FullText::Results& results, const QStringList& words, bool partial)
{
    m_answered = true;
    m_hits = results.hits;
    m_words = words;
    m_partial = partial;
    lstFullText->clear();
    for (const FullText::Hit& hit : m_hits) {
        auto* item = new QListWidgetItem(HitHtml(hit), lstFullText);
        item->setData(Qt::AccessibleTextRole, QTextDocumentFragment::fromHtml(HitHtml(hit)).toPlainText());
    }
    if (!m_hits.isEmpty())
        lstFullText->setCurrentRow(0);
    const qint64 count = results.count;
    QString text;
    if (txtFullText->text().trimmed().isEmpty())
        text.clear();
    else if (count == 0)
        text = QStringLiteral("Δεν βρέθηκε κανένα κείμενο");
    else if (count == 1)
        text = QStringLiteral("Βρέθηκε 1 κείμενο");
    else if (count > m_hits.size())
        text = QStringLiteral("Βρέθηκαν %1 κείμενα· εμφανίζονται τα %2 πιο σχετικά").arg(count).arg(m_hits.size());
    else
        text = QStringLiteral("Βρέθηκαν %1 κείμενα").arg(count);
    if (partial && !text.isEmpty())
        text += QStringLiteral(" — το ευρετήριο ετοιμάζεται ακόμη (%1 %), άρα η αναζήτηση κάλυψε μέρος μόνο των κειμένων")
                    .arg(m_service.percent());
    lblFullTextCount->setText(text);
}

void FrmFullText::showState()
{
    if (m_answered && !txtFullText->text().trimmed().isEmpty())
        return;
    switch (m_service.state()) {
    case FullText::Service::State::Building:
        lblFullTextCount->setText(QStringLiteral("Το ευρετήριο των κειμένων ετοιμάζεται (%1 %).").arg(m_service.percent()));
        break;
    case FullText::Service::State::Failed:
        lblFullTextCount->setText(QStringLiteral("Το ευρετήριο των κειμένων δεν ήταν δυνατό να δημιουργηθεί."));
        break;
    default:
        lblFullTextCount->clear();
    }
}

QString FrmFullText::HitHtml(const FullText::Hit& hit)
{
    QString head;
    switch (static_cast<FullText::DocKind>(hit.kind)) {
    case FullText::DocKind::Law:
        head = QStringLiteral("<b>%1 %2</b>").arg(Escaped(hit.typeName), Escaped(hit.lawCode));
        if (!hit.issueDate.isEmpty())
            head += QStringLiteral(" (%1)").arg(GreekDate(hit.issueDate));
        head += QStringLiteral(" — ") + Escaped(hit.title);
        break;
    case FullText::DocKind::Topic:
        head = QStringLiteral("<b>Θέμα</b> — ") + Escaped(hit.title);
        break;
    case FullText::DocKind::Guide:
        head = QStringLiteral("<b>Οδηγός Εγγράφων</b> — ") + Escaped(hit.title);
        break;
    case FullText::DocKind::Template:
        head = QStringLiteral("<b>Υπόδειγμα %1</b> — %2").arg(Escaped(hit.lawCode), Escaped(hit.title));
        break;
    }
    QString html = head;
    if (!hit.article.isEmpty())
        html += QStringLiteral("<br><i>") + Escaped(hit.article) + QStringLiteral("</i>");
    QString snippet = Escaped(hit.snippet);
    snippet.replace(FullText::kMarkOpen, QStringLiteral("<span style=\"background:#ffeb78;font-weight:bold\">"));
    snippet.replace(FullText::kMarkClose, QStringLiteral("</span>"));
    return html + QStringLiteral("<br><span style=\"color:#404040\">") + snippet + QStringLiteral("</span>");
}

bool FrmFullText::openCurrent()
{
    const int row = lstFullText->currentRow();
    if (row < 0 || row >= m_hits.size())
        return false;
    FrmInitial* main = m_program.frmInitial();
    if (!main)
        return false;
    // The forms the text itself has, from the snippet, beside those typed.
    QStringList forms = m_words;
    const QString snippet = m_hits[row].snippet;
    for (qsizetype at = snippet.indexOf(FullText::kMarkOpen); at >= 0; at = snippet.indexOf(FullText::kMarkOpen, at + 1)) {
        const qsizetype end = snippet.indexOf(FullText::kMarkClose, at);
        if (end > at)
            forms << snippet.mid(at + 1, end - at - 1);
    }
    forms.removeDuplicates();
    QWidget* shown = main->OpenFullTextHit(m_hits[row], m_words.join(u' '), forms);
    shown->raise();
    shown->activateWindow();
    return true;
}

bool FrmFullText::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == txtFullText && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up
                                       || key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp)) {
            // The arrows move through the results while the typing goes on.
            QCoreApplication::sendEvent(lstFullText, event);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            guarded([this] { openCurrent(); });
            return true;
        }
    }
    return AuxWindow::eventFilter(watched, event);
}
