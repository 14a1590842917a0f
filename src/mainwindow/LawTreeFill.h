#pragma once

#include <QList>

#include <vector>

class QTreeWidgetItem;

class Database;
class SqlTools;
class TreeView;

// The legislation tree: the listed types, each followed by its laws newest
// first, with a consolidated text standing in for the other rows of its law
// number. In search mode the found laws are drawn in the found style and the
// types that hold them are opened.
void AddLawTypeLevel(Database& db, const SqlTools& tools, TreeView& tree, const QList<qint32>& foundLaws,
                     int foundLawCount, const QList<qint32>& foundTypes, int foundTypeCount, bool fullMode);

void AddLawLevel(Database& db, const SqlTools& tools, TreeView& tree, qint32 typeId, bool fullMode,
                 const QList<qint32>& foundLaws, int foundLawCount);

// The same tree read as it is seen: the types now, each with its first law
// (so that it shows its expander and picture) and the types a search opens
// whole; the rest of each type's laws when it is opened, looked up or read
// in idle time (TreeView::SetPending). Once all is read it is the tree
// AddLawTypeLevel builds.
void AddLawTypeLevelLazily(Database& db, const SqlTools& tools, TreeView& tree, const QList<qint32>& foundLaws,
                           int foundLawCount, const QList<qint32>& foundTypes, int foundTypeCount, bool fullMode);

// Its first part: the types alone, each with its laws pending.
std::vector<QTreeWidgetItem*> AddLawTypesLazily(Database& db, const SqlTools& tools, TreeView& tree,
                                                const QList<qint32>& foundLaws, int foundLawCount,
                                                const QList<qint32>& foundTypes, int foundTypeCount, bool fullMode);
