#include "startup/CommandLine.h"

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
