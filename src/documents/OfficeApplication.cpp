#include "documents/OfficeApplication.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif

namespace {

// A process that refuses to end is not worth freezing the window for longer.
constexpr int kEndWaitMs = 3000;

} // namespace

std::unique_ptr<OfficeApplication> OfficeApplication::CreateObject(const QString& className, const QString& program,
                                                                   const QString& profileFolder)
{
    Kind kind;
    if (className == QLatin1String("Word.Application"))
        kind = Kind::Word;
    else if (className == QLatin1String("Excel.Application"))
        kind = Kind::Excel;
    else
        return nullptr;
    const QFileInfo info(program);
    if (program.isEmpty() || !info.isFile() || !info.isExecutable())
        return nullptr;
    return std::unique_ptr<OfficeApplication>(new OfficeApplication(kind, program, profileFolder));
}

OfficeApplication::OfficeApplication(Kind kind, QString program, QString profileFolder)
    : m_kind(kind), m_program(std::move(program)), m_profileFolder(std::move(profileFolder))
{
}

OfficeApplication::~OfficeApplication()
{
    Quit();
}

QStringList OfficeApplication::argumentsFor(const QString& path, bool asNewDocument) const
{
    QStringList args;
    if (!m_profileFolder.isEmpty())
        args << QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(m_profileFolder).toString();
    args << QStringLiteral("--nologo") << QStringLiteral("--norestore") << QStringLiteral("--nofirststartwizard");
    if (!Visible)
        args << QStringLiteral("--headless");
    args << (m_kind == Kind::Excel ? QStringLiteral("--calc") : QStringLiteral("--writer"));
    // -n makes a new untitled document from the file; -o opens the file itself.
    args << (asNewDocument ? QStringLiteral("-n") : QStringLiteral("-o")) << path;
    return args;
}

std::unique_ptr<OfficeDocument> OfficeApplication::start(const QString& path, bool asNewDocument)
{
    auto* process = new QProcess;
    process->setProgram(m_program);
    process->setArguments(argumentsFor(path, asNewDocument));
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // A group of its own, so that ending it reaches the suite's child processes.
    process->setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    process->start();
    if (!process->waitForStarted(kEndWaitMs)) {
        delete process;
        return nullptr;
    }
    m_processes.append(process);
    return std::make_unique<OfficeDocument>(process);
}

std::unique_ptr<OfficeDocument> OfficeApplication::DocumentsOpen(const QString& path)
{
    return start(path, false);
}

std::unique_ptr<OfficeDocument> OfficeApplication::WorkBooksAdd(const QString& path)
{
    return start(path, true);
}

void OfficeApplication::Quit()
{
    for (const QPointer<QProcess>& process : std::as_const(m_processes)) {
        if (process) {
            EndOfficeProcess(process);
            delete process.data();
        }
    }
    m_processes.clear();
}

void OfficeDocument::Close(bool)
{
    if (m_process)
        EndOfficeProcess(m_process);
}

bool OfficeDocument::running() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 OfficeDocument::processId() const
{
    return m_process ? m_process->processId() : 0;
}

void ReleaseOffice(std::unique_ptr<OfficeApplication>& app, std::unique_ptr<OfficeDocument>& document)
{
    if (document)
        document->Close(false);
    if (app)
        app->Quit();
    document.reset();
    app.reset();
}

void EndOfficeProcess(QProcess* process)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
#ifdef Q_OS_UNIX
    const auto group = static_cast<pid_t>(process->processId());
    if (group > 0) {
        ::kill(-group, SIGTERM);
        if (!process->waitForFinished(kEndWaitMs))
            ::kill(-group, SIGKILL);
        // The launcher may be gone while a child of its group lives on.
        ::kill(-group, SIGKILL);
    }
#endif
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(kEndWaitMs);
    }
}

bool StartViewer(const QString& viewer, const QString& file)
{
    if (viewer.isEmpty())
        return false;
    return QProcess::startDetached(viewer, {file});
}

QString FindOfficeProgram()
{
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}
