#pragma once

#include "mainwindow/HierarchyFill.h"

#include <QList>
#include <QString>

class Database;
class TreeView;

// What a query search collected for a tree whose rows name their parent: the
// hits in the order returned (duplicates kept) and every ancestor once. The
// lists grow as needed and hold 32-bit ids.
SearchMarks CollectHierarchyHits(Database& db, const QString& query, QStringView idColumn, QStringView parentColumn,
                                 QString (*ancestorStep)(qint32 parentId));

// The hits of a legislation search and the types that hold them, each type once.
struct LawHits {
    QList<qint32> laws;
    QList<qint32> types;
};
LawHits CollectLawHits(Database& db, const QString& query);
// Adds the laws and types of `more` that `hits` lacks.
void MergeLawHits(LawHits& hits, const LawHits& more);

// The title search: nodes on the first four levels whose folded title contains
// the folded text are drawn in the found style and made visible; every other
// visited node gets the normal style; everything else collapses.
void MarkMatchingTitles(TreeView& tree, const QString& text);
