// Writing attached documents to files, piece by piece.
#include "data/Database.h"
#include "documents/BlobWriter.h"
#include "documents/DocumentIcons.h"
#include "documents/DocumentSql.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class Blob : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("b.mdb"));
        TestDatabase::Create(path, QStringLiteral(
            "INSERT INTO law (law_id, law_code, BlobType, BlobBody) VALUES "
            "(1, 'a', 'rtf', randomblob(64000)), (2, 'b', 'rtf', randomblob(64001)), (3, 'c', 'html', X''), (4, 'd', 'rtf', NULL);"
            "INSERT INTO Schedulelaw (law_id, law_code, BlobType, BlobBody) VALUES (7, 'x', 'xlsx', X'504B0304');"
            "INSERT INTO ScheduleAbstract (Abstract_id, Schedule_id, BlobBody) VALUES (9, 1, X'7B5C727466317D');"));
        db.open(path, false);
    }

    QByteArray stored(qint32 id)
    {
        Recordset rs = db.execute(QStringLiteral("SELECT BlobBody FROM law WHERE law_id = %1").arg(id));
        return rs.value(u"BlobBody").toByteArray();
    }

    QByteArray written(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    Database db{QStringLiteral("blob")};
};

} // namespace

TEST_F(Blob, ExactChunksAndOneByteMore)
{
    int pieces = 0;
    const QString out = dir.filePath(QStringLiteral("BlobSubBody.rtf"));
    EXPECT_EQ(WriteBlobFile(db, DocumentSql::LawDocument(1), out, [&] { ++pieces; }), out);
    EXPECT_EQ(pieces, 1);
    EXPECT_EQ(written(out), stored(1));

    pieces = 0;
    EXPECT_EQ(WriteBlobFile(db, DocumentSql::LawDocument(2), out, [&] { ++pieces; }), out);
    EXPECT_EQ(pieces, 2);
    EXPECT_EQ(written(out), stored(2));
}

TEST_F(Blob, EmptyAndMissingDocuments)
{
    const QString out = dir.filePath(QStringLiteral("BlobSubBody.html"));
    EXPECT_EQ(WriteBlobFile(db, DocumentSql::LawDocument(3), out), out);
    EXPECT_EQ(written(out), QByteArray());
    EXPECT_EQ(WriteBlobFile(db, DocumentSql::LawDocument(4), out), out);
    EXPECT_TRUE(WriteBlobFile(db, DocumentSql::LawDocument(99), out).isEmpty());
    EXPECT_TRUE(WriteBlobFile(db, DocumentSql::LawDocument(1), dir.filePath(QStringLiteral("no/folder/x.rtf"))).isEmpty());
}

TEST_F(Blob, TemplatesAndScheduleAbstracts)
{
    const QString xlsx = dir.filePath(QStringLiteral("BlobSubBody.xlsx"));
    EXPECT_EQ(WriteBlobFile(db, DocumentSql::TemplateDocument(7), xlsx), xlsx);
    EXPECT_EQ(written(xlsx), QByteArray("PK\x03\x04", 4));
    const QString rtf = dir.filePath(QStringLiteral("BlobBody.rtf"));
    EXPECT_EQ(WriteBlobFile(db, DocumentSql::ScheduleAbstractDocument(9), rtf), rtf);
    EXPECT_EQ(written(rtf), QByteArray("{\\rtf1}"));
}

TEST(BlobProgress, FollowsTime)
{
    EXPECT_DOUBLE_EQ(BlobProgressFraction(1.0), 0.5);
    EXPECT_DOUBLE_EQ(BlobProgressFraction(3.0), 0.75);
    EXPECT_DOUBLE_EQ(BlobProgressFraction(9.0), 0.9);
    EXPECT_LT(BlobProgressFraction(100000.0), 1.0 + 1e-9);
}

TEST(DocumentIcons, ByType)
{
    EXPECT_EQ(DocumentImageIndex(QStringLiteral("rtf")), 1);
    EXPECT_EQ(DocumentImageIndex(QStringLiteral("xls")), 2);
    EXPECT_EQ(DocumentImageIndex(QStringLiteral("xlsx")), 2);
    EXPECT_EQ(DocumentImageIndex(QStringLiteral("html")), 3);
    EXPECT_EQ(DocumentImageIndex(QStringLiteral("0")), 3);
    EXPECT_EQ(DocumentImageIndex(QStringLiteral("RTF")), 3);
}
