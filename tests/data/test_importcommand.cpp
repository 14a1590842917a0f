// The importer command on files that make its Jet reader go round in
// circles, and ended before it is done: a message, never a hang, and no
// part file left behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kSamples = QStringLiteral(SELVARA_JET_SAMPLES);
const QString kImporter = QStringLiteral(SELVARA_APP_DIR "/selvara-import");

// nwind.mdb with one page zeroed, written into dir.
QString withPageZeroed(const QTemporaryDir& dir, int page)
{
    QFile source(kSamples + QStringLiteral("/nwind.mdb"));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = source.readAll();
    bytes.replace(page * 2048, 2048, QByteArray(2048, '\0'));
    const QString path = dir.filePath(QStringLiteral("page%1.mdb").arg(page));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return path;
}

QStringList leftovers(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList({QStringLiteral("out.db*")}, QDir::Files);
}

} // namespace

#define NEED_SAMPLES() \
    if (!QFile::exists(kSamples + QStringLiteral("/nwind.mdb"))) \
        GTEST_SKIP() << "no Jet samples at " << kSamples.toStdString() << " (the shared folder is absent)"

TEST(ImportCommand, AReaderGoingRoundInCirclesIsStoppedWithTheDamageMessage)
{
    NEED_SAMPLES();
    QTemporaryDir dir;
    // Page 736 lost: libmdb reads the catalogue for ever without a byte more
    // of memory; page 842 lost: it reads on taking memory as it goes.
    for (const int page : {736, 842}) {
        const QString jet = withPageZeroed(dir, page);
        ASSERT_FALSE(jet.isEmpty());
        QProcess p;
        QElapsedTimer clock;
        clock.start();
        p.start(kImporter, {QStringLiteral("--all-tables"), jet, dir.filePath(QStringLiteral("out.db"))});
        ASSERT_TRUE(p.waitForFinished(60000)) << page;
        EXPECT_EQ(p.exitCode(), 1) << page;
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("κατεστραμμένο"))) << page;
        EXPECT_TRUE(leftovers(dir).isEmpty()) << page;
    }
}

TEST(ImportCommand, EndedByASignalItRemovesItsPartFile)
{
    NEED_SAMPLES();
    QTemporaryDir dir;
    // Whoever read the progress lines has gone: the first line, written as
    // the first table begins and the part file exists, ends the command.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    const QByteArray program = QFile::encodeName(kImporter);
    const QByteArray jet = QFile::encodeName(kSamples + QStringLiteral("/nwind.mdb"));
    const QByteArray out = QFile::encodeName(dir.filePath(QStringLiteral("out.db")));
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>("--all-tables"),
                    const_cast<char*>("--progress-lines"), const_cast<char*>(jet.constData()),
                    const_cast<char*>(out.constData()), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_TRUE(leftovers(dir).isEmpty()) << leftovers(dir).join(u' ').toStdString();
}
