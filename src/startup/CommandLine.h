#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program answers on the command line before it opens any window.
struct CommandLineAnswer {
    QString text;
    int status = 0;
};

// The version as the about window writes it, without its label: "2.09".
QString VersionNumber(int major, int minor);
QString VersionNumber();

// --version and --help (with -v and -h) are answered here; anything else,
// Qt's own options among them, leaves start-up as it always was.
std::optional<CommandLineAnswer> AnswerCommandLine(const QStringList& arguments, const QString& applicationFolder);
