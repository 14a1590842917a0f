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

int Depth(const ParaState& p)
{
    return std::min(p.depth, kMaxTableDepth);
}

} // namespace

Builder::Builder(QTextDocument& document, const std::vector<QTextCharFormat>& textFormats)
    : doc(document), formats(textFormats), cursor(&document)
{
}

void Builder::plainBreak()
{
    if (!m_plain->empty() && m_plain->back() != '\n')
        m_plain->push_back('\n');
}

bool Builder::notBuilding()
{
    if (m_plain) {
        plainBreak();
        return true;
    }
    if (m_cut) {
        runs.clear();
        return true;
    }
    return false;
}

void Builder::addText(const QString& text, int format)
{
    if (m_plain) {
        m_plain->append(text.toStdString());
        return;
    }
    if (m_cut) {
        runs.clear();
        return;
    }
    if (text.isEmpty())
        return;
    // Past kMaxRunsInParagraph changes of format the text goes on in the last
    // run's: Qt lays a paragraph out in time squared in its format changes,
    // and no document a person reads changes format that often in one.
    if (!runs.empty()
        && (runs.back().format == format || (runs.size() >= kMaxRunsInParagraph && runs.back().format >= 0)))
        runs.back().text += text;
    else
        runs.push_back({text, format});
}

void Builder::addImage(const QImage& image, QSizeF size)
{
    if (m_plain)
        return;
    if (m_cut) {
        runs.clear();
        return;
    }
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
    // One edit for the paragraph's runs: the document takes the news of its
    // change once, not once a run (which cost time squared in the runs).
    c.beginEditBlock();
    for (const Run& run : para.runs) {
        const QTextCharFormat& f = run.format >= 0 ? formats[run.format] : images[-run.format - 1];
        c.insertText(run.text, f);
    }
    c.endEditBlock();
    if (blankAfterTable)
        c.insertText(QStringLiteral(" "));
}

void Builder::endParagraph(const ParaState& para)
{
    if (m_plain) {
        plainBreak();
        return;
    }
    if (noteOpen) {
        notes.back().push_back(takeParagraph(para));
        return;
    }
    if (m_cut || ++m_blocks > kMaxBlocks) {
        m_cut = true;
        runs.clear();
        return;
    }
    if (const int depth = Depth(para); depth > 0) {
        closeLevelsFrom(depth);
        if (levels[depth - 1].cell.paras.size() >= kMaxCellParagraphs) {
            m_cellCut = true;
            runs.clear();
            return;
        }
        levels[depth - 1].cell.paras.push_back(takeParagraph(para));
        openLevels = std::max(openLevels, depth);
        return;
    }
    // Cells the writer never closed with a row end still belong to the table.
    closeLevelsFrom(0);
    Para p = takeParagraph(para);
    if (pendingPageBreak)
        p.format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    pendingPageBreak = false;
    write(cursor, p, fresh);
}

void Builder::endCell(const ParaState& para)
{
    if (notBuilding())
        return;
    if (noteOpen)
        endParagraph(para);
    else
        endCellAt(0, para);
}

void Builder::endNestedCell(const ParaState& para)
{
    if (notBuilding())
        return;
    if (noteOpen)
        endParagraph(para);
    else
        endCellAt(std::max(Depth(para), 2) - 1, para);
}

void Builder::endCellAt(int level, const ParaState& para)
{
    if (++m_blocks > kMaxBlocks || ++m_tableCells > kMaxTableCells) {
        m_cut = true;
        runs.clear();
        return;
    }
    closeLevelsFrom(level + 1);
    Level& l = levels[level];
    l.cell.paras.push_back(takeParagraph(para));
    pushCell(l);
    openLevels = std::max(openLevels, level + 1);
}

void Builder::pushCell(Level& l)
{
    if (l.cells.size() < kMaxCells) {
        l.cells.push_back(std::move(l.cell));
    } else {
        Cell& last = l.cells.back();
        for (Inner& inner : l.cell.tables) {
            inner.at += last.paras.size();
            last.tables.push_back(std::move(inner));
        }
        std::move(l.cell.paras.begin(), l.cell.paras.end(), std::back_inserter(last.paras));
    }
    l.cell = Cell{};
}

void Builder::endRow(const RowDef& row, const ParaState& para)
{
    if (notBuilding())
        return;
    if (noteOpen) {
        if (!runs.empty())
            endParagraph(para);
        return;
    }
    if (!runs.empty())
        endCellAt(0, para);
    closeLevelsFrom(1);
    closeRow(0, row);
}

void Builder::endNestedRow(const RowDef& row, const ParaState& para)
{
    if (notBuilding())
        return;
    if (noteOpen) {
        if (!runs.empty())
            endParagraph(para);
        return;
    }
    const int level = std::max(Depth(para), 2) - 1;
    if (!runs.empty())
        endCellAt(level, para);
    closeLevelsFrom(level + 1);
    closeRow(level, row);
}

void Builder::closeRow(int level, const RowDef& row)
{
    Level& l = levels[level];
    if (!l.cell.empty())
        pushCell(l);
    l.lastRow = row;
    if (l.cells.empty() && row.cells.empty())
        return;
    Row r{row, std::move(l.cells), {}};
    l.cells.clear();
    r.edges = RowEdges(r.def, r.cells.size());
    std::vector<int> merged;
    std::set_union(l.table.edges.begin(), l.table.edges.end(), r.edges.begin(), r.edges.end(),
                   std::back_inserter(merged));
    if (merged.size() > kMaxCells + 1) {
        flushLevel(level);
        merged = r.edges;
    }
    l.table.edges = std::move(merged);
    l.table.rows.push_back(std::move(r));
    openLevels = std::max(openLevels, level + 1);
}

void Builder::closeLevelsFrom(int level)
{
    for (int k = openLevels - 1; k >= level; --k) {
        Level& l = levels[k];
        if (!l.cells.empty() || !l.cell.empty())
            closeRow(k, l.lastRow);
        flushLevel(k);
    }
    openLevels = std::min(openLevels, level);
}

void Builder::flushLevel(int level)
{
    Level& l = levels[level];
    if (l.table.rows.empty())
        return;
    if (level == 0) {
        flushTable();
        return;
    }
    Cell& host = levels[level - 1].cell;
    host.tables.push_back({host.paras.size(), std::make_unique<Table>(std::move(l.table))});
    l.table = Table{};
}

void Builder::pageBreak(const ParaState& para)
{
    if (notBuilding())
        return;
    if (!runs.empty())
        endParagraph(para);
    if (para.depth == 0 && !noteOpen)
        pendingPageBreak = true;
}

void Builder::beginNote()
{
    if (m_plain) {
        plainBreak();
        return;
    }
    if (noteOpen)
        return;
    bodyRuns = std::move(runs);
    runs.clear();
    notes.emplace_back();
    noteOpen = true;
}

void Builder::endNote(const ParaState& para, const QString& mark, int markFormat)
{
    if (m_plain) {
        plainBreak();
        return;
    }
    if (!noteOpen)
        return;
    if (!runs.empty())
        notes.back().push_back(takeParagraph(para));
    runs = std::move(bodyRuns);
    bodyRuns.clear();
    noteOpen = false;
    std::vector<Para>& note = notes.back();
    if (std::all_of(note.begin(), note.end(), [](const Para& p) { return p.runs.empty(); })) {
        notes.pop_back();
        return;
    }
    if (!mark.isEmpty())
        note.front().runs.insert(note.front().runs.begin(), Run{mark + u' ', markFormat});
}

void Builder::finish(const ParaState& para)
{
    if (m_plain)
        return;
    if (noteOpen)
        endNote(para, QString(), 0);
    if (!runs.empty())
        endParagraph(para);
    closeLevelsFrom(0);
    if (m_cut || m_cellCut) {
        // Said where the document stops, so no reader takes a part for the whole.
        QTextCharFormat note;
        note.setFontItalic(true);
        note.setForeground(QColor(128, 0, 0));
        cursor.insertBlock(QTextBlockFormat(), note);
        cursor.insertText(m_cut ? QStringLiteral("[Το έγγραφο είναι πολύ μεγάλο για να εμφανιστεί ολόκληρο· η προβολή "
                                                 "του σταματά εδώ.]")
                                : QStringLiteral("[Ένα κελί πίνακα του εγγράφου είναι πολύ μεγάλο· εμφανίζεται μόνο το "
                                                 "αρχικό του μέρος.]"),
                          note);
    }
    writeNotes();
}

void Builder::writeNotes()
{
    if (notes.empty())
        return;
    // A thin rule sets the notes apart from the text, as on a printed page.
    QTextBlockFormat rule;
    rule.setTopMargin(12);
    rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
    write(cursor, Para{rule, {}}, fresh);
    for (const std::vector<Para>& note : notes)
        for (const Para& p : note)
            write(cursor, p, fresh);
    notes.clear();
}

// Merging cells one by one makes Qt rebuild the table's grid each time, which
// is quadratic in a long table; an HTML table gives every span at once.
QTextTable* Builder::insertSpannedTable(QTextCursor& c, int rowCount, int columns, const std::vector<Span>& spans,
                                       const std::vector<int>& owner)
{
    QString html = QStringLiteral("<table>");
    for (int r = 0; r < rowCount; ++r) {
        html += QLatin1String("<tr>");
        for (int col = 0; col < columns; ++col) {
            const int o = owner[static_cast<size_t>(r) * columns + col];
            if (o < 0)
                html += QLatin1String("<td></td>");
            else if (spans[o].row == r && spans[o].col == col)
                html += QStringLiteral("<td valign=top rowspan=%1 colspan=%2></td>").arg(spans[o].rows).arg(spans[o].cols);
        }
        html += QLatin1String("</tr>");
    }
    html += QLatin1String("</table>");
    const int start = c.position();
    c.insertHtml(html);
    QTextCursor probe(&doc);
    // The table starts right after the cursor, or after a block the import
    // added; inside a cell, the table found must not be the one around it.
    for (int p = start + 1; p <= start + 2 && p < doc.characterCount(); ++p) {
        probe.setPosition(p);
        if (QTextTable* table = probe.currentTable(); table && table->firstPosition() > start)
            return table;
    }
    return nullptr;
}

void Builder::flushTable()
{
    m_tableCells = 0;
    Level& l = levels[0];
    if (l.table.rows.empty())
        return;
    insertTable(cursor, fresh, l.table, pendingPageBreak);
    pendingPageBreak = false;
    cursor.movePosition(QTextCursor::End);
    fresh = true;
    afterTable = true;
    l.table.rows.clear();
    l.table.edges.clear();
}

void Builder::writeCell(QTextCursor& c, const Cell& content)
{
    bool cellFresh = true;
    size_t next = 0;
    for (size_t i = 0; i <= content.paras.size(); ++i) {
        for (; next < content.tables.size() && content.tables[next].at <= i; ++next) {
            if (QTextTable* inner = insertTable(c, cellFresh, *content.tables[next].table, false))
                c.setPosition(inner->lastPosition() + 1);
            cellFresh = c.block().length() == 1;
        }
        if (i < content.paras.size())
            write(c, content.paras[i], cellFresh);
    }
}

QTextTable* Builder::insertTable(QTextCursor& c, bool blockIsFresh, const Table& t, bool pageBreakBefore)
{
    // Qt lays out an empty block next to a table with no height, which would
    // swallow the blank line a writer leaves before it.
    if (!blockIsFresh && c.block().length() == 1)
        c.insertText(QStringLiteral(" "));
    // Every row's edges are among the table's, so each cell covers whole columns;
    // a cell wider than one column, or merged with its neighbours, is merged in
    // the table afterwards.
    const std::vector<int>& edges = t.edges;
    const int columns = static_cast<int>(edges.size()) - 1;
    const int rowCount = static_cast<int>(t.rows.size());
    std::vector<Span> anchors;
    std::vector<int> owner(static_cast<size_t>(rowCount) * columns, -1);
    auto column = [&edges](int edge) {
        return static_cast<int>(std::lower_bound(edges.begin(), edges.end(), edge) - edges.begin());
    };
    auto own = [&](int r, int c0, int c1, int anchor) {
        for (int col = c0; col < c1; ++col)
            owner[static_cast<size_t>(r) * columns + col] = anchor;
    };
    bool border = false;
    for (int r = 0; r < rowCount; ++r) {
        const Row& row = t.rows[r];
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
    const qreal sidePadding = std::clamp(Pixels(t.rows.front().def.gap), 2.0, 20.0);
    f.setCellPadding(1);
    f.setAlignment(t.rows.front().def.align);
    if (edges.front() > 0)
        f.setLeftMargin(Pixels(edges.front()));
    QList<QTextLength> widths;
    for (int col = 0; col < columns; ++col)
        widths.append(QTextLength(QTextLength::FixedLength, Pixels(edges[col + 1] - edges[col])));
    f.setColumnWidthConstraints(widths);
    if (pageBreakBefore)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);

    const bool merged = std::any_of(anchors.begin(), anchors.end(), [](const Span& a) { return a.rows > 1 || a.cols > 1; });
    QTextTable* table = merged ? insertSpannedTable(c, rowCount, columns, anchors, owner) : c.insertTable(rowCount, columns, f);
    if (!table)
        return nullptr;
    table->setFormat(f);
    for (const Span& a : anchors) {
        if (!a.content)
            continue;
        QTextTableCell target = table->cellAt(a.row, a.col);
        QTextTableCellFormat cf = target.format().toTableCellFormat();
        cf.setLeftPadding(sidePadding);
        cf.setRightPadding(sidePadding);
        target.setFormat(cf);
        QTextCursor cellCursor = target.firstCursorPosition();
        writeCell(cellCursor, *a.content);
    }
    return table;
}

} // namespace Rtf
