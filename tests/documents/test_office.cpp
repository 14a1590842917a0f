// The office layer and the viewer, driven against a stand-in program that
// writes down its arguments one a line and then waits to be ended.
#include "documents/OfficeApplication.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
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

TEST(Office, WordOpensTheFileItselfAndExcelANewDocumentFromIt)
{
    StandIn office;
    const QString file = office.dir.filePath(QStringLiteral("my docs/BlobSubBody.rtf"));

    auto word = OfficeApplication::CreateObject(QStringLiteral("Word.Application"), office.program, QString());
    ASSERT_TRUE(word);
    word->Visible = true;
    auto doc = word->DocumentsOpen(file);
    ASSERT_TRUE(doc);
    EXPECT_EQ(office.arguments().mid(3), (QStringList{QStringLiteral("--writer"), QStringLiteral("-o"), file}));
    ASSERT_TRUE(doc->running());

    // Closing ends the process it started, and a second close finds it gone.
    doc->Close(false);
    EXPECT_FALSE(doc->running());
    doc->Close(false);
    word->Quit();

    QFile::remove(office.log);
    auto excel = OfficeApplication::CreateObject(QStringLiteral("Excel.Application"), office.program,
                                                 office.dir.filePath(QStringLiteral("profile dir")));
    ASSERT_TRUE(excel);
    excel->Visible = true;
    auto book = excel->WorkBooksAdd(file);
    ASSERT_TRUE(book);
    const QStringList args = office.arguments();
    EXPECT_TRUE(args.value(0).startsWith(QStringLiteral("-env:UserInstallation=file://")));
    EXPECT_EQ(args.mid(args.size() - 3), (QStringList{QStringLiteral("--calc"), QStringLiteral("-n"), file}));

    // Quitting ends what the document left running.
    const qint64 pid = book->processId();
    ASSERT_GT(pid, 0);
    excel->Quit();
    EXPECT_FALSE(book->running());
#ifdef Q_OS_UNIX
    EXPECT_NE(::kill(static_cast<pid_t>(pid), 0), 0);
#endif
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
