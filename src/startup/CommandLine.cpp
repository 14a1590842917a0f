#include "startup/CommandLine.h"

#include <algorithm>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

#include "startup/Edition.h"

#include <QDir>

QString VersionNumber(int major, int minor)
{
    return QString::number(major) + u'.' + QStringLiteral("%1").arg(minor, 2, 10, QLatin1Char('0'));
}

QString VersionNumber()
{
    return VersionNumber(SELVARA_VERSION_MAJOR, SELVARA_VERSION_MINOR);
}

std::optional<CommandLineAnswer> AnswerCommandLine(const QStringList& arguments, const QString& applicationFolder)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--version" || a == u"-v")
            return CommandLineAnswer{Edition::kBuiltTitle + u' ' + VersionNumber() + u'\n', 0};
        if (a == u"--help" || a == u"-h") {
            const QString name = Edition::kBuiltTitle.toLower();
            return CommandLineAnswer{
                QStringLiteral("Χρήση: ") + name + QStringLiteral(" [--help | --version]\n\n")
                    + Edition::kBuiltTitle
                    + QStringLiteral(": η νομοθεσία της εκπαίδευσης (νόμοι, διατάγματα, εγκύκλιοι, θέματα\n"
                                     "και οδηγός εγγράφων) για ανάγνωση, εκτύπωση και φύλαξη στο ιστορικό.\n\n"
                                     "  -h, --help      εμφανίζει αυτή τη βοήθεια και τερματίζει\n"
                                     "  -v, --version   εμφανίζει την έκδοση και τερματίζει\n\n"
                                     "Χωρίς επιλογές ανοίγει το κύριο παράθυρο. Η βάση δεδομένων edudataD.mdb\n"
                                     "και οι σελίδες βοήθειας διαβάζονται από το φάκελο της εφαρμογής:\n  ")
                    + QDir::toNativeSeparators(applicationFolder)
                    + QStringLiteral("\nΤο ιστορικό και οι ρυθμίσεις φυλάσσονται στους φακέλους του χρήστη.\n"),
                0};
        }
    }
    return std::nullopt;
}

void Say(std::FILE* to, const QString& text)
{
    std::fputs(text.toUtf8().constData(), to);
    std::fflush(to);
}

TerminalProgress::TerminalProgress(std::FILE* to, QByteArray label)
    : m_to(to), m_label(std::move(label)),
#ifndef Q_OS_WIN
      m_terminal(isatty(fileno(to)) != 0)
#else
      m_terminal(false)
#endif
{
}

void TerminalProgress::show(qint64 done, qint64 total)
{
    if (!m_terminal || total <= 0)
        return;
    const int percent = static_cast<int>(std::min<qint64>(100, done * 100 / total));
    if (percent == m_shown)
        return;
    m_shown = percent;
    const int bar = percent * 40 / 100;
    std::fprintf(m_to, "\r%s[%s%s] %3d %%", m_label.constData(), QByteArray(bar, '#').constData(),
                 QByteArray(40 - bar, ' ').constData(), percent);
    std::fflush(m_to);
}

void TerminalProgress::finish()
{
    if (m_shown >= 0)
        std::fputs("\n", m_to);
}
