// The import of a Jet database as the program runs it: the importer command
// in a process of its own, so that a file damaged beyond what the reader
// survives costs the import, not the program; its progress in a bar.
#include "startup/DesktopPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>

bool DesktopPlatform::importJetDatabase(const QString& jetFile, const QString& output, QString* message)
{
    const QString importer = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("selvara-import"));
    if (!QFileInfo(importer).isExecutable()) {
        *message = QStringLiteral("Δεν βρέθηκε το πρόγραμμα μετατροπής «selvara-import» δίπλα στην εφαρμογή.");
        return false;
    }
    QProgressDialog progress(QStringLiteral("Μετατροπή της βάσης δεδομένων…"), QString(), 0, 1000);
    progress.setWindowTitle(QStringLiteral("Μετατροπή δεδομένων"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setValue(0);
    progress.show();

    QProcess process;
    QEventLoop loop;
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
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    progress.close();
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 && process.error() != QProcess::FailedToStart)
        return true;
    const QString said = QString::fromUtf8(process.readAllStandardError()).trimmed();
    *message = !said.isEmpty() && process.exitStatus() == QProcess::NormalExit
        ? said
        : QStringLiteral("Το πρόγραμμα μετατροπής σταμάτησε απροσδόκητα· το αρχείο ίσως είναι κατεστραμμένο.");
    return false;
}
