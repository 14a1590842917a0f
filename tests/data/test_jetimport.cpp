// The importer of Jet files: real files read through libmdb, damaged copies,
// and the mapping checked against the program's own schema with a stand-in
// reader over the sample database.
#include "data/JetImport.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QDate>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

const QString kSamples = QStringLiteral(SELVARA_JET_SAMPLES);

// Runs a query on a finished import and gives its rows as text.
QStringList query(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    QStringList rows;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList cells;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                if (sqlite3_column_type(st, i) == SQLITE_BLOB)
                    cells << QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i)).toHex().toUpper();
                else if (sqlite3_column_type(st, i) == SQLITE_NULL)
                    cells << QStringLiteral("NULL");
                else
                    cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            }
            rows << cells.join(u'|');
        }
    } else {
        rows << QStringLiteral("ERROR ") + QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

QString tool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

JetImport::Options lenient()
{
    JetImport::Options o;
    o.requireProgramSchema = false;
    return o;
}

#define NEED_SAMPLES() \
    if (!QFile::exists(kSamples + QStringLiteral("/nwind.mdb"))) \
        GTEST_SKIP() << "no Jet samples at " << kSamples.toStdString() << " (the shared folder is absent)"

} // namespace

TEST(JetImport, RealFilesTablesRowsNamesDatesAndPictures)
{
    NEED_SAMPLES();
    QTemporaryDir dir;
    const QString nwind = kSamples + QStringLiteral("/nwind.mdb");
    const QString out = dir.filePath(QStringLiteral("nwind.db"));
    const JetImport::Result r = JetImport::ImportFile(nwind, out, lenient());
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.part")}).isEmpty());
    // Readable by others, as a database the program shares must be.
    EXPECT_TRUE(QFileInfo(out).permissions() & QFile::ReadOther);
    const QStringList tables = tool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), nwind}).split(u'\n');
    ASSERT_EQ(tables.size(), r.tables.size());
    for (const QString& t : tables) {
        const QString count = tool(QStringLiteral("mdb-count"), {nwind, t});
        EXPECT_EQ(query(out, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t)), QStringList{count}) << t.toStdString();
    }
    EXPECT_EQ(query(out, QStringLiteral("SELECT count(*) FROM Customers WHERE CompanyName LIKE 'Océ%'")), QStringList{"1"});
    EXPECT_EQ(query(out, QStringLiteral("SELECT count(*) FROM Customers WHERE City = 'Helsinki'")), QStringList{"1"});
    // Pictures byte for byte, as libmdb's own exporter writes them in hex.
    const QString exported = tool(QStringLiteral("mdb-export"), {QStringLiteral("-b"), QStringLiteral("hex"), QStringLiteral("-Q"), nwind, QStringLiteral("Categories")});
    const QString firstPicture = exported.split(u'\n').value(1).section(u',', -1);
    ASSERT_GT(firstPicture.size(), 1000);
    EXPECT_EQ(query(out, QStringLiteral("SELECT Picture FROM Categories ORDER BY CategoryID LIMIT 1")), QStringList{firstPicture});

    const QString dates = dir.filePath(QStringLiteral("dates.db"));
    ASSERT_TRUE(JetImport::ImportFile(kSamples + QStringLiteral("/DateTestDatabase.mdb"), dates, lenient()).ok);
    const QStringList rows = query(dates, QStringLiteral("SELECT IDCol, DateTimeCol, LongTextCol FROM DateTest ORDER BY IDCol"));
    ASSERT_EQ(rows.size(), 6);
    for (const QString& row : rows)
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\|\\d{4}-\\d\\d-\\d\\d")).match(row).hasMatch()) << row.toStdString();
    EXPECT_TRUE(rows.join(u'\n').contains(QRegularExpression(QStringLiteral("\\|1[0-8]\\d\\d-"))));
    EXPECT_TRUE(rows.join(u'\n').contains(QRegularExpression(QStringLiteral("\\|(20\\d\\d|9999)-"))));
    EXPECT_TRUE(rows[5].contains(u'\n'));
    EXPECT_TRUE(rows[4].contains(QStringLiteral("\\r\\n")));
}

TEST(JetImport, WhatIsNotAWholeJetFileGetsItsMessageAndNoOutput)
{
    NEED_SAMPLES();
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.db"));
    QFile source(kSamples + QStringLiteral("/nwind.mdb"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray whole = source.readAll();
    auto attempt = [&](const QByteArray& bytes, const char* what) {
        const QString path = dir.filePath(QStringLiteral("damaged.mdb"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        f.close();
        QFile::remove(out);
        const JetImport::Result r = JetImport::ImportFile(path, out, lenient());
        EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.part")}).isEmpty()) << what;
        if (!r.ok) {
            EXPECT_FALSE(r.message.isEmpty()) << what;
            EXPECT_FALSE(QFile::exists(out)) << what;
        }
        return r;
    };
    EXPECT_FALSE(attempt(whole.left(whole.size() / 2 + 100), "cut mid-page").ok);
    EXPECT_FALSE(attempt(whole.left(whole.size() / 2 / 2048 * 2048), "cut at a page").ok);
    EXPECT_TRUE(attempt(QByteArray("SQLite format 3") + QByteArray(5000, '\0'), "not Jet").message.contains(QStringLiteral("δεν είναι βάση δεδομένων Access")));
    QByteArray flipped = whole;
    for (qsizetype i = flipped.size() / 2; i < flipped.size() / 2 + 4096; i += 7)
        flipped[i] = static_cast<char>(~flipped[i]);
    attempt(flipped, "bytes flipped");  // a message or a copy, never a crash
    // A page of a picture's chain lost: libmdb reads on without a word.
    QByteArray lostPage = whole;
    lostPage.replace(65 * 2048, 2048, QByteArray(2048, '\0'));
    EXPECT_FALSE(attempt(lostPage, "a picture's page zeroed").ok);
    // Pages of the catalogue lost: it lists fewer tables, and no mode may
    // take what is left for the whole file.
    for (const int page : {6, 22, 713}) {
        QByteArray lostCatalogue = whole;
        lostCatalogue.replace(page * 2048, 2048, QByteArray(2048, '\0'));
        EXPECT_FALSE(attempt(lostCatalogue, "a catalogue page zeroed").ok) << page;
    }
    EXPECT_EQ(JetImport::ImportFile(dir.filePath(QStringLiteral("none.mdb")), out, lenient()).ok, false);
}

namespace {

// Presents a SQLite database of the program's schema as a Jet file would:
// each column with the Jet kind the publisher's file gives it.
class SampleAsJet : public JetImport::Reader {
public:
    explicit SampleAsJet(const QString& path) { sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr); }
    ~SampleAsJet() override { sqlite3_close(m_db); }

    QList<JetImport::Table> tables() override
    {
        QList<JetImport::Table> result;
        for (const QString& name : query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"))) {
            JetImport::Table t{name, {}, query(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(name)).value(0).toLongLong()};
            for (const QString& info : query(QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(name))) {
                const QString column = info.section(u'|', 0, 0);
                const QString type = info.section(u'|', 1);
                JetImport::Kind kind = JetImport::Kind::Memo;
                // Yes/No columns are the ones that hold only -1 and 0.
                const QString yesNo = QStringLiteral("SELECT count(*), count(*) FILTER (WHERE \"%2\" IN (-1, 0)), sum(\"%2\" = -1) FROM \"%1\"").arg(name, column);
                const QStringList counts = query(yesNo).value(0).split(u'|');
                if (type == u"INTEGER" && counts.value(0).toInt() > 0 && counts.value(0) == counts.value(1) && counts.value(2).toInt() > 0)
                    kind = JetImport::Kind::Bool;
                else if (column.endsWith(QStringLiteral("_date")))
                    kind = JetImport::Kind::DateTime;
                else if (type == u"INTEGER")
                    kind = JetImport::Kind::LongInt;
                else if (type == u"BLOB")
                    kind = JetImport::Kind::Ole;
                t.columns << JetImport::Column{column, kind};
            }
            result << t;
        }
        return result;
    }

    bool readRows(const JetImport::Table& table, const std::function<bool(const JetImport::Row&)>& take) override
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(m_db, QStringLiteral("SELECT * FROM \"%1\"").arg(table.name).toUtf8().constData(), -1, &st, nullptr);
        bool ok = true;
        while (ok && sqlite3_step(st) == SQLITE_ROW) {
            JetImport::Row row;
            for (int i = 0; i < table.columns.size(); ++i) {
                const JetImport::Kind kind = table.columns[i].kind;
                if (sqlite3_column_type(st, i) == SQLITE_NULL)
                    row << QVariant();
                else if (kind == JetImport::Kind::Bool)
                    row << QVariant(sqlite3_column_int64(st, i) != 0);
                else if (kind == JetImport::Kind::DateTime)
                    row << QVariant(double(QDate(1899, 12, 30).daysTo(QDate::fromString(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))), Qt::ISODate))));
                else if (kind == JetImport::Kind::LongInt)
                    row << QVariant(QString::number(sqlite3_column_int64(st, i)));
                else if (kind == JetImport::Kind::Ole)
                    row << QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i)));
                else
                    row << QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
            }
            ok = take(row);
        }
        sqlite3_finalize(st);
        return ok;
    }

    QString error() const override { return QString(); }

private:
    QStringList query(const QString& sql)
    {
        sqlite3_stmt* st = nullptr;
        QStringList rows;
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList cells;
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            rows << cells.join(u'|');
        }
        sqlite3_finalize(st);
        return rows;
    }

    sqlite3* m_db = nullptr;
};

} // namespace

TEST(JetImport, TheSampleDatabaseComesBackAsItWas)
{
    QTemporaryDir dir;
    const QString sample = QStringLiteral(SELVARA_APP_DIR "/edudataD.mdb");
    const QString copy = dir.filePath(QStringLiteral("sample.db"));
    ASSERT_TRUE(QFile::copy(sample, copy));
    // A table and a column of the publisher's own survive too.
    TestDatabase::Run(copy, QStringLiteral("CREATE TABLE Extra (note TEXT); INSERT INTO Extra VALUES ('Ά'); "
                                           "ALTER TABLE law ADD COLUMN remark TEXT; UPDATE law SET remark = 'σ' WHERE law_id = 1;"));
    SampleAsJet reader(copy);
    const QString out = dir.filePath(QStringLiteral("edudataD.mdb"));
    qint64 lastDone = -1;
    JetImport::Options options;
    options.progress = [&](qint64 done, qint64) { lastDone = done; return true; };
    const JetImport::Result r = JetImport::Import(reader, out, options);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(lastDone, r.rows);
    for (const QString& table : query(copy, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        const QString all = QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1, 2").arg(table);
        const QStringList got = query(out, all), want = query(copy, all);
        ASSERT_EQ(got.size(), want.size()) << table.toStdString();
        for (qsizetype i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i].left(300), want[i].left(300)) << table.toStdString();
        EXPECT_EQ(got, want) << table.toStdString();
    }
    // The schema's indexes are there, and Yes/No reads -1 and 0.
    EXPECT_EQ(query(out, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index'")),
              query(copy, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index'")));

    // A publisher's file without one of the program's columns is refused
    // by the command, and nothing takes the output's name.
    TestDatabase::Run(copy, QStringLiteral("DROP INDEX topic_parent; ALTER TABLE topic DROP COLUMN order_flag_lev3;"));
    SampleAsJet lacking(copy);
    const QString refused = dir.filePath(QStringLiteral("refused.mdb"));
    const JetImport::Result no = JetImport::Import(lacking, refused, JetImport::Options{});
    EXPECT_FALSE(no.ok);
    EXPECT_TRUE(no.message.contains(QStringLiteral("topic.order_flag_lev3"))) << no.message.toStdString();
    EXPECT_FALSE(QFile::exists(refused));
}

TEST(JetImport, ValuesAsTheProgramStoresThem)
{
    using JetImport::Kind;
    EXPECT_EQ(JetImport::ConvertValue(Kind::Bool, QStringLiteral("1")), QVariant(qlonglong(-1)));
    EXPECT_EQ(JetImport::ConvertValue(Kind::Bool, QStringLiteral("0")), QVariant(qlonglong(0)));
    EXPECT_EQ(JetImport::ConvertValue(Kind::Money, QStringLiteral("12,5000")), QVariant(12.5));
    EXPECT_TRUE(JetImport::ConvertValue(Kind::Memo, QVariant()).isNull());
    EXPECT_EQ(JetImport::JetDateText(0), QStringLiteral("1899-12-30"));
    EXPECT_EQ(JetImport::JetDateText(-1.25), QStringLiteral("1899-12-29 06:00:00"));
    EXPECT_EQ(JetImport::JetDateText(36526.5), QStringLiteral("2000-01-01 12:00:00"));
    EXPECT_EQ(JetImport::JetDateText(2958465.0), QStringLiteral("9999-12-31"));
    EXPECT_EQ(JetImport::JetDateText(-657434.0), QStringLiteral("0100-01-01"));
    EXPECT_EQ(JetImport::JetDateText(1.9999999999), QStringLiteral("1900-01-01"));
}
