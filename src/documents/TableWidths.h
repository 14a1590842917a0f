#pragma once

#include <QList>
#include <QTextLength>

#include <memory>

class QTextDocument;

// Tables keep the widths their document gives them, except in a view
// narrower than a table: there the table shrinks to the view's width, and
// a print still takes the document's own widths.

// The factor, at most 1, by which the fixed widths among columns shrink so
// that they and `extra` pixels around them fit in `available` pixels.
qreal ColumnFitFactor(const QList<QTextLength>& columns, qreal extra, qreal available);
// The fixed widths times factor; the others as they are.
QList<QTextLength> ScaledColumns(const QList<QTextLength>& columns, qreal factor);

// Shrinks each table of the document that is wider than `width` pixels,
// with the tables inside its cells, and gives back their own widths to those
// that fit again; their own widths are kept in their formats meanwhile.
void FitTablesToWidth(QTextDocument& document, qreal width);

// A copy of the document with every table at its own widths; null when no
// table is shrunk, so the document itself can be used as it is.
std::unique_ptr<QTextDocument> UnfittedCopy(const QTextDocument& document);
