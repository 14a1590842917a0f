// The import of a Jet database as the program runs it: the importer command
// in a process of its own, so that a file damaged beyond what the reader
// survives costs the import, not the program; its progress in a bar.
#include "startup/DesktopPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>

#ifdef Q_OS_LINUX
#include <signal.h>
#include <sys/prctl.h>
#endif

bool DesktopPlatform::importJetDatabase(const QString& jetFile, const QString& output, QString* message)
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("selvara-import.exe");
#else
    const QString name = QStringLiteral("selvara-import");
#endif
    const QString importer = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (!QFileInfo(importer).isExecutable()) {
        *message = QStringLiteral("Δεν βρέθηκε το πρόγραμμα μετατροπής «selvara-import» δίπλα στην εφαρμογή.");
        return false;
    }
    // A file damaged in some ways sends the reader round in circles: the
    // user can always stop it.
    QProgressDialog progress(QStringLiteral("Μετατροπή της βάσης δεδομένων…"), QStringLiteral("Διακοπή"), 0, 1000);
    progress.setWindowTitle(QStringLiteral("Μετατροπή δεδομένων"));
    progress.setMinimumWidth(progress.fontMetrics().horizontalAdvance(QStringLiteral("M")) * 32);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setValue(0);
    progress.show();

    QProcess process;
#ifdef Q_OS_LINUX
    // The importer ends with the program, whatever ends the program.
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
    QEventLoop loop;
    bool cancelled = false;
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        process.kill();
    });
    QByteArray pending;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &progress, [&] {
        pending += process.readAllStandardOutput();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QList<QByteArray> parts = pending.left(end).split(' ');
            pending.remove(0, end + 1);
            if (parts.size() == 3 && parts[0] == "PROGRESS" && parts[2].toLongLong() > 0)
                progress.setValue(static_cast<int>(std::min<qint64>(1000, parts[1].toLongLong() * 1000 / parts[2].toLongLong())));
        }
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    process.start(importer, {QStringLiteral("--progress-lines"), jetFile, output});
    if (process.state() != QProcess::NotRunning || process.error() != QProcess::FailedToStart)
        loop.exec();
    progress.close();
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 && process.error() != QProcess::FailedToStart)
        return true;
    process.waitForFinished(5000);
    // What a stopped importer had written so far.
    const QFileInfo out(output);
    for (const QString& part : out.dir().entryList({out.fileName() + QStringLiteral(".*.part")}, QDir::Files))
        QFile::remove(out.dir().filePath(part));
    if (cancelled) {
        *message = QStringLiteral("Η μετατροπή διακόπηκε.");
        return false;
    }
    const QString said = QString::fromUtf8(process.readAllStandardError()).trimmed();
    *message = !said.isEmpty() && process.exitStatus() == QProcess::NormalExit
        ? said
        : QStringLiteral("Το πρόγραμμα μετατροπής σταμάτησε απροσδόκητα· το αρχείο ίσως είναι κατεστραμμένο.");
    return false;
}
