// The office layer and the viewer, driven against a stand-in program that
// writes down its arguments one a line and then waits to be ended.
#include "documents/HandedFiles.h"
#include "documents/OfficeApplication.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace {

class StandIn {
public:
    // waits: stays running until it is ended, as an office program does.
    explicit StandIn(bool waits = true)
    {
        program = dir.filePath(QStringLiteral("office suite/soffice"));
        log = dir.filePath(QStringLiteral("args.txt"));
        QDir(dir.path()).mkpath(QStringLiteral("office suite"));
        QFile f(program);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + log.toUtf8()
                + ".part\"\nmv \"" + log.toUtf8() + ".part\" \"" + log.toUtf8() + "\"\n" + (waits ? "exec sleep 30\n" : ""));
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }

    // The arguments the stand-in was started with, once it has written them.
    QStringList arguments() const
    {
        QDeadlineTimer deadline(5000);
        while (!QFile::exists(log) && !deadline.hasExpired())
            QThread::msleep(10);
        QFile f(log);
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<never started>")};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString program;
    QString log;
};

} // namespace

#ifdef Q_OS_UNIX
// Running, and not a zombie waiting for a parent that is gone.
bool Alive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    return !text.mid(text.lastIndexOf(')') + 2, 1).startsWith('Z');
}
#endif

TEST(Office, DocumentsHandedToTheUserAreNewDocumentsThatNothingCloses)
{
    StandIn office;
    const QString file = office.dir.filePath(QStringLiteral("my docs/BlobSubBody.rtf"));
    for (const char* className : {"Word.Application", "Excel.Application"}) {
        QFile::remove(office.log);
        auto app = OfficeApplication::CreateObject(QLatin1String(className), office.program,
                                                   office.dir.filePath(QStringLiteral("print profile")));
        ASSERT_TRUE(app);
        app->Visible = true;
        std::unique_ptr<OfficeDocument> doc =
            app->kind() == OfficeApplication::Kind::Word ? app->DocumentsOpen(file) : app->WorkBooksAdd(file);
        ASSERT_TRUE(doc);
        // The user's own instance, a new untitled document from the file.
        const QStringList args = office.arguments();
        EXPECT_FALSE(args.join(u' ').contains(QStringLiteral("UserInstallation")));
        EXPECT_EQ(args.mid(args.size() - 3),
                  (QStringList{app->kind() == OfficeApplication::Kind::Word ? QStringLiteral("--writer")
                                                                             : QStringLiteral("--calc"),
                               QStringLiteral("-n"), file}));
        const qint64 pid = doc->handedProcess();
        ASSERT_GT(pid, 0);
        // Closing, quitting, releasing and the layer's end leave the window.
        doc->Close(false);
        app->Quit();
        ReleaseOffice(app, doc);
#ifdef Q_OS_UNIX
        EXPECT_TRUE(Alive(pid)) << className;
        ::kill(static_cast<pid_t>(pid), SIGKILL);
#endif
    }
}

TEST(Office, APrintsOwnInstanceEndsWithItsJob)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("soffice"));
    const QString child = dir.filePath(QStringLiteral("child"));
    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // The launcher hands over to a process that would outlive it.
    f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\nsleep 30 &\necho $! > \"" + child.toUtf8() + "\"\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
    auto app = OfficeApplication::CreateObject(QStringLiteral("Word.Application"), program,
                                               dir.filePath(QStringLiteral("print profile")));
    ASSERT_TRUE(app);
    auto doc = app->DocumentsOpen(dir.filePath(QStringLiteral("BlobSubBody.rtf")));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->handedProcess(), 0);
    EXPECT_TRUE(doc->PrintOut(QStringLiteral("Γραφείο")));
    QFile args(program + QStringLiteral(".args"));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    const QStringList given = QString::fromUtf8(args.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(given.value(0).endsWith(QStringLiteral("print%20profile")));
    EXPECT_TRUE(given.contains(QStringLiteral("--headless")));
    EXPECT_EQ(given.mid(given.size() - 3), (QStringList{QStringLiteral("--pt"), QStringLiteral("Γραφείο"),
                                                        dir.filePath(QStringLiteral("BlobSubBody.rtf"))}));
#ifdef Q_OS_UNIX
    QFile pidFile(child);
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const qint64 pid = pidFile.readAll().trimmed().toLongLong();
    ASSERT_GT(pid, 0);
    QDeadlineTimer deadline(3000);
    while (Alive(pid) && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_FALSE(Alive(pid));
#endif
}

TEST(Office, ASheetPrintsOnePageWide)
{
    const QByteArray fods =
        "<office:document><style:page-layout style:name=\"pm1\">"
        "<style:page-layout-properties fo:margin-top=\"1in\" style:scale-to-pages=\"3\" style:writing-mode=\"lr-tb\"/>"
        "</style:page-layout><style:page-layout style:name=\"pm2\"><style:page-layout-properties/>"
        "</style:page-layout><table:table-cell>Σύνολο</table:table-cell></office:document>";
    const QString fitted = QString::fromUtf8(FitSheetWidthToPage(fods));
    EXPECT_EQ(fitted.count(QStringLiteral("style:scale-to-X=\"1\" style:scale-to-Y=\"0\"")), 2);
    EXPECT_FALSE(fitted.contains(QStringLiteral("scale-to-pages")));
    EXPECT_TRUE(fitted.contains(QStringLiteral("fo:margin-top=\"1in\" style:writing-mode=\"lr-tb\"/>")));
    EXPECT_TRUE(fitted.endsWith(QStringLiteral("<table:table-cell>Σύνολο</table:table-cell></office:document>")));
}

TEST(Office, NoObjectWithoutAnInstalledProgram)
{
    StandIn office;
    EXPECT_FALSE(OfficeApplication::CreateObject(QStringLiteral("Word.Application"), QString(), QString()));
    EXPECT_FALSE(OfficeApplication::CreateObject(QStringLiteral("Word.Application"), office.log, QString()));
    EXPECT_FALSE(OfficeApplication::CreateObject(QStringLiteral("Outlook.Application"), office.program, QString()));
}

TEST(Office, TheViewerGetsTheFileAsItsOneArgument)
{
    StandIn viewer(false);
    const QString file = viewer.dir.filePath(QStringLiteral("temp files/BlobSubBody.rtf; rm -rf x"));
    ASSERT_TRUE(StartViewer(viewer.program, file));
    EXPECT_EQ(viewer.arguments(), QStringList{file});
    EXPECT_FALSE(StartViewer(viewer.dir.filePath(QStringLiteral("no such viewer")), file));
}

TEST(Office, EachHandOverGetsAReadOnlyCopyThatLivesUntilTheNextStart)
{
    QTemporaryDir dir;
    const QString temp = dir.path() + u'/';
    const QString file = temp + QStringLiteral("BlobSubBody.rtf");
    const auto write = [&file](const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    write("first");
    const QString one = HandOverCopy(temp, file);
    write("second");
    const QString two = HandOverCopy(temp, file);
    ASSERT_FALSE(one.isEmpty());
    ASSERT_FALSE(two.isEmpty());
    EXPECT_NE(one, two);
    EXPECT_TRUE(one.endsWith(QStringLiteral(".rtf")));
    QFile first(one);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), QByteArray("first"));
    EXPECT_FALSE(QFileInfo(one).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));

    // A window's lock keeps its name from being given again.
    QFile lock(HandedFolder(temp) + QStringLiteral("/.~lock.Έγγραφο 3.rtf#"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    EXPECT_TRUE(HandOverCopy(temp, file).endsWith(QStringLiteral("Έγγραφο 4.rtf")));

    RemoveHandedCopies(temp);
    EXPECT_TRUE(QDir(HandedFolder(temp)).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_TRUE(HandOverCopy(temp, temp + QStringLiteral("missing.rtf")).isEmpty());
}
