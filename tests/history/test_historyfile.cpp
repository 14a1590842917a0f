// The history file and the entries it gives.
#include "data/Database.h"
#include "history/HistoryFile.h"
#include "mainwindow/FrmInitial.h"
#include "pages/PageBrowser.h"
#include "startup/Program.h"
#include "support/QtPrinters.h"
#include "support/TestApp.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <stdexcept>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const QString kLaws = QStringLiteral("INSERT INTO law (law_id, law_code, title) VALUES (12, '12', 'Δώδεκα'), (34, '34', NULL), (56, '56', 'Πενήντα έξι');"
                                     "INSERT INTO system_law_parameters VALUES (1);");

} // namespace

TEST(HistoryFile, LinesWithOrWithoutAFinalLineEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    writeFile(path, "12\r\n34\r\n");
    EXPECT_EQ(ReadHistoryLines(path), (QStringList{"12", "34"}));
    writeFile(path, "12\r\n34");
    EXPECT_EQ(ReadHistoryLines(path), (QStringList{"12", "34"}));
    writeFile(path, "");
    EXPECT_TRUE(ReadHistoryLines(path).isEmpty());
    bool opened = true;
    EXPECT_TRUE(ReadHistoryLines(dir.filePath(QStringLiteral("none.txt")), &opened).isEmpty());
    EXPECT_FALSE(opened);
    // Written by other editors: line feeds alone, a byte-order mark, blanks.
    writeFile(path, "\xEF\xBB\xBF" "12\n 34 \n56");
    EXPECT_EQ(ReadHistoryLines(path), (QStringList{"12", "34", "56"}));
}

TEST(HistoryFile, AHugeFileIsReadOnlyAsFarAsAListHolds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray block = QByteArray("7\r\n").repeated(1000);
    for (int i = 0; i < 40; ++i)
        f.write(block);
    f.close();
    bool whole = true;
    EXPECT_EQ(ReadHistoryLines(path, nullptr, &whole).size(), kMaxHistoryEntries);
    EXPECT_FALSE(whole);
    // One endless line is no number: reading stops at its start.
    writeFile(path, "1\r\n" + QByteArray(10'000'000, '9'));
    const QStringList lines = ReadHistoryLines(path, nullptr, &whole);
    EXPECT_EQ(lines.size(), 2);
    EXPECT_LT(lines.value(1).size(), 100);
    EXPECT_FALSE(whole);
}

TEST(HistoryFile, AListThatStoppedShortKeepsTheFileAside)
{
    TestApp app(kLaws);
    ASSERT_TRUE(app.started);
    const QString path = QDir(app.platform.appFolder).filePath(QStringLiteral("history.txt"));
    writeFile(path, "56\r\nabc\r\n12\r\n");
    Program again(app.platform);
    ASSERT_TRUE(again.Main());
    EXPECT_EQ(again.frmInitial()->lsthistory->count(), 1);
    again.frmInitial()->close();
    EXPECT_EQ(readFile(path), QByteArray("56\r\n"));
    EXPECT_EQ(readFile(path + QStringLiteral(".bak")), QByteArray("56\r\nabc\r\n12\r\n"));
}

TEST(HistoryFile, WrittenAsIdsEndedByCarriageReturnLineFeed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    ASSERT_TRUE(WriteHistoryFile(path, {12, -3, 40000}));
    EXPECT_EQ(readFile(path), QByteArray("12\r\n-3\r\n40000\r\n"));
    ASSERT_TRUE(WriteHistoryFile(path, {}));
    EXPECT_EQ(readFile(path), QByteArray());
    EXPECT_FALSE(WriteHistoryFile(dir.filePath(QStringLiteral("no/folder/history.txt")), {1}));
}

TEST(HistoryFile, EntriesStopAtTheFirstLineThatIsNoNumber)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("h.mdb"));
    TestDatabase::Create(path, kLaws);
    Database db(QStringLiteral("history"));
    db.open(path, false);
    const auto entries = HistoryEntries(db, {QStringLiteral("12"), QStringLiteral("99"), QStringLiteral("34"), QString(), QStringLiteral("56")});
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0], (QPair<QString, qint32>{QStringLiteral("Δώδεκα"), 12}));
    EXPECT_EQ(entries[1], (QPair<QString, qint32>{QString(), 34}));
    EXPECT_TRUE(HistoryEntries(db, {QStringLiteral("1 OR 1=1")}).isEmpty());
}

TEST(HistoryFile, TheMainWindowLoadsAndWritesItBack)
{
    {
        // The file lies in the application folder the program starts from.
        TestApp first(kLaws);
        writeFile(QDir(first.platform.appFolder).filePath(QStringLiteral("history.txt")), "56\r\n12");
        Program again(first.platform);
        ASSERT_TRUE(again.Main());
        QListWidget* list = again.frmInitial()->lsthistory;
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Πενήντα έξι"));
        EXPECT_EQ(list->item(1)->data(Qt::UserRole).toInt(), 12);
        delete list->takeItem(0);
        again.frmInitial()->close();
        EXPECT_EQ(readFile(QDir(first.platform.appFolder).filePath(QStringLiteral("history.txt"))), QByteArray("12\r\n"));
    }
}

TEST(HistoryFile, AnInterruptedSaveLeavesThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    writeFile(path, "7\r\n8\r\n");
    int lines = 0;
    EXPECT_THROW(WriteHistoryFile(path, {1, 2, 3, 4}, [&] {
                     if (++lines == 2)
                         throw std::runtime_error("killed");
                 }),
                 std::runtime_error);
    EXPECT_EQ(readFile(path), QByteArray("7\r\n8\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("history.txt")});
}

// As root a read-only folder is still writable, so a folder stands where the
// file would go.
TEST(HistoryFile, AProgramFolderThatCannotBeWrittenKeepsItInTheUsersFolder)
{
    QTemporaryDir program;
    QTemporaryDir user;
    const QString userData = user.filePath(QStringLiteral("data/Selvara"));
    writeFile(program.filePath(QStringLiteral("history.txt")), "5\r\n");
    HistoryStore store(program.path(), userData);
    EXPECT_EQ(store.loadPath(), program.filePath(QStringLiteral("history.txt")));

    ASSERT_TRUE(QFile::remove(program.filePath(QStringLiteral("history.txt"))));
    ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("history.txt/blocked")));
    ASSERT_TRUE(store.save({5, 6}));
    EXPECT_EQ(store.loadPath(), userData + QStringLiteral("/history.txt"));
    EXPECT_EQ(readFile(store.loadPath()), QByteArray("5\r\n6\r\n"));

    ASSERT_TRUE(QDir(program.filePath(QStringLiteral("history.txt"))).removeRecursively());
    ASSERT_TRUE(store.save({6}));
    EXPECT_EQ(store.loadPath(), program.filePath(QStringLiteral("history.txt")));
    EXPECT_EQ(readFile(store.loadPath()), QByteArray("6\r\n"));
    EXPECT_FALSE(QFile::exists(userData + QStringLiteral("/history.txt")));
}

TEST(HistoryFile, KeepingDeletingAndAFreshStart)
{
    TestApp app(kLaws);
    ASSERT_TRUE(app.started);
    app.alter(QStringLiteral("INSERT INTO LAWTYPE (type_id, descr, display_flag) VALUES (1, 'Νόμοι', 1);"
                             "UPDATE law SET type_id = 1, all_law_flag = 1, descr = '<p>κείμενο ' || law_id || '</p>';"));
    FrmInitial& w = app.window();
    AppState& st = app.program().state();
    auto& messages = app.platform.recorder.messages;

    // The topics tab's button wants a law chosen through a page link.
    w.cmdpichistory->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].title, QStringLiteral("Ανεπιτυχής Αποθήκευση στο Ιστορικό"));
    st.gLawIdThemata = 12;
    w.gAbstract = w.gScheduleAbstract = 1;
    w.cmdpichistory->click();
    st.gMainActive = 1;
    st.gLawIdNomoi = 56;
    w.cmdpicsavewholelaw->click();
    w.cmdpicsavewholelaw->click();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1].prompt, QStringLiteral("Υπάρχει ήδη αποθηκευμένο το τρέχον Νομοθέτημα στο Ιστορικό"));
    ASSERT_EQ(w.lsthistory->count(), 2);
    EXPECT_EQ(w.lsthistory->item(1)->text(), QStringLiteral("Πενήντα έξι"));
    // On disk at once: a program killed now loses nothing kept.
    EXPECT_EQ(readFile(QDir(app.platform.appFolder).filePath(QStringLiteral("history.txt"))), QByteArray("12\r\n56\r\n"));

    SelectTab(w, FrmInitial::kHistory);
    w.lsthistory->setCurrentRow(1);
    EXPECT_TRUE(w.brwWebBrowser3->toPlainText().contains(QStringLiteral("κείμενο 56")));
    w.Cmddelete->click();
    w.lsthistory->setCurrentRow(0);
    w.Cmddelete->click();
    EXPECT_EQ(w.lsthistory->count(), 0);
    w.close();
    EXPECT_EQ(readFile(QDir(app.platform.appFolder).filePath(QStringLiteral("history.txt"))), QByteArray());
}
