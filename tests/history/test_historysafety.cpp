// The history list survives a full disk, unwritable folders, a stale copy
// and a damaged giant of a file.
#include "history/HistoryFile.h"
#include "mainwindow/FrmInitial.h"
#include "startup/Program.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A folder on a tmpfs of a few pages, mounted for the test and gone after it.
class SmallDisk {
public:
    SmallDisk()
    {
#ifdef Q_OS_UNIX
        if (::geteuid() == 0 && QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                                             QStringLiteral("-o"), QStringLiteral("size=16k"),
                                                                             QStringLiteral("tmpfs"), dir.path()}) == 0)
            mounted = true;
#endif
    }
    ~SmallDisk()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {dir.path()});
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    // Takes what space is left.
    void fill() const
    {
        QFile f(path("filler"));
        if (f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (f.write(QByteArray(4096, 'x')) > 0) {
            }
    }

    QTemporaryDir dir;
    bool mounted = false;
};

} // namespace

TEST(HistorySafety, AFullDiskKeepsTheOldListAndTheUsersFolderTakesTheNew)
{
    SmallDisk disk;
    if (!disk.mounted)
        GTEST_SKIP() << "no small tmpfs could be mounted here (needs root)";
    const QString file = disk.path("history.txt");
    Write(file, "1\r\n2\r\n3\r\n");
    disk.fill();
    QList<qint32> many;
    for (int i = 0; i < 1500; ++i)
        many << 100000 + i;
    EXPECT_FALSE(WriteHistoryFile(file, many));
    EXPECT_EQ(ReadAll(file), QByteArray("1\r\n2\r\n3\r\n"));
    EXPECT_EQ(QDir(disk.dir.path()).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden), QStringList());

    QTemporaryDir user;
    HistoryStore store(disk.dir.path(), user.filePath(QStringLiteral("Selvara")));
    ASSERT_TRUE(store.save(many));
    EXPECT_EQ(store.loadPath(), user.filePath(QStringLiteral("Selvara/history.txt")));
    EXPECT_EQ(ReadAll(file), QByteArray("1\r\n2\r\n3\r\n"));
}

TEST(HistorySafety, TheCopyWrittenLastIsTheList)
{
    QTemporaryDir program;
    QTemporaryDir user;
    const QString programFile = program.filePath(QStringLiteral("history.txt"));
    const QString userFile = user.filePath(QStringLiteral("history.txt"));
    Write(userFile, "5\r\n");
    Write(programFile, "5\r\n6\r\n");
    const HistoryStore store(program.path(), user.path());
    QFile older(userFile);
    ASSERT_TRUE(older.open(QIODevice::ReadWrite));
    ASSERT_TRUE(older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    older.close();
    EXPECT_EQ(store.loadPath(), programFile);
    QFile newer(userFile);
    ASSERT_TRUE(newer.open(QIODevice::ReadWrite));
    ASSERT_TRUE(newer.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    newer.close();
    EXPECT_EQ(store.loadPath(), userFile);
}

TEST(HistorySafety, NeitherFolderWritableIsSaidAtOnce)
{
    TestApp app(QStringLiteral("INSERT INTO law (law_id, law_code, title) VALUES (12, '12', 'Δώδεκα');"
                               "INSERT INTO system_law_parameters VALUES (1);"));
    ASSERT_TRUE(app.started);
    // As root a read-only folder is still writable: folders stand where the
    // files would go.
    ASSERT_TRUE(QDir(app.platform.appFolder).mkpath(QStringLiteral("history.txt/blocked")));
    Write(QDir(app.platform.scratch.path()).filePath(QStringLiteral("not a folder")), "x");
    app.platform.userDataPath = QDir(app.platform.scratch.path()).filePath(QStringLiteral("not a folder/Selvara"));
    app.program().state().gMainActive = 1;
    app.program().state().gLawIdNomoi = 12;
    app.window().cmdpicsavewholelaw->click();
    ASSERT_EQ(app.platform.recorder.messages.size(), 1);
    EXPECT_EQ(app.platform.recorder.messages[0].title, QStringLiteral("Ανεπιτυχής Αποθήκευση του Ιστορικού"));
    // The kept law stays in the list for this run.
    EXPECT_EQ(app.window().lsthistory->count(), 1);
}

TEST(HistorySafety, ADamagedGiantIsKeptAsideByItsName)
{
    TestApp app(QStringLiteral("INSERT INTO law (law_id, law_code, title) VALUES (12, '12', 'Δώδεκα');"
                               "INSERT INTO system_law_parameters VALUES (1);"));
    ASSERT_TRUE(app.started);
    const QString path = QDir(app.platform.appFolder).filePath(QStringLiteral("history.txt"));
    {
        // Two gigabytes of nothing, taking no disk: renamed, never copied.
        QFile sparse(path);
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
        sparse.write("12\r\n");
        ASSERT_TRUE(sparse.resize(2LL << 30));
    }
    Program again(app.platform);
    ASSERT_TRUE(again.Main());
    EXPECT_EQ(again.frmInitial()->lsthistory->count(), 1);
    again.frmInitial()->close();
    EXPECT_EQ(QFileInfo(path + QStringLiteral(".bak")).size(), 2LL << 30);
    EXPECT_EQ(ReadAll(path), QByteArray("12\r\n"));
}
