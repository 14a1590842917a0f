#include "startup/HeadlessPlatform.h"

#include "data/JetImport.h"

#include <QDialog>
#include <QDir>

MsgResult RecordingDialogs::messageBox(const MessageRequest& request)
{
    messages.append(request);
    return onMessage ? onMessage(request) : MsgResult::Ok;
}

void RecordingDialogs::showModal(QDialog& dialog)
{
    modalWindows.append(dialog.objectName());
    if (onModal)
        onModal(dialog);
}

bool RecordingDialogs::printDialog(QPrinter& printer)
{
    ++printDialogs;
    return onPrint ? onPrint(printer) : false;
}

QString RecordingDialogs::openFileName(const FileRequest& request)
{
    fileRequests.append(request);
    return onOpenFile ? onOpenFile(request) : QString();
}

HeadlessPlatform::HeadlessPlatform()
{
    QDir root(scratch.path());
    root.mkpath(QStringLiteral("app"));
    root.mkpath(QStringLiteral("tmp"));
    appFolder = root.filePath(QStringLiteral("app"));
    tempPath = root.filePath(QStringLiteral("tmp")) + QDir::separator();
    userDataPath = root.filePath(QStringLiteral("userdata"));
    cachePath = root.filePath(QStringLiteral("cache"));
    locale = GreekLocale();
    os.known = true;
    os.productName = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    m_currentUser = std::make_unique<QSettings>(root.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    m_localMachine = std::make_unique<QSettings>(root.filePath(QStringLiteral("machine.ini")), QSettings::IniFormat);
    m_registry = std::make_unique<RegistryStore>(*m_currentUser, *m_localMachine);
}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::setHourglass(bool on)
{
    hourglass = on;
    hourglassChanges.append(on);
}

LocaleValues HeadlessPlatform::GreekLocale()
{
    return {QStringLiteral(","), QStringLiteral("."), QStringLiteral("1"),
            QStringLiteral("/"), QStringLiteral("1"), QStringLiteral(":")};
}

LocaleValues HeadlessPlatform::CLocale()
{
    return {QStringLiteral("."), QString(), QStringLiteral("0"),
            QStringLiteral("/"), QStringLiteral("1"), QStringLiteral(":")};
}

void HeadlessPlatform::setProgramFilesDir(const QString& folder)
{
    m_localMachine->setValue(QStringLiteral("SOFTWARE/Microsoft/Windows/CurrentVersion/ProgramFilesDir"), folder);
    m_localMachine->sync();
}

bool HeadlessPlatform::importJetDatabase(const QString& jetFile, const QString& output, QString* message)
{
    importedJetFiles.append(jetFile);
    if (onImportJet)
        return onImportJet(jetFile, output, message);
    // As the importer command does it for the program.
    const JetImport::Options options;
    const JetImport::Result r = JetImport::ImportFile(jetFile, output, options);
    *message = r.message;
    return r.ok;
}
