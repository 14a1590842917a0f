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

#include <cstdio>

// Writes UTF-8 text to a stream and flushes it.
void Say(std::FILE* to, const QString& text);

// A progress bar on a terminal: "\r<label>[####    ]  42 %", drawn again
// only when the percentage changes; nothing when the stream is no terminal.
class TerminalProgress {
public:
    TerminalProgress(std::FILE* to, QByteArray label);
    void show(qint64 done, qint64 total);
    // Ends the bar's line, when one was drawn.
    void finish();

private:
    std::FILE* m_to;
    QByteArray m_label;
    bool m_terminal;
    int m_shown = -1;
};
