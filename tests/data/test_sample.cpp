// The bundled sample database: the shapes every path of the program needs.
#include "data/Database.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

namespace {

class Sample : public ::testing::Test {
protected:
    void SetUp() override { db.open(QStringLiteral(SELVARA_APP_DIR "/edudataD.mdb"), true); }

    qint64 number(const QString& sql)
    {
        Recordset rs = db.execute(sql);
        return rs.eof() ? -1 : rs.value(u"n").toLongLong();
    }

    QSet<qint64> ids(const QString& sql)
    {
        QSet<qint64> out;
        Recordset rs = db.execute(sql);
        while (!rs.eof()) {
            out.insert(rs.value(u"id").toLongLong());
            rs.moveNext();
        }
        return out;
    }

    // Every "#id" or "#fid" anchor in the texts the query returns.
    QSet<qint64> linkedIds(const QString& sql)
    {
        static const QRegularExpression kLink(QStringLiteral("href\\s*=\\s*[\"']?#f?([0-9]+)"));
        QSet<qint64> out;
        Recordset rs = db.execute(sql);
        while (!rs.eof()) {
            auto it = kLink.globalMatch(rs.text(u"t"));
            while (it.hasNext())
                out.insert(it.next().captured(1).toLongLong());
            rs.moveNext();
        }
        return out;
    }

    Database db{QStringLiteral("sample")};
};

// Depth of the deepest row of a parent-linked table.
QString depthQuery(const char* table, const char* id, const char* parent)
{
    return QStringLiteral("WITH RECURSIVE d(x, depth) AS (SELECT %2, 1 FROM %1 WHERE %3 = 0 "
                          "UNION ALL SELECT t.%2, d.depth + 1 FROM %1 t JOIN d ON t.%3 = d.x WHERE d.depth < 10) "
                          "SELECT max(depth) AS n FROM d")
        .arg(QLatin1String(table), QLatin1String(id), QLatin1String(parent));
}

} // namespace

TEST_F(Sample, EnoughLawsOfEveryKind)
{
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law, LAWTYPE WHERE law.type_id = LAWTYPE.type_id "
                                    "AND LAWTYPE.display_flag = 1 AND LAWTYPE_SHOW AND LAWTYPE.type_id < 90")), 40);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law WHERE type_id = 2")), 3);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law WHERE type_id = 5")), 3);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law WHERE type_id = 7")), 1);
    // A consolidated text standing in for an older row of the same number.
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law a, law b WHERE a.law_code = b.law_code AND a.law_id <> b.law_id "
                                    "AND a.all_law_flag = 1 AND b.all_law_flag = 0 AND b.type_id NOT IN (2, 5, 7)")), 1);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law WHERE type_id >= 90")), 1);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law, LAWTYPE WHERE law.type_id = LAWTYPE.type_id AND NOT LAWTYPE_SHOW "
                                    "AND LAWTYPE.type_id NOT IN (2, 5, 7)")), 1);
    for (const char* type : {"rtf", "html"})
        EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law WHERE BlobType = '%1' AND length(BlobBody) > 0").arg(QLatin1String(type))), 1) << type;
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM law WHERE descr LIKE '%<img%'")), 1);
}

TEST_F(Sample, EveryLinkNamesARowThatExists)
{
    const QSet<qint64> laws = ids(QStringLiteral("SELECT law_id AS id FROM law"));
    const QSet<qint64> lawLinks = linkedIds(QStringLiteral("SELECT ifnull(title, '') || ifnull(descr, '') AS t FROM law "
                                                           "UNION ALL SELECT ifnull(descr, '') AS t FROM abstract"));
    EXPECT_GE(lawLinks.size(), 8);
    for (qint64 id : lawLinks)
        EXPECT_TRUE(laws.contains(id)) << "law " << id;
    const QSet<qint64> templates = ids(QStringLiteral("SELECT law_id AS id FROM Schedulelaw"));
    const QSet<qint64> templateLinks = linkedIds(QStringLiteral("SELECT ifnull(descr, '') AS t FROM ScheduleAbstract"));
    EXPECT_FALSE(templateLinks.isEmpty());
    for (qint64 id : templateLinks)
        EXPECT_TRUE(templates.contains(id)) << "template " << id;
}

TEST_F(Sample, TopicsOnFourLevelsWithAbstractsAndKeywords)
{
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM topic")), 60);
    EXPECT_GE(number(depthQuery("topic", "topic_id", "topic_id_parent")), 4);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM abstract_law WHERE display_conn_flag <> 1")), 1);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM KEYS")), 25);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM ABSTRACT_KEYS")), 25);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM LAW_KEYS")), 25);
}

TEST_F(Sample, ADocumentGuideWithEveryKindOfTemplate)
{
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM schedule")), 20);
    EXPECT_GE(number(depthQuery("schedule", "schedule_id", "schedule_id_parent")), 3);
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM schedule s, ScheduleAbstract a WHERE s.schedule_id = a.Schedule_id "
                                    "AND s.IsBlob AND length(a.BlobBody) > 0")), 1);
    for (const char* type : {"rtf", "xls", "xlsx", "html"})
        EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM Schedulelaw WHERE BlobType = '%1' AND length(BlobBody) > 0").arg(QLatin1String(type))), 1) << type;
    EXPECT_GE(number(QStringLiteral("SELECT count(*) AS n FROM Schedulelaw WHERE BlobType IS NULL AND length(BlobBody) > 0")), 1);
}

TEST_F(Sample, OneParameterRowThatOpensTheInformationWindow)
{
    EXPECT_EQ(number(QStringLiteral("SELECT count(*) AS n FROM system_law_parameters")), 1);
    EXPECT_EQ(number(QStringLiteral("SELECT sys_info_display AS n FROM system_law_parameters")), 0);
}
