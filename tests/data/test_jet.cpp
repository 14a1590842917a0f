// The original dialect on SQLite: the functions and forms the statements use,
// reading columns by name, and the errors a failing statement carries.
#include "data/Database.h"
#include "data/JetFunctions.h"
#include "data/SqlTools.h"
#include "startup/AppError.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class JetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.filePath(QStringLiteral("edudataD.mdb"));
        TestDatabase::Create(path,
            QStringLiteral("INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES "
                           "(1, 'Νόμοι', 1, -1, 1), (3, 'Κρυφός', 1, 0, 2);"
                           "INSERT INTO law (law_id, law_code, type_id, title, descr) VALUES "
                           "(1, '10', 1, '', NULL), (2, '2', 1, 'Τίτλος', 'κείμενο');"));
        db.open(path, false);
    }

    QTemporaryDir dir;
    QString path;
    Database db{QStringLiteral("jet-test")};
};

QVariant scalar(Database& db, const QString& sql)
{
    Recordset rs = db.execute(sql);
    EXPECT_FALSE(rs.eof()) << sql.toStdString();
    return rs.eof() ? QVariant() : rs.value(QStringLiteral("v"));
}

} // namespace

TEST(JetVal, ReadsTheLeadingNumber)
{
    EXPECT_EQ(Jet::Val(u"10"), 10.0);
    EXPECT_EQ(Jet::Val(u"  2a"), 2.0);
    EXPECT_EQ(Jet::Val(u"\t 7 8"), 7.0);
    EXPECT_EQ(Jet::Val(u"-3.5x"), -3.5);
    EXPECT_EQ(Jet::Val(u"1.2.3"), 1.2);
    EXPECT_EQ(Jet::Val(u"4e2"), 400.0);
    EXPECT_EQ(Jet::Val(u"4e"), 4.0);
    EXPECT_EQ(Jet::Val(u"abc"), 0.0);
    EXPECT_EQ(Jet::Val(u""), 0.0);
    EXPECT_EQ(Jet::Val(u"-"), 0.0);
    EXPECT_EQ(Jet::Val(u"."), 0.0);
    EXPECT_EQ(Jet::Val(u"1e999"), 0.0);
}

TEST(JetUCase, OneCharacterForOne)
{
    EXPECT_EQ(Jet::UCase(u"άρθρο ς"), QStringLiteral("ΆΡΘΡΟ Σ"));
    EXPECT_EQ(Jet::UCase(u"Αϊδίνι"), QStringLiteral("ΑΪΔΊΝΙ"));
    // No single-character upper case: unchanged, never expanded.
    EXPECT_EQ(Jet::UCase(u"ΐΰß"), QStringLiteral("ΐΰß"));
    EXPECT_EQ(Jet::UCase(u"abc 12-;"), QStringLiteral("ABC 12-;"));
    // Characters outside the basic plane survive.
    EXPECT_EQ(Jet::UCase(QString::fromUtf8("\xF0\x90\x90\xA8")), QString::fromUtf8("\xF0\x90\x90\x80"));
}

TEST(JetDialect, DistinctRowBecomesDistinctOutsideLiterals)
{
    EXPECT_EQ(Jet::ToSqlite(QStringLiteral("Select DISTINCTROW a FROM t")), QStringLiteral("Select DISTINCT a FROM t"));
    EXPECT_EQ(Jet::ToSqlite(QStringLiteral("select distinctrow a")), QStringLiteral("select DISTINCT a"));
    EXPECT_EQ(Jet::ToSqlite(QStringLiteral("SELECT 'DISTINCTROW' , [DISTINCTROW x] FROM t WHERE a='it''s DISTINCTROW'")),
              QStringLiteral("SELECT 'DISTINCTROW' , [DISTINCTROW x] FROM t WHERE a='it''s DISTINCTROW'"));
    EXPECT_EQ(Jet::ToSqlite(QStringLiteral("SELECT DISTINCTROWS, xDISTINCTROW")), QStringLiteral("SELECT DISTINCTROWS, xDISTINCTROW"));
    EXPECT_EQ(Jet::ToSqlite(QStringLiteral("SELECT 'unterminated DISTINCTROW")), QStringLiteral("SELECT 'unterminated DISTINCTROW"));
}

TEST_F(JetTest, FunctionsWorkInsideStatements)
{
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT val('  12abc') as v")).toLongLong(), 12);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT val('x') as v")).toLongLong(), 0);
    EXPECT_DOUBLE_EQ(scalar(db, QStringLiteral("SELECT val('2.5') as v")).toDouble(), 2.5);
    EXPECT_TRUE(scalar(db, QStringLiteral("SELECT val(NULL) as v")).isNull());
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT ucase('ά ς') as v")).toString(), QStringLiteral("Ά Σ"));
    EXPECT_TRUE(scalar(db, QStringLiteral("SELECT ucase(NULL) as v")).isNull());
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT foldsearch(' άρθρο ') as v")).toString(), QStringLiteral("ΑΡΘΡΟ"));
}

TEST_F(JetTest, ValOrdersNumerically)
{
    Recordset rs = db.execute(QStringLiteral("SELECT law_code FROM law ORDER BY val(law_code) asc"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.text(u"law_code"), QStringLiteral("2"));
    rs.moveNext();
    EXPECT_EQ(rs.text(u"law_code"), QStringLiteral("10"));
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}

TEST_F(JetTest, DistinctRowAndBareYesNoColumns)
{
    Recordset rs = db.execute(QStringLiteral("Select DISTINCTROW LAWTYPE.type_id FROM LAWTYPE, law WHERE LAWTYPE_SHOW"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.toLong(u"TYPE_ID"), 1);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}

TEST_F(JetTest, ColumnsByNameRegardlessOfCaseAndNullApartFromEmpty)
{
    Recordset rs = db.execute(QStringLiteral("SELECT law.law_id, law.title, law.descr FROM law WHERE law_id = 1"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.toLong(u"LAW_ID"), 1);
    EXPECT_FALSE(rs.isNull(u"Title"));
    EXPECT_EQ(rs.text(u"TITLE"), QString());
    EXPECT_TRUE(rs.isNull(u"DESCR"));
    EXPECT_EQ(rs.text(u"descr"), QString());
    EXPECT_EQ(rs.toLong(u"descr"), 0);
}

TEST_F(JetTest, MissingColumnAndReadingPastTheEndAreErrors)
{
    Recordset rs = db.execute(QStringLiteral("SELECT law_id FROM law WHERE law_id = 1"));
    try {
        rs.value(u"nothing");
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::ItemNotFound);
    }
    rs.moveNext();
    ASSERT_TRUE(rs.eof());
    EXPECT_THROW(rs.value(u"law_id"), AppError);
    EXPECT_THROW(rs.moveNext(), AppError);
}

TEST_F(JetTest, AFailingStatementCarriesNumberAndDescription)
{
    try {
        db.execute(QStringLiteral("SELECT x FROM no_such_table"));
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 1);
        EXPECT_TRUE(e.description().contains(QStringLiteral("no_such_table"))) << e.what();
    }
}

TEST(DatabaseOpen, RefusesWhatIsNotADatabase)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("edudataD.mdb"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("This is a text file, not a database.\n").repeated(40));
    f.close();
    const QString empty = dir.filePath(QStringLiteral("empty.mdb"));
    QFile zero(empty);
    ASSERT_TRUE(zero.open(QIODevice::WriteOnly));
    zero.close();
    for (const auto& [path, readOnly] : {std::pair{text, false}, std::pair{text, true}, std::pair{empty, false}}) {
        Database db(QStringLiteral("not-a-db"));
        try {
            db.open(path, readOnly);
            FAIL() << "opened " << path.toStdString();
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), 26);
            EXPECT_FALSE(e.description().isEmpty());
        }
        EXPECT_FALSE(db.isOpen());
    }
}

TEST(DatabaseOpen, AMissingFileIsNotCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edudataD.mdb"));
    Database db(QStringLiteral("missing"));
    try {
        db.open(path, false);
        FAIL() << "opened a missing file";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::FileNotFound);
    }
    EXPECT_FALSE(QFile::exists(path));
    try {
        db.open(dir.filePath(QStringLiteral("no/such/folder/edudataD.mdb")), true);
        FAIL() << "opened a missing folder";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::PathNotFound);
    }
}

TEST(DatabaseOpen, ReadOnlyOpeningRefusesWritesButReads)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edudataD.mdb"));
    TestDatabase::Create(path, QStringLiteral("INSERT INTO system_law_parameters VALUES (0);"));
    Database rw(QStringLiteral("rw"));
    Database ro(QStringLiteral("ro"));
    rw.open(path, false);
    ro.open(path, true);
    EXPECT_THROW(ro.execute(QStringLiteral(" UPDATE system_law_parameters SET sys_info_display = 1")), AppError);
    rw.execute(QStringLiteral(" UPDATE system_law_parameters SET sys_info_display = 1"));
    Recordset rs = ro.execute(QStringLiteral(" SELECT sys_info_display FROM system_law_parameters "));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.toLong(u"sys_info_display"), 1);
}

TEST(QuoteValue, MatchesExactlyTheRowsWithThatText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.mdb"));
    const QStringList codes = {QStringLiteral("O'Neil"), QStringLiteral("a\\b"), QStringLiteral("Ν. 1566/1985"),
                               QString(), QStringLiteral("''"), QStringLiteral("x' OR '1'='1")};
    TestDatabase::Create(path);
    Database db(QStringLiteral("quote"));
    db.open(path, false);
    SqlTools tools;
    for (int i = 0; i < codes.size(); ++i)
        db.execute(QStringLiteral("INSERT INTO law (law_id, law_code) VALUES (%1, %2)").arg(i + 1).arg(tools.QuoteValue(codes[i])));
    for (int i = 0; i < codes.size(); ++i) {
        Recordset rs = db.execute(QStringLiteral("SELECT law_id FROM law WHERE law_code = ") + tools.QuoteValue(codes[i]));
        ASSERT_FALSE(rs.eof()) << codes[i].toStdString();
        EXPECT_EQ(rs.toLong(u"law_id"), i + 1);
        rs.moveNext();
        EXPECT_TRUE(rs.eof()) << codes[i].toStdString();
    }
    Recordset none = db.execute(QStringLiteral("SELECT law_id FROM law WHERE law_code = ") + tools.QuoteValue(QVariant()));
    EXPECT_TRUE(none.eof());
}
