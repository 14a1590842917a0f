#include "startup/CommandLine.h"
#include "startup/DesktopPlatform.h"
#include "startup/Edition.h"
#include "startup/Program.h"
#include "startup/QtTranslation.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include <cstdio>

int main(int argc, char** argv)
{
    // Answered without a display, as packaged programs are expected to.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (AnswerCommandLine(arguments, QString())) {
        QCoreApplication plain(argc, argv);
        DesktopPlatform platform;
        const auto answer = AnswerCommandLine(arguments, platform.applicationFolder());
        std::fputs(answer->text.toUtf8().constData(), stdout);
        return answer->status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(Edition::kBuiltTitle);
    // No display name: the platform would append it to every caption.
    // The windows end the program themselves, each with its own status.
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop entry's name ties the windows to it in task bars.
    QGuiApplication::setDesktopFileName(QStringLiteral("gr.zelkor.Selvara"));
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/selvara-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    DesktopPlatform platform;
    // Before any window: Qt's own dialogs and menus speak Greek too, and
    // write dates, sizes and file kinds as Greek readers do.
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
    InstallQtTranslation(app, platform.applicationFolder());
    Program program(platform);
    if (!program.Main())
        return program.exitStatus();
    return QApplication::exec();
}
