#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextImageFormat>

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
    bool inTable = false;
    bool pageBefore = false;
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

// Collects paragraphs as runs of equally formatted text and writes each run
// with one cursor call. Table rows are held until the table ends, then the
// whole table is inserted at once and filled cell by cell.
class Builder {
public:
    // Text formats are given by their index in formats.
    Builder(QTextDocument& document, const std::vector<QTextCharFormat>& formats);

    void addText(const QString& text, int format);
    void addImage(const QImage& image, QSizeF size);
    void endParagraph(const ParaState& para);
    void endCell(const ParaState& para);
    void endRow(const RowDef& row, const ParaState& para);
    void pageBreak(const ParaState& para);
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
    using Cell = std::vector<Para>;
    struct Row {
        RowDef def;
        std::vector<Cell> cells;
        std::vector<int> edges;
    };

    // A cell of the table being written: where it starts, how many rows and
    // columns it covers, and its paragraphs (none for a gap in a short row).
    struct Span {
        int row, col, rows, cols;
        const Cell* content;
    };

    Para takeParagraph(const ParaState& para);
    void pushCell();
    void closeRow(const RowDef& row);
    void write(QTextCursor& cursor, const Para& para, bool& fresh);
    void flushTable();
    QTextTable* insertSpannedTable(int rowCount, int columns, const std::vector<Span>& spans,
                                   const std::vector<int>& owner);

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
    Cell cell;
    std::vector<Cell> cells;
    RowDef lastRow;
    std::vector<Row> rows;
    std::vector<int> tableEdges;
};

} // namespace Rtf
