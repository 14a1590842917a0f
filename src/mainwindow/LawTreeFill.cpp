#include "mainwindow/LawTreeFill.h"

#include "data/Database.h"
#include "data/SqlTools.h"
#include "mainwindow/Controls.h"
#include "mainwindow/HierarchyFill.h"
#include "mainwindow/TreeSql.h"

#include <memory>
#include <optional>
#include <vector>

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

// A type as both fills add it; returns whether it is to be opened.
bool addTypeNode(Database& db, TreeView& tree, const QSet<qint32>& types, bool fullMode, qint32 typeId,
                 const QString& descr, QTreeWidgetItem** added)
{
    QTreeWidgetItem* node = tree.Add(QString(), QStringLiteral("p") + QString::number(typeId), descr, kOpen);
    *added = node;
    if (fullMode)
        return false;
    if (types.contains(typeId)) {
        tree.SetImage(node, kOpen);
        return true;
    }
    tree.SetImage(node, count(db, TreeSql::LawCountOfTypeRoot(typeId)) > 0 ? kClosed : kOpen);
    return false;
}

// A law as both fills add it under its type: the node shows the number; its
// tip gives the title (as stored, made plain only when shown).
void addLawNode(TreeView& tree, const QString& typeKey, qint32 lawId, const QString& code, const QString& title,
                bool fullMode, const QSet<qint32>& found)
{
    QTreeWidgetItem* node = tree.Add(typeKey, QStringLiteral("c") + QString::number(lawId), code, kOpen);
    node->setData(0, Qt::ToolTipRole, title);
    if (fullMode)
        tree.SetImage(node->parent(), kClosed);
    else if (found.contains(lawId))
        TreeView::SetFoundStyle(node);
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
        QTreeWidgetItem* node = nullptr;
        const bool expand = addTypeNode(db, tree, types, fullMode, typeId, rs.text(u"descr"), &node);
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
        if (!replacedByConsolidation(db, tools, laws))
            addLawNode(tree, parentKey, laws.toLong(u"law_id"), laws.text(u"law_code"), laws.text(u"title"), fullMode, found);
        laws.moveNext();
    }
    laws.close();
}

namespace {

// The laws of one type, read as they are added: the statement stays open
// between the parts, so that no part waits for all of them to be read.
struct PendingLaws {
    bool started = false;
    std::optional<Recordset> laws;
};

TreeView::Work pendingLaws(Database& db, const SqlTools& tools, TreeView& tree, qint32 typeId, bool fullMode,
                           const std::shared_ptr<const QSet<qint32>>& found)
{
    auto state = std::make_shared<PendingLaws>();
    return [&db, &tools, &tree, typeId, fullMode, found, state](QTreeWidgetItem* type, const TreeView::Budget& budget) {
        PendingLaws& s = *state;
        if (!s.started) {
            s.started = true;
            Recordset laws = db.execute(TreeSql::LawsOfType(typeId));
            if (count(db, TreeSql::LawCountOfType(typeId)) <= 0)
                return true;
            s.laws.emplace(std::move(laws));
        }
        Recordset& laws = *s.laws;
        const QString parentKey = TreeView::Key(type);
        // The statements of a batch of laws run together, then their nodes
        // are made: each kind of work keeps its own data in the caches.
        struct Kept {
            qint32 id;
            QString code;
            QString title;
        };
        std::vector<Kept> batch;
        const size_t batchSize = budget.oneNode ? 1 : 64;
        while (!laws.eof()) {
            batch.clear();
            while (!laws.eof() && batch.size() < batchSize) {
                if (!replacedByConsolidation(db, tools, laws))
                    batch.push_back({laws.toLong(u"law_id"), laws.text(u"law_code"), laws.text(u"title")});
                laws.moveNext();
            }
            for (const Kept& law : batch)
                addLawNode(tree, parentKey, law.id, law.code, law.title, fullMode, *found);
            if ((!batch.empty() && budget.oneNode) || budget.until.hasExpired())
                break;
        }
        if (!laws.eof())
            return false;
        s.laws.reset();
        return true;
    };
}

} // namespace

std::vector<QTreeWidgetItem*> AddLawTypesLazily(Database& db, const SqlTools& tools, TreeView& tree,
                                                const QList<qint32>& foundLaws, int foundLawCount,
                                                const QList<qint32>& foundTypes, int foundTypeCount, bool fullMode)
{
    const QSet<qint32> types = FirstIds(foundTypes, foundTypeCount);
    const auto found = std::make_shared<const QSet<qint32>>(fullMode ? QSet<qint32>() : FirstIds(foundLaws, foundLawCount));
    std::vector<QTreeWidgetItem*> added;
    Recordset rs = db.execute(TreeSql::LawTypes());
    while (!rs.eof()) {
        const qint32 typeId = rs.toLong(u"type_id");
        QTreeWidgetItem* node = nullptr;
        const bool expand = addTypeNode(db, tree, types, fullMode, typeId, rs.text(u"descr"), &node);
        tree.SetPending(node, pendingLaws(db, tools, tree, typeId, fullMode, found));
        if (expand)
            tree.SetExpanded(node, true);
        added.push_back(node);
        rs.moveNext();
    }
    return added;
}

void AddLawTypeLevelLazily(Database& db, const SqlTools& tools, TreeView& tree, const QList<qint32>& foundLaws,
                           int foundLawCount, const QList<qint32>& foundTypes, int foundTypeCount, bool fullMode)
{
    TreeView::Fill fill(tree);
    for (QTreeWidgetItem* node : AddLawTypesLazily(db, tools, tree, foundLaws, foundLawCount, foundTypes, foundTypeCount, fullMode))
        tree.FillNode(node, true);
    tree.FillOpened();
}
