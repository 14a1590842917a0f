#include "documents/OfficeApplication.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif

namespace {

// A process that refuses to end is not worth freezing the window for longer.
constexpr int kEndWaitMs = 3000;
constexpr int kPrintWaitMs = 120000;

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
    args << (m_kind == Kind::Excel ? QStringLiteral("--calc") : QStringLiteral("--writer"));
    // -n makes a new untitled document from the file; -o opens the file itself.
    args << (asNewDocument ? QStringLiteral("-n") : QStringLiteral("-o")) << path;
    return args;
}

std::unique_ptr<OfficeDocument> OfficeApplication::start(const QString& path, bool asNewDocument)
{
    if (!Visible)
        return std::make_unique<OfficeDocument>(*this, nullptr, path);
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
    return std::make_unique<OfficeDocument>(*this, process, path);
}

bool OfficeApplication::runHeadless(QStringList arguments) const
{
    QStringList args;
    if (!m_profileFolder.isEmpty())
        args << QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(m_profileFolder).toString();
    args << QStringLiteral("--nologo") << QStringLiteral("--norestore") << QStringLiteral("--headless") << arguments;
    QProcess process;
    process.setProgram(m_program);
    process.setArguments(args);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    process.start();
    // A first start of the private instance sets up its profile: allow for it.
    if (!process.waitForFinished(kPrintWaitMs)) {
        EndOfficeProcess(&process);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
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

bool OfficeDocument::PrintOut(const QString& printerName)
{
    if (printerName.isEmpty())
        return m_app.runHeadless({QStringLiteral("-p"), m_path});
    return m_app.runHeadless({QStringLiteral("--pt"), printerName, m_path});
}

bool OfficeDocument::ExportPdf(const QString& pdfPath)
{
    // The suite names its output after the document, in a folder of our choice.
    QTemporaryDir out;
    if (!out.isValid() || !m_app.runHeadless({QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                                              QStringLiteral("--outdir"), out.path(), m_path}))
        return false;
    const QString made = QDir(out.path()).filePath(QFileInfo(m_path).completeBaseName() + QStringLiteral(".pdf"));
    if (!QFileInfo(made).isFile())
        return false;
    QFile::remove(pdfPath);
    return QFile::copy(made, pdfPath);
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
