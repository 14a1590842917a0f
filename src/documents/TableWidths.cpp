#include "documents/TableWidths.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>

namespace {

// Where a shrunk table keeps its own column widths.
constexpr int kOwnWidths = QTextFormat::UserProperty + 0x7a1;
// Rounding in the layout must not bring back a scroll bar.
constexpr qreal kSlack = 2;
// No table shrinks to less than this part of its width; one that would need
// to is left wider than the view.
constexpr qreal kSmallestFactor = 0.05;

template <typename F>
void ForEachTable(QTextFrame* parent, F&& f)
{
    const QList<QTextFrame*> children = parent->childFrames();
    for (QTextFrame* child : children)
        if (auto* table = qobject_cast<QTextTable*>(child))
            f(*table);
}

void ScaleTable(QTextTable& table, qreal factor)
{
    QTextTableFormat format = table.format();
    const bool kept = format.hasProperty(kOwnWidths);
    if (!kept && factor >= 1)
        return;
    const QList<QTextLength> own = kept ? format.lengthVectorProperty(kOwnWidths) : format.columnWidthConstraints();
    if (factor < 1)
        format.setProperty(kOwnWidths, own);
    else
        format.clearProperty(kOwnWidths);
    format.setColumnWidthConstraints(ScaledColumns(own, factor));
    if (format != table.format())
        table.setFormat(format);
    ForEachTable(&table, [factor](QTextTable& inner) { ScaleTable(inner, factor); });
}

bool AnyShrunk(QTextFrame* parent)
{
    bool found = false;
    ForEachTable(parent, [&found](QTextTable& table) {
        found = found || table.format().hasProperty(kOwnWidths) || AnyShrunk(&table);
    });
    return found;
}

} // namespace

qreal ColumnFitFactor(const QList<QTextLength>& columns, qreal extra, qreal available)
{
    qreal fixed = 0;
    for (const QTextLength& c : columns)
        if (c.type() == QTextLength::FixedLength)
            fixed += c.rawValue();
    if (fixed <= 0 || fixed + extra <= available)
        return 1;
    return std::max((available - extra) / fixed, kSmallestFactor);
}

QList<QTextLength> ScaledColumns(const QList<QTextLength>& columns, qreal factor)
{
    QList<QTextLength> scaled;
    scaled.reserve(columns.size());
    for (const QTextLength& c : columns)
        scaled.append(c.type() == QTextLength::FixedLength ? QTextLength(QTextLength::FixedLength, c.rawValue() * factor) : c);
    return scaled;
}

void FitTablesToWidth(QTextDocument& document, qreal width)
{
    const QTextFrameFormat page = document.rootFrame()->frameFormat();
    const qreal available = width - page.leftMargin() - page.rightMargin() - 2 * (page.border() + page.padding()) - kSlack;
    // One change for the layout, not one for each table.
    QTextCursor edit(&document);
    edit.beginEditBlock();
    ForEachTable(document.rootFrame(), [available](QTextTable& table) {
        const QTextTableFormat f = table.format();
        const QList<QTextLength> own =
            f.hasProperty(kOwnWidths) ? f.lengthVectorProperty(kOwnWidths) : f.columnWidthConstraints();
        const qreal extra = f.leftMargin() + f.rightMargin() + 2 * (f.padding() + f.border())
            + static_cast<qreal>(own.size() + 1) * (f.cellSpacing() + f.border());
        ScaleTable(table, ColumnFitFactor(own, extra, available));
    });
    edit.endEditBlock();
}

std::unique_ptr<QTextDocument> UnfittedCopy(const QTextDocument& document)
{
    if (!AnyShrunk(document.rootFrame()))
        return nullptr;
    std::unique_ptr<QTextDocument> copy(document.clone());
    ForEachTable(copy->rootFrame(), [](QTextTable& table) { ScaleTable(table, 1); });
    return copy;
}
