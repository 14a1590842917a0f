#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextImageFormat>

#include <memory>
#include <string>
#include <vector>

class QTextDocument;
class QTextTable;

namespace Rtf {

// Paragraph properties as the RTF words set them, lengths in twips.
struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    int line = 0;
    bool lineMultiple = false;
    bool pageBefore = false;
    // The table nesting level (\itap): 0 outside tables, 1 in a cell of a
    // table of the body, 2 in a table inside such a cell, and so on.
    int depth = 0;
};

struct CellDef {
    int right = 0;
    bool merged = false;
    bool vmerged = false;
    bool border = false;
};

struct RowDef {
    std::vector<CellDef> cells;
    int left = 0;
    int gap = 0;
    bool border = false;
    Qt::Alignment align = Qt::AlignLeft;
};

// More cells than this in one row go into its last cell, and a table that
// would need more columns starts anew, so no input makes a table explode.
constexpr int kMaxCells = 64;
// Changes of format one paragraph keeps.
constexpr size_t kMaxRunsInParagraph = 1000;
// Paragraphs and cells a document shows at the most, and paragraphs one
// cell holds: far more than anyone reads, far less than exhausts the memory
// or the layout; a note says where a document was cut.
constexpr size_t kMaxBlocks = 200000;
constexpr size_t kMaxCellParagraphs = 2000;
// Cells of one table: Qt lays out a large table in time that grows faster
// than its cells (4,000 cells of 60 columns take most of a second), and a
// document must show within one.
constexpr size_t kMaxTableCells = 4000;
// Tables nested deeper than this are flattened into the cell of the deepest
// one kept: their cells end in tabs, their rows in paragraph breaks.
constexpr int kMaxTableDepth = 4;

// Collects paragraphs as runs of equally formatted text and writes each run
// with one cursor call. Table rows are held until the table ends, then the
// whole table is inserted at once and filled cell by cell; a table nested in
// a cell is held with that cell and written inside it. Notes are held until
// the end and written after the last paragraph.
class Builder {
public:
    // Text formats are given by their index in formats.
    Builder(QTextDocument& document, const std::vector<QTextCharFormat>& formats);
    // Only the text, as UTF-8 with a line break for every paragraph, cell and
    // row, into plain; the document stays empty. For indexing a document
    // without the memory of laying it out.
    void setPlainText(std::string* plain) { m_plain = plain; }
    bool plainOnly() const { return m_plain != nullptr; }

    void addText(const QString& text, int format);
    void addImage(const QImage& image, QSizeF size);
    void endParagraph(const ParaState& para);
    // A cell or row of a table of the body (\cell, \row).
    void endCell(const ParaState& para);
    void endRow(const RowDef& row, const ParaState& para);
    // A cell or row of the table at the paragraph's depth, 2 to kMaxTableDepth.
    void endNestedCell(const ParaState& para);
    void endNestedRow(const RowDef& row, const ParaState& para);
    void pageBreak(const ParaState& para);
    // Text from here to endNote is a note's, kept apart from the body.
    void beginNote();
    // mark, when not empty, is put before the note's text in markFormat.
    void endNote(const ParaState& para, const QString& mark, int markFormat);
    void finish(const ParaState& para);

private:
    struct Run {
        QString text;
        int format;
    };
    struct Para {
        QTextBlockFormat format;
        std::vector<Run> runs;
    };
    struct Table;
    // A table inside a cell, written after the cell's first `at` paragraphs.
    struct Inner {
        size_t at;
        std::unique_ptr<Table> table;
    };
    struct Cell {
        std::vector<Para> paras;
        std::vector<Inner> tables;
        bool empty() const { return paras.empty() && tables.empty(); }
    };
    struct Row {
        RowDef def;
        std::vector<Cell> cells;
        std::vector<int> edges;
    };
    struct Table {
        std::vector<Row> rows;
        // Every row's edges: the table's column boundaries.
        std::vector<int> edges;
    };
    // The table being read at one nesting level: its rows so far, the cells
    // of its open row and the paragraphs of its open cell.
    struct Level {
        Table table;
        std::vector<Cell> cells;
        Cell cell;
        RowDef lastRow;
    };

    // A cell of the table being written: where it starts, how many rows and
    // columns it covers, and its content (none for a gap in a short row).
    struct Span {
        int row, col, rows, cols;
        const Cell* content;
    };

    Para takeParagraph(const ParaState& para);
    void endCellAt(int level, const ParaState& para);
    void pushCell(Level& level);
    void closeRow(int level, const RowDef& row);
    void closeLevelsFrom(int level);
    void flushLevel(int level);
    void write(QTextCursor& cursor, const Para& para, bool& fresh);
    void writeCell(QTextCursor& cursor, const Cell& cell);
    void flushTable();
    QTextTable* insertTable(QTextCursor& cursor, bool blockIsFresh, const Table& table, bool pageBreakBefore);
    QTextTable* insertSpannedTable(QTextCursor& cursor, int rowCount, int columns, const std::vector<Span>& spans,
                                   const std::vector<int>& owner);
    void writeNotes();
    void plainBreak();
    // In plain-text mode a paragraph, cell or row leaves a line break; past
    // the cut it leaves nothing. True when there is nothing more to build.
    bool notBuilding();

    std::string* m_plain = nullptr;
    size_t m_blocks = 0;
    size_t m_tableCells = 0;  // of the table being read
    bool m_cut = false;
    bool m_cellCut = false;

    QTextDocument& doc;
    const std::vector<QTextCharFormat>& formats;
    std::vector<QTextImageFormat> images;
    QTextCursor cursor;
    // The cursor's block is empty and unformatted: the next paragraph takes it.
    bool fresh = true;
    bool pendingPageBreak = false;
    // The cursor's fresh block is the one that follows a table.
    bool afterTable = false;
    std::vector<Run> runs;
    // levels[0] is a table of the body, levels[1] one nested in its cell...
    Level levels[kMaxTableDepth];
    // The deepest level holding anything, plus one.
    int openLevels = 0;

    bool noteOpen = false;
    std::vector<Run> bodyRuns;
    std::vector<std::vector<Para>> notes;
};

} // namespace Rtf
