#include "documents/RtfBuilder.h"

#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace Rtf {

namespace {

// A cell whose row does not say where it ends gets an inch.
constexpr int kDefaultCellWidth = 1440;
constexpr int kMaxEdge = 100000;

qreal Pixels(int twips)
{
    return twips / 15.0;
}

QTextBlockFormat BlockFormat(const ParaState& p)
{
    QTextBlockFormat f;
    f.setAlignment(p.align);
    if (p.left > 0)
        f.setLeftMargin(Pixels(p.left));
    if (p.right > 0)
        f.setRightMargin(Pixels(p.right));
    if (p.first != 0)
        f.setTextIndent(Pixels(p.first));
    if (p.before > 0)
        f.setTopMargin(Pixels(p.before));
    if (p.after > 0)
        f.setBottomMargin(Pixels(p.after));
    // A multiple is counted in 240ths of a single line; otherwise a positive
    // height is a minimum and a negative one exact.
    if (p.line > 0 && p.lineMultiple)
        f.setLineHeight(p.line * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (p.line > 0)
        f.setLineHeight(Pixels(p.line), QTextBlockFormat::MinimumHeight);
    else if (p.line < 0)
        f.setLineHeight(Pixels(-p.line), QTextBlockFormat::FixedHeight);
    if (p.pageBefore)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return f;
}

// Left edge then each cell's right edge, strictly increasing.
std::vector<int> RowEdges(const RowDef& def, size_t cellCount)
{
    const size_t n = std::clamp<size_t>(std::max(cellCount, def.cells.size()), 1, kMaxCells);
    std::vector<int> edges;
    edges.reserve(n + 1);
    edges.push_back(std::clamp(def.left, -kMaxEdge, kMaxEdge));
    for (size_t j = 0; j < n; ++j) {
        const int prev = edges.back();
        const int right = j < def.cells.size() ? std::clamp(def.cells[j].right, -kMaxEdge, kMaxEdge)
                                                : prev + kDefaultCellWidth;
        edges.push_back(std::max(right, prev + 1));
    }
    return edges;
}

} // namespace

Builder::Builder(QTextDocument& document, const std::vector<QTextCharFormat>& textFormats)
    : doc(document), formats(textFormats), cursor(&document)
{
}

void Builder::addText(const QString& text, int format)
{
    if (text.isEmpty())
        return;
    if (!runs.empty() && runs.back().format == format)
        runs.back().text += text;
    else
        runs.push_back({text, format});
}

void Builder::addImage(const QImage& image, QSizeF size)
{
    const QString name = QStringLiteral("rtfimg://%1").arg(images.size() + 1);
    doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(size.width());
    f.setHeight(size.height());
    images.push_back(f);
    runs.push_back({QString(QChar::ObjectReplacementCharacter), -static_cast<int>(images.size())});
}

Builder::Para Builder::takeParagraph(const ParaState& para)
{
    Para p{BlockFormat(para), std::move(runs)};
    runs.clear();
    return p;
}

void Builder::write(QTextCursor& c, const Para& para, bool& blockIsFresh)
{
    // The same for the blank line right after a table.
    const bool blankAfterTable = blockIsFresh && para.runs.empty() && &c == &cursor && afterTable;
    if (&c == &cursor)
        afterTable = false;
    if (blockIsFresh)
        c.setBlockFormat(para.format);
    else
        c.insertBlock(para.format, QTextCharFormat());
    blockIsFresh = false;
    for (const Run& run : para.runs) {
        const QTextCharFormat& f = run.format >= 0 ? formats[run.format] : images[-run.format - 1];
        c.insertText(run.text, f);
    }
    if (blankAfterTable)
        c.insertText(QStringLiteral(" "));
}

void Builder::endParagraph(const ParaState& para)
{
    if (para.inTable) {
        cell.push_back(takeParagraph(para));
        return;
    }
    // Cells the writer never closed with a row end still belong to the table.
    if (!cells.empty() || !cell.empty())
        closeRow(lastRow);
    flushTable();
    Para p = takeParagraph(para);
    if (pendingPageBreak)
        p.format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    pendingPageBreak = false;
    write(cursor, p, fresh);
}

void Builder::endCell(const ParaState& para)
{
    cell.push_back(takeParagraph(para));
    pushCell();
}

void Builder::pushCell()
{
    if (cells.size() < kMaxCells) {
        cells.push_back(std::move(cell));
    } else {
        Cell& last = cells.back();
        std::move(cell.begin(), cell.end(), std::back_inserter(last));
    }
    cell.clear();
}

void Builder::endRow(const RowDef& row, const ParaState& para)
{
    if (!runs.empty())
        endCell(para);
    closeRow(row);
}

void Builder::closeRow(const RowDef& row)
{
    if (!cell.empty())
        pushCell();
    lastRow = row;
    if (cells.empty() && row.cells.empty())
        return;
    Row r{row, std::move(cells), {}};
    cells.clear();
    r.edges = RowEdges(r.def, r.cells.size());
    std::vector<int> merged;
    std::set_union(tableEdges.begin(), tableEdges.end(), r.edges.begin(), r.edges.end(), std::back_inserter(merged));
    if (merged.size() > kMaxCells + 1) {
        flushTable();
        merged = r.edges;
    }
    tableEdges = std::move(merged);
    rows.push_back(std::move(r));
}

void Builder::pageBreak(const ParaState& para)
{
    if (!runs.empty())
        endParagraph(para);
    if (!para.inTable)
        pendingPageBreak = true;
}

void Builder::finish(const ParaState& para)
{
    if (!runs.empty())
        endParagraph(para);
    if (!cells.empty() || !cell.empty())
        endRow(lastRow, para);
    flushTable();
}

// Merging cells one by one makes Qt rebuild the table's grid each time, which
// is quadratic in a long table; an HTML table gives every span at once.
QTextTable* Builder::insertSpannedTable(int rowCount, int columns, const std::vector<Span>& spans,
                                       const std::vector<int>& owner)
{
    QString html = QStringLiteral("<table>");
    for (int r = 0; r < rowCount; ++r) {
        html += QLatin1String("<tr>");
        for (int c = 0; c < columns; ++c) {
            const int o = owner[static_cast<size_t>(r) * columns + c];
            if (o < 0)
                html += QLatin1String("<td></td>");
            else if (spans[o].row == r && spans[o].col == c)
                html += QStringLiteral("<td valign=top rowspan=%1 colspan=%2></td>").arg(spans[o].rows).arg(spans[o].cols);
        }
        html += QLatin1String("</tr>");
    }
    html += QLatin1String("</table>");
    const int start = cursor.position();
    cursor.insertHtml(html);
    QTextCursor probe(&doc);
    // The table starts right after the cursor, or after a block the import added.
    for (int p = start + 1; p <= start + 2 && p < doc.characterCount(); ++p) {
        probe.setPosition(p);
        if (QTextTable* table = probe.currentTable())
            return table;
    }
    return nullptr;
}

void Builder::flushTable()
{
    if (rows.empty())
        return;
    // Qt lays out an empty block next to a table with no height, which would
    // swallow the blank line a writer leaves before it.
    if (!fresh && cursor.block().length() == 1)
        cursor.insertText(QStringLiteral(" "));
    // Every row's edges are among the table's, so each cell covers whole columns;
    // a cell wider than one column, or merged with its neighbours, is merged in
    // the table afterwards.
    const int columns = static_cast<int>(tableEdges.size()) - 1;
    const int rowCount = static_cast<int>(rows.size());
    std::vector<Span> anchors;
    std::vector<int> owner(static_cast<size_t>(rowCount) * columns, -1);
    auto column = [this](int edge) {
        return static_cast<int>(std::lower_bound(tableEdges.begin(), tableEdges.end(), edge) - tableEdges.begin());
    };
    auto own = [&](int r, int c0, int c1, int anchor) {
        for (int c = c0; c < c1; ++c)
            owner[static_cast<size_t>(r) * columns + c] = anchor;
    };
    bool border = false;
    for (int r = 0; r < rowCount; ++r) {
        const Row& row = rows[r];
        int previous = -1;
        for (size_t j = 0; j + 1 < row.edges.size(); ++j) {
            const int c0 = column(row.edges[j]);
            const int c1 = column(row.edges[j + 1]);
            const CellDef def = j < row.def.cells.size() ? row.def.cells[j] : CellDef{};
            border = border || def.border || row.def.border;
            if (def.merged && previous >= 0 && anchors[previous].row == r && anchors[previous].rows == 1) {
                anchors[previous].cols = c1 - anchors[previous].col;
                own(r, c0, c1, previous);
                continue;
            }
            if (def.vmerged && r > 0) {
                const int above = owner[static_cast<size_t>(r - 1) * columns + c0];
                if (above >= 0) {
                    Span& a = anchors[above];
                    if (a.col == c0 && a.cols == c1 - c0 && a.row + a.rows == r) {
                        ++a.rows;
                        own(r, c0, c1, above);
                        previous = -1;
                        continue;
                    }
                }
            }
            anchors.push_back({r, c0, 1, c1 - c0, j < row.cells.size() ? &row.cells[j] : nullptr});
            previous = static_cast<int>(anchors.size()) - 1;
            own(r, c0, c1, previous);
        }
    }

    QTextTableFormat f;
    f.setCellSpacing(0);
    f.setBorderCollapse(true);
    f.setBorder(border ? 1 : 0);
    f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    f.setBorderBrush(Qt::black);
    // The row's gap is the space beside the text only; above and below it
    // a writer leaves almost none.
    const qreal sidePadding = std::clamp(Pixels(rows.front().def.gap), 2.0, 20.0);
    f.setCellPadding(1);
    f.setAlignment(rows.front().def.align);
    if (tableEdges.front() > 0)
        f.setLeftMargin(Pixels(tableEdges.front()));
    QList<QTextLength> widths;
    for (int c = 0; c < columns; ++c)
        widths.append(QTextLength(QTextLength::FixedLength, Pixels(tableEdges[c + 1] - tableEdges[c])));
    f.setColumnWidthConstraints(widths);
    if (pendingPageBreak)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    pendingPageBreak = false;

    const bool merged = std::any_of(anchors.begin(), anchors.end(), [](const Span& a) { return a.rows > 1 || a.cols > 1; });
    QTextTable* table = merged ? insertSpannedTable(rowCount, columns, anchors, owner) : cursor.insertTable(rowCount, columns, f);
    if (table) {
        table->setFormat(f);
        for (const Span& a : anchors) {
            if (!a.content)
                continue;
            QTextTableCell target = table->cellAt(a.row, a.col);
            QTextTableCellFormat cf = target.format().toTableCellFormat();
            cf.setLeftPadding(sidePadding);
            cf.setRightPadding(sidePadding);
            target.setFormat(cf);
            QTextCursor c = target.firstCursorPosition();
            bool cellFresh = true;
            for (const Para& p : *a.content)
                write(c, p, cellFresh);
        }
    }
    cursor.movePosition(QTextCursor::End);
    fresh = true;
    afterTable = true;
    rows.clear();
    tableEdges.clear();
}

} // namespace Rtf
