#include "mainwindow/LawTreeFill.h"

#include "data/Database.h"
#include "data/SqlTools.h"
#include "mainwindow/Controls.h"
#include "mainwindow/HierarchyFill.h"
#include "mainwindow/TreeSql.h"

namespace {

const QString kOpen = QStringLiteral("open");
const QString kClosed = QStringLiteral("closed");

qint32 count(Database& db, const QString& sql)
{
    Recordset rs = db.execute(sql);
    return rs.eof() ? 0 : rs.toLong(u"l_count");
}

// A row whose law number has a consolidated text, and that is not it.
bool replacedByConsolidation(Database& db, const SqlTools& tools, const Recordset& law)
{
    Recordset consolidated = db.execute(TreeSql::ConsolidatedVersion(tools.QuoteValue(law.value(u"law_code"))));
    const QVariant flag = law.value(u"all_law_flag");
    return !consolidated.eof() && !flag.isNull() && flag.toLongLong() == 0;
}

} // namespace

void AddLawTypeLevel(Database& db, const SqlTools& tools, TreeView& tree, const QList<qint32>& foundLaws,
                     int foundLawCount, const QList<qint32>& foundTypes, int foundTypeCount, bool fullMode)
{
    TreeView::Fill fill(tree);
    const QSet<qint32> types = FirstIds(foundTypes, foundTypeCount);

    Recordset rs = db.execute(TreeSql::LawTypes());
    while (!rs.eof()) {
        const qint32 typeId = rs.toLong(u"type_id");
        QTreeWidgetItem* node = tree.Add(QString(), QStringLiteral("p") + QString::number(typeId), rs.text(u"descr"), kOpen);
        bool expand = false;
        if (!fullMode) {
            if (types.contains(typeId)) {
                expand = true;
                tree.SetImage(node, kOpen);
            } else {
                tree.SetImage(node, count(db, TreeSql::LawCountOfTypeRoot(typeId)) > 0 ? kClosed : kOpen);
            }
        }
        AddLawLevel(db, tools, tree, typeId, fullMode, foundLaws, foundLawCount);
        if (expand)
            tree.SetExpanded(node, true);
        rs.moveNext();
    }
    rs.close();
}

void AddLawLevel(Database& db, const SqlTools& tools, TreeView& tree, qint32 typeId, bool fullMode,
                 const QList<qint32>& foundLaws, int foundLawCount)
{
    Recordset laws = db.execute(TreeSql::LawsOfType(typeId));
    if (count(db, TreeSql::LawCountOfType(typeId)) <= 0) {
        laws.close();
        return;
    }
    const QString parentKey = QStringLiteral("p") + QString::number(typeId);
    const QSet<qint32> found = fullMode ? QSet<qint32>() : FirstIds(foundLaws, foundLawCount);
    while (!laws.eof()) {
        if (!replacedByConsolidation(db, tools, laws)) {
            const qint32 lawId = laws.toLong(u"law_id");
            QTreeWidgetItem* node = tree.Add(parentKey, QStringLiteral("c") + QString::number(lawId), laws.text(u"law_code"), kOpen);
            // The node shows the number; its tip gives the title (as stored,
            // made plain only when shown).
            node->setData(0, Qt::ToolTipRole, laws.text(u"title"));
            if (fullMode)
                tree.SetImage(node->parent(), kClosed);
            else if (found.contains(lawId))
                TreeView::SetFoundStyle(node);
        }
        laws.moveNext();
    }
    laws.close();
}
