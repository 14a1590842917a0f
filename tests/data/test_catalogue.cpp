// Every statement the program issues, built from its own pieces, run against a
// database made here, with what each returns.
#include "data/Database.h"
#include "data/SqlTools.h"
#include "documents/DocumentSql.h"
#include "history/HistorySql.h"
#include "mainwindow/SearchSql.h"
#include "mainwindow/TreeSql.h"
#include "pages/PageSql.h"
#include "startup/VersionGate.h"
#include "startup/AppError.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"
#include "windows/SettingsSql.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

namespace {

const char* kContent = R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES
  (1, 'Νόμοι', 1, -1, 2),
  (2, 'Άρθρο', 0, 0, 0),
  (3, 'Διατάγματα', 1, -1, 1),
  (4, 'Κρυφός', 1, 0, 3),
  (5, 'Παράγραφος', 0, 0, 0),
  (6, 'Χωρίς εμφάνιση', 0, -1, 4),
  (7, 'Υποπαράγραφος', 0, 0, 0),
  (8, 'Ίδια σειρά', 1, -1, 1),
  (95, 'Πάνω από 90', 1, -1, 0);

INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, article_code, parag_code, parag_subcode, issue_date, law_year, BlobType, BlobBody) VALUES
  (10, '100/2000', 1, 'Νόμος εκατό', 'Κείμενο', 0, NULL, NULL, NULL, '2000-05-01', 2000, NULL, NULL),
  (11, '100/2000', 2, 'Άρθρο 10', 'α10', 0, '10', NULL, NULL, '2000-05-01', 2000, NULL, NULL),
  (12, '100/2000', 2, 'Άρθρο 2', 'α2', 0, '2', NULL, NULL, '2000-05-01', 2000, NULL, NULL),
  (13, '100/2000', 5, 'Παρ. 2.1', 'π21', 0, '2', '1', NULL, '2000-05-01', 2000, NULL, NULL),
  (14, '100/2000', 5, 'Παρ. 3.1', 'π31', 0, '3', '1', NULL, '2000-05-01', 2000, NULL, NULL),
  (15, '100/2000', 7, 'Υποπαρ. 3.1.2', 'υ312', 0, '3', '1', '2', '2000-05-01', 2000, NULL, NULL),
  (16, '100/2000', 7, 'Υποπαρ. 4.1.1', 'υ411', 0, '4', '1', '1', '2000-05-01', 2000, NULL, NULL),
  (20, '200/2001', 1, 'Νεότερος', NULL, 0, NULL, NULL, NULL, '2001-01-01', 2001, 'rtf', X'7B5C72746631207D'),
  (21, '200/2001', 1, 'Κωδικοποίηση', 'όλο', 1, NULL, NULL, NULL, '2001-06-01', 2001, NULL, NULL),
  (22, 'O''Neil/1', 3, 'Με απόστροφο', 'κείμενο', 1, NULL, NULL, NULL, '1999-01-01', 1999, NULL, NULL),
  (23, '5/2001', 1, 'Ίδια ημερομηνία', NULL, 1, NULL, NULL, NULL, '2001-01-01', 2000, NULL, NULL),
  (40, '40/1', 4, 'Κρυφού τύπου', NULL, 1, NULL, NULL, NULL, '2002-01-01', 2002, NULL, NULL),
  (50, '50/1', 95, 'Τύπου 95', NULL, 1, NULL, NULL, NULL, '2003-01-01', 2003, NULL, NULL),
  (60, '60/1', 6, 'Μη εμφανιζόμενου τύπου', NULL, 1, NULL, NULL, NULL, '2003-01-01', 2003, NULL, NULL);

INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3) VALUES
  (1, 0, 'Μαθητές', 2, 0, 0),
  (2, 1, 'Εγγραφές', 1, 2, 0),
  (3, 1, 'Απουσίες', 1, 1, 5),
  (4, 0, 'Δομή', 1, 0, 0),
  (5, 99, 'Ορφανό', 0, 0, 0),
  (6, 1, 'Μεταγραφές', 1, 1, 1);

INSERT INTO abstract (abstract_id, topic_id, descr, aa_abstr_flag) VALUES
  (1, 2, 'Δεύτερη', 2), (2, 2, 'Πρώτη', 1), (3, 4, NULL, 1);

INSERT INTO abstract_law (abstract_id, law_id, display_conn_flag, aa_law_flag) VALUES
  (1, 10, 1, 2), (1, 22, 1, 1), (1, 40, 0, 3), (2, 10, 1, 1), (3, 12, 1, 1);

INSERT INTO KEYS (KEY_ID, descr) VALUES (1, 'ΕΓΓΡΑΦΕΣ'), (2, 'ΑΡΘΡΟ');
INSERT INTO ABSTRACT_KEYS (ABSTRACT_ID, KEY_ID) VALUES (1, 1), (2, 1), (3, 2);
INSERT INTO LAW_KEYS (LAW_ID, KEY_ID) VALUES (10, 1), (10, 2), (22, 1), (40, 1), (60, 1);

INSERT INTO schedule (schedule_id, schedule_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3, IsBlob) VALUES
  (1, 0, 'Βεβαιώσεις', 1, 0, 0, 0),
  (2, 1, 'Φοίτησης', 2, 0, 0, 0),
  (3, 1, 'Διαγωγής', 1, 0, 0, -1),
  (4, 0, 'Αιτήσεις', 2, 0, 0, 0);

INSERT INTO ScheduleAbstract (Abstract_id, Schedule_id, descr, aa_abstr_flag, BlobBody) VALUES
  (1, 1, 'β', 2, NULL), (2, 1, 'α', 1, NULL), (3, 3, NULL, 1, X'7B5C72746631207D');

INSERT INTO Schedulelaw (law_id, law_code, type_id, title, descr, all_law_flag, article_code, parag_code, parag_subcode, BlobType, BlobBody) VALUES
  (1, 'Υ1', 1, 'Βεβαίωση', 'κείμενο', 1, NULL, NULL, NULL, NULL, NULL),
  (2, 'Υ2', 1, 'Αίτηση', NULL, 0, NULL, NULL, NULL, NULL, NULL),
  (3, 'Υ2', 2, 'Άρθρο 1', 'α1', 0, '1', NULL, NULL, NULL, NULL),
  (4, 'Υ2', 5, 'Παρ. 2.1', 'π21', 0, '2', '1', NULL, NULL, NULL),
  (5, 'Υ3', 1, 'Πίνακας', NULL, 0, NULL, NULL, NULL, 'xlsx', X'504B0304');

INSERT INTO system_law_parameters (sys_info_display) VALUES (0);
)SQL";

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.filePath(QStringLiteral("edudataD.mdb"));
        TestDatabase::Create(path, QString::fromUtf8(kContent));
        db.open(path, false);
    }

    // One column of every row, as text.
    QStringList column(const QString& sql, const QString& name)
    {
        QStringList out;
        Recordset rs = db.execute(sql);
        while (!rs.eof()) {
            out << (rs.isNull(name) ? QStringLiteral("<null>") : rs.text(name));
            rs.moveNext();
        }
        return out;
    }

    qint32 count(const QString& sql) { return column(sql, QStringLiteral("l_count")).value(0).toInt(); }

    QTemporaryDir dir;
    QString path;
    Database db{QStringLiteral("catalogue")};
    SqlTools tools;
};


} // namespace

TEST_F(Catalogue, VersionGateAndStartUpSwitch)
{
    EXPECT_EQ(column(kVersionTestSql, QStringLiteral("sMaxTypeId")), QStringList{QStringLiteral("95")});
    EXPECT_EQ(column(TreeSql::SysInfoDisplay(), QStringLiteral("sys_info_display")), QStringList{QStringLiteral("0")});
    db.execute(SettingsSql::UpdateFromSettings(1));
    EXPECT_EQ(column(TreeSql::SysInfoDisplayForSettings(), QStringLiteral("sys_info_display")), QStringList{QStringLiteral("1")});
    db.execute(SettingsSql::UpdateFromSystemInfo(0));
    EXPECT_EQ(column(TreeSql::SysInfoDisplay(), QStringLiteral("SYS_INFO_DISPLAY")), QStringList{QStringLiteral("0")});
}

TEST_F(Catalogue, VersionGateOnAnEmptyTypeTableGivesNull)
{
    db.execute(QStringLiteral("DELETE FROM LAWTYPE"));
    EXPECT_EQ(column(kVersionTestSql, QStringLiteral("sMaxTypeId")), QStringList{QStringLiteral("<null>")});
}

TEST_F(Catalogue, TopicTree)
{
    EXPECT_EQ(column(TreeSql::TopicRoots(), QStringLiteral("topic_id")), (QStringList{"4", "1"}));
    // Siblings by the three sort keys in turn.
    EXPECT_EQ(column(TreeSql::TopicChildren(1), QStringLiteral("topic_Id")), (QStringList{"6", "3", "2"}));
    EXPECT_EQ(column(TreeSql::TopicChildren(1), QStringLiteral("descr")), (QStringList{"Μεταγραφές", "Απουσίες", "Εγγραφές"}));
    EXPECT_EQ(count(TreeSql::TopicChildCount(1)), 3);
    EXPECT_EQ(count(TreeSql::TopicChildCount(2)), 0);
    EXPECT_TRUE(column(TreeSql::TopicChildren(2), QStringLiteral("topic_id")).isEmpty());
}

TEST_F(Catalogue, LegislationTree)
{
    // Hidden, undisplayed and 90-or-more types are left out; ties by type id.
    EXPECT_EQ(column(TreeSql::LawTypes(), QStringLiteral("type_id")), (QStringList{"3", "8", "1"}));
    EXPECT_EQ(column(TreeSql::LawTypes(), QStringLiteral("descr")), (QStringList{"Διατάγματα", "Ίδια σειρά", "Νόμοι"}));
    // Newest first: issue date, then year, then code, all descending.
    EXPECT_EQ(column(TreeSql::LawsOfType(1), QStringLiteral("law_id")), (QStringList{"21", "20", "23", "10"}));
    EXPECT_EQ(column(TreeSql::LawsOfType(1), QStringLiteral("law_code")), (QStringList{"200/2001", "200/2001", "5/2001", "100/2000"}));
    EXPECT_EQ(count(TreeSql::LawCountOfType(1)), 4);
    EXPECT_EQ(count(TreeSql::LawCountOfTypeRoot(8)), 0);
    EXPECT_EQ(column(TreeSql::ConsolidatedVersion(tools.QuoteValue(QStringLiteral("200/2001"))), QStringLiteral("law_id")),
              QStringList{QStringLiteral("21")});
    EXPECT_TRUE(column(TreeSql::ConsolidatedVersion(tools.QuoteValue(QStringLiteral("100/2000"))), QStringLiteral("law_id")).isEmpty());
    EXPECT_EQ(column(TreeSql::ConsolidatedVersion(tools.QuoteValue(QStringLiteral("O'Neil/1"))), QStringLiteral("law_code")),
              QStringList{QStringLiteral("O'Neil/1")});
}

TEST_F(Catalogue, ScheduleTree)
{
    EXPECT_EQ(column(TreeSql::ScheduleRoots(), QStringLiteral("schedule_id")), (QStringList{"1", "4"}));
    EXPECT_EQ(column(TreeSql::ScheduleChildren(1), QStringLiteral("descr")), (QStringList{"Διαγωγής", "Φοίτησης"}));
    EXPECT_EQ(count(TreeSql::ScheduleChildCount(1)), 2);
    EXPECT_EQ(count(TreeSql::ScheduleChildCount(4)), 0);
}

TEST_F(Catalogue, Searches)
{
    const QString keyCond = QStringLiteral("KEYS.descr LIKE '%ΕΓΓΡΑΦ%'");
    // Two abstracts of topic 2 share the keyword: the topic comes once.
    EXPECT_EQ(column(SearchSql::TopicKeywords(keyCond), QStringLiteral("topic_id")), QStringList{QStringLiteral("2")});
    EXPECT_EQ(column(SearchSql::TopicKeywords(keyCond), QStringLiteral("topic_id_parent")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(column(SearchSql::TopicTitles(QStringLiteral("ucase(topic.descr) LIKE '%ΓΡΑΦ%'")), QStringLiteral("topic_id")),
              (QStringList{"2", "6"}));
    EXPECT_EQ(column(SearchSql::TopicAncestor(2), QStringLiteral("topic_id_parent")), QStringList{QStringLiteral("1")});
    EXPECT_TRUE(column(SearchSql::TopicAncestor(99), QStringLiteral("topic_id")).isEmpty());

    // Laws of types not displayed (4 is displayed but hidden from the tree; 6 is not displayed).
    QStringList byKey = column(SearchSql::LawKeywords(keyCond), QStringLiteral("LAW_ID"));
    byKey.sort();
    EXPECT_EQ(byKey, (QStringList{"10", "22", "40"}));
    EXPECT_EQ(column(SearchSql::LawKeywords(QStringLiteral("KEYS.descr = 'ΑΡΘΡΟ'")), QStringLiteral("TYPE_ID")),
              QStringList{QStringLiteral("1")});
    QStringList byTitle = column(SearchSql::LawTitles(QStringLiteral("law.title LIKE '%Νόμος%'")), QStringLiteral("law_id"));
    EXPECT_EQ(byTitle, QStringList{QStringLiteral("10")});
    EXPECT_TRUE(column(SearchSql::LawTitles(QStringLiteral("law.title LIKE '%εμφανιζόμενου%'")), QStringLiteral("law_id")).isEmpty());

    EXPECT_EQ(column(SearchSql::Schedule(QStringLiteral("Schedule.descr LIKE 'Φ%' OR Schedule.descr LIKE 'Δ%'")), QStringLiteral("Schedule_id")),
              (QStringList{"2", "3"}));
    EXPECT_EQ(column(SearchSql::ScheduleAncestor(3), QStringLiteral("Schedule_id_parent")), QStringList{QStringLiteral("1")});
}

TEST_F(Catalogue, TopicPage)
{
    EXPECT_EQ(column(PageSql::TopicAbstracts(2), QStringLiteral("abstr_descr")), (QStringList{"Πρώτη", "Δεύτερη"}));
    EXPECT_EQ(column(PageSql::TopicAbstracts(2), QStringLiteral("topic_descr")), (QStringList{"Εγγραφές", "Εγγραφές"}));
    EXPECT_EQ(column(PageSql::TopicAbstracts(4), QStringLiteral("abstr_descr")), QStringList{QStringLiteral("<null>")});
    EXPECT_TRUE(column(PageSql::TopicAbstracts(3), QStringLiteral("abstract_id")).isEmpty());
    // Only displayed links, by their order.
    EXPECT_EQ(column(PageSql::AbstractLaws(1), QStringLiteral("law_id")), (QStringList{"22", "10"}));
    EXPECT_EQ(column(PageSql::AbstractLaws(1), QStringLiteral("title")), (QStringList{"Με απόστροφο", "Νόμος εκατό"}));
}

TEST_F(Catalogue, LawPage)
{
    for (bool fromHistory : {false, true}) {
        const QString sql = PageSql::LawRecord(20, fromHistory);
        EXPECT_EQ(column(sql, QStringLiteral("BlobType")), QStringList{QStringLiteral("rtf")});
        EXPECT_EQ(column(sql, QStringLiteral("display_flag")), QStringList{QStringLiteral("1")});
        EXPECT_EQ(column(sql, QStringLiteral("all_law_flag")), QStringList{QStringLiteral("0")});
    }
    EXPECT_EQ(column(PageSql::LawRecord(12, false), QStringLiteral("display_flag")), QStringList{QStringLiteral("0")});
    EXPECT_TRUE(column(PageSql::LawRecord(999, false), QStringLiteral("title")).isEmpty());

    EXPECT_EQ(column(PageSql::AssembledLawRecord(10), QStringLiteral("law_code")), QStringList{QStringLiteral("100/2000")});
    EXPECT_TRUE(column(PageSql::AssembledLawRecord(60), QStringLiteral("law_code")).isEmpty());

    // Article order by numeric value: the law row, 2, 2.1, 3.1, 3.1.2, 4.1.1, 10.
    const QString code = tools.QuoteValue(QStringLiteral("100/2000"));
    EXPECT_EQ(column(PageSql::LawGroup(code), QStringLiteral("law_id")), (QStringList{"10", "12", "13", "14", "15", "16", "11"}));
    EXPECT_EQ(count(PageSql::ArticleCount(tools.QuoteValue(QStringLiteral("2")), code)), 1);
    EXPECT_EQ(count(PageSql::ArticleCount(tools.QuoteValue(QStringLiteral("3")), code)), 0);
    EXPECT_EQ(count(PageSql::ParagraphCount(tools.QuoteValue(QStringLiteral("3")), code, tools.QuoteValue(QStringLiteral("1")))), 1);
    EXPECT_EQ(count(PageSql::ParagraphCount(tools.QuoteValue(QStringLiteral("4")), code, tools.QuoteValue(QStringLiteral("1")))), 0);
}

TEST_F(Catalogue, RelatedTopics)
{
    // Law 10 is linked twice from topic 2 (two abstracts): listed twice.
    EXPECT_EQ(column(PageSql::RelatedTopics(QStringLiteral("10"), false), QStringLiteral("TOPIC_ID")), (QStringList{"2", "2"}));
    EXPECT_EQ(column(PageSql::RelatedTopics(QStringLiteral("10"), true), QStringLiteral("DESCR")), (QStringList{"Εγγραφές", "Εγγραφές"}));
    EXPECT_EQ(column(PageSql::LawCodes(QStringLiteral("12")), QStringLiteral("LAW_CODE")), QStringList{QStringLiteral("100/2000")});
    // Through any record of the group, each topic once.
    QStringList byCode = column(PageSql::RelatedTopicsOfCode(QStringLiteral("100/2000")), QStringLiteral("TOPIC_ID"));
    byCode.sort();
    EXPECT_EQ(byCode, (QStringList{"2", "4"}));
    EXPECT_EQ(column(PageSql::RelatedTopicsOfCode(QStringLiteral("O'Neil/1")), QStringLiteral("DESCR")), QStringList{QStringLiteral("Εγγραφές")});
}

TEST_F(Catalogue, SchedulePages)
{
    EXPECT_EQ(column(PageSql::ScheduleNodeAbstracts(1), QStringLiteral("abstr_descr")), (QStringList{"α", "β"}));
    EXPECT_EQ(column(PageSql::ScheduleNodeAbstracts(1), QStringLiteral("Schedule_descr")), (QStringList{"Βεβαιώσεις", "Βεβαιώσεις"}));
    EXPECT_EQ(column(PageSql::ScheduleNodeAbstracts(3), QStringLiteral("IsBlob")), QStringList{QStringLiteral("-1")});
    EXPECT_TRUE(column(PageSql::ScheduleNodeAbstracts(4), QStringLiteral("Abstract_id")).isEmpty());

    EXPECT_EQ(column(PageSql::TemplateRecord(1), QStringLiteral("all_law_flag")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(column(PageSql::AssembledTemplateRecord(2), QStringLiteral("law_code")), QStringList{QStringLiteral("Υ2")});
    const QString code = tools.QuoteValue(QStringLiteral("Υ2"));
    EXPECT_EQ(column(PageSql::TemplateGroup(code), QStringLiteral("law_id")), (QStringList{"2", "3", "4"}));
    EXPECT_EQ(count(PageSql::TemplateArticleCount(tools.QuoteValue(QStringLiteral("1")), code)), 1);
    EXPECT_EQ(count(PageSql::TemplateParagraphCount(tools.QuoteValue(QStringLiteral("2")), code, tools.QuoteValue(QStringLiteral("1")))), 1);
}

TEST_F(Catalogue, AttachedDocuments)
{
    Recordset law = db.openRecordset(DocumentSql::LawDocument(20), CursorType::Static);
    ASSERT_FALSE(law.eof());
    EXPECT_EQ(law.value(u"BlobBody").toByteArray(), QByteArray("{\\rtf1 }"));
    EXPECT_EQ(law.text(u"BlobType"), QStringLiteral("rtf"));
    EXPECT_EQ(column(DocumentSql::TemplateDocument(5), QStringLiteral("BlobType")), QStringList{QStringLiteral("xlsx")});
    EXPECT_EQ(column(DocumentSql::TemplateDocument(1), QStringLiteral("BlobType")), QStringList{QStringLiteral("<null>")});
    Recordset abs = db.execute(DocumentSql::ScheduleAbstractDocument(3));
    ASSERT_FALSE(abs.eof());
    EXPECT_EQ(abs.value(u"BlobBody").toByteArray().size(), 8);
}

TEST_F(Catalogue, History)
{
    EXPECT_EQ(column(HistorySql::TitleForLoad(QStringLiteral("22")), QStringLiteral("title")), QStringList{QStringLiteral("Με απόστροφο")});
    EXPECT_TRUE(column(HistorySql::TitleForLoad(QStringLiteral("999")), QStringLiteral("law_id")).isEmpty());
    EXPECT_THROW(column(HistorySql::TitleForLoad(QString()), QStringLiteral("law_id")), AppError);
    EXPECT_EQ(column(HistorySql::TitleForSave(10), QStringLiteral("descr")), QStringList{QStringLiteral("Κείμενο")});
}
