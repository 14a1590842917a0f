#include "documents/OfficeApplication.h"

#include "documents/DocumentIcons.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QFileInfo>
#include <QSaveFile>
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
                                                                   const QString& printProfile)
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
    return std::unique_ptr<OfficeApplication>(new OfficeApplication(kind, program, printProfile));
}

OfficeApplication::OfficeApplication(Kind kind, QString program, QString printProfile)
    : m_kind(kind), m_program(std::move(program)), m_printProfile(std::move(printProfile))
{
}

QStringList OfficeApplication::argumentsFor(const QString& path) const
{
    // The user's own instance and settings: a document opened here joins the
    // office windows the user already has, and the suite's recovery of the
    // user's other documents after a crash is left alone.
    return {QStringLiteral("--nologo"), QStringLiteral("--nofirststartwizard"),
            m_kind == Kind::Excel ? QStringLiteral("--calc") : QStringLiteral("--writer"),
            // -n: a new untitled document from the file.
            QStringLiteral("-n"), path};
}

std::unique_ptr<OfficeDocument> OfficeApplication::open(const QString& path)
{
    if (!Visible)
        return std::make_unique<OfficeDocument>(*this, path, 0);
    // Detached, in a session of its own: the window outlives this program and
    // no signal meant for it reaches the office program.
    QProcess process;
    process.setProgram(m_program);
    process.setArguments(argumentsFor(path));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        return nullptr;
    return std::make_unique<OfficeDocument>(*this, path, pid);
}

bool OfficeApplication::runHeadless(QStringList arguments) const
{
    QStringList args;
    // An instance of its own: the user's office windows, open or not, neither
    // take the job over nor keep a conversion from running.
    if (!m_printProfile.isEmpty())
        args << QStringLiteral("-env:UserInstallation=") + QString::fromLatin1(QUrl::fromLocalFile(m_printProfile).toEncoded());
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
    const qint64 group = process.processId();
    // A first start of the private instance sets up its profile: allow for it.
    const bool finished = process.waitForFinished(kPrintWaitMs);
    if (!finished)
        EndOfficeProcess(&process);
#ifdef Q_OS_UNIX
    // Whatever the launcher left behind in its group goes with it.
    else if (group > 0)
        ::kill(-static_cast<pid_t>(group), SIGKILL);
#endif
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString OfficeDocument::printable(const QString& folder) const
{
    if (m_app.kind() != OfficeApplication::Kind::Excel)
        return m_path;
    if (!m_app.runHeadless({QStringLiteral("--convert-to"), QStringLiteral("fods"), QStringLiteral("--outdir"), folder,
                            m_path}))
        return m_path;
    const QString flat = QDir(folder).filePath(QFileInfo(m_path).completeBaseName() + QStringLiteral(".fods"));
    QFile file(flat);
    if (!file.open(QIODevice::ReadOnly))
        return m_path;
    const QByteArray fitted = FitSheetWidthToPage(file.readAll());
    file.close();
    QSaveFile out(flat);
    if (!out.open(QIODevice::WriteOnly) || out.write(fitted) != fitted.size() || !out.commit())
        return m_path;
    return flat;
}

bool OfficeDocument::PrintOut(const QString& printerName)
{
    QTemporaryDir work;
    const QString file = work.isValid() ? printable(work.path()) : m_path;
    if (printerName.isEmpty())
        return m_app.runHeadless({QStringLiteral("-p"), file});
    return m_app.runHeadless({QStringLiteral("--pt"), printerName, file});
}

bool OfficeDocument::ExportPdf(const QString& pdfPath)
{
    QTemporaryDir work;
    QTemporaryDir out;
    if (!work.isValid() || !out.isValid())
        return false;
    const QString file = printable(work.path());
    // The suite names its output after the document, in a folder of our choice.
    if (!m_app.runHeadless({QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                            out.path(), file}))
        return false;
    const QString made = QDir(out.path()).filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".pdf"));
    if (!QFileInfo(made).isFile())
        return false;
    QFile::remove(pdfPath);
    return QFile::copy(made, pdfPath);
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

QString OfficeProgramName(const QString& type)
{
    return IsSpreadsheetType(type) ? QStringLiteral("LibreOffice Calc") : QStringLiteral("LibreOffice Writer");
}

QString OfficePackage(const QString& type)
{
    return IsSpreadsheetType(type) ? QStringLiteral("libreoffice-calc") : QStringLiteral("libreoffice-writer");
}

QByteArray FitSheetWidthToPage(const QByteArray& fods)
{
    // Any scaling the sheet had would fight the new one.
    static const QRegularExpression scaling(
        QStringLiteral(R"(\s(?:style|loext):scale-to(?:-pages|-X|-Y)?="[^"]*")"));
    static const QRegularExpression tag(QStringLiteral("<style:page-layout-properties((?:\\s[^>]*)?/?)>"));
    const QString text = QString::fromUtf8(fods);
    QString result;
    result.reserve(text.size() + 256);
    qsizetype at = 0;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        result += QStringView(text).mid(at, m.capturedStart() - at);
        QString attributes = m.captured(1);
        attributes.remove(scaling);
        result += QStringLiteral("<style:page-layout-properties style:scale-to-X=\"1\" style:scale-to-Y=\"0\"")
            + attributes + u'>';
        at = m.capturedEnd();
    }
    result += QStringView(text).mid(at);
    return result.toUtf8();
}
