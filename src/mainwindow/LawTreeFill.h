#pragma once

#include <QList>

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
