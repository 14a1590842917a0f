// selvara-import: copies the program's data from a Jet file (edudataD.mdb as
// its publisher ships it) into a new database the program reads.
#include "data/JetImport.h"
#include "startup/CommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

#ifndef Q_OS_WIN
int gMessages = 2;
const char kBroken[] = "\nΤο αρχείο είναι κατεστραμμένο και η ανάγνωσή του σταμάτησε.\n";

// libmdb gives up on some damaged files by ending the process.
extern "C" void brokenFile(int)
{
    [[maybe_unused]] const auto written = write(gMessages, kBroken, sizeof kBroken - 1);
    _exit(1);
}
#endif

const char* const kUsage =
    "Χρήση: selvara-import ΑΡΧΕΙΟ_JET [ΝΕΟ_ΑΡΧΕΙΟ]\n\n"
    "Αντιγράφει τα δεδομένα της εφαρμογής από βάση δεδομένων Access (Jet) σε νέα\n"
    "βάση δεδομένων που διαβάζει η εφαρμογή. Χωρίς ΝΕΟ_ΑΡΧΕΙΟ γράφει το edudataD.mdb\n"
    "στον τρέχοντα φάκελο. Το νέο αρχείο παίρνει το όνομά του μόνο όταν ολοκληρωθεί.\n\n"
    "  -h, --help      εμφανίζει αυτή τη βοήθεια\n"
    "  -v, --version   εμφανίζει την έκδοση\n"
    "  --progress-lines  γράφει την πρόοδο ως γραμμές «PROGRESS γραμμές σύνολο»\n";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
#ifndef Q_OS_WIN
    // Some damaged files send libmdb round in circles, taking memory as it
    // goes: a bound on it turns that into a failed import, not an exhausted machine.
    const rlimit memory{rlim_t(3) << 30, rlim_t(3) << 30};
    setrlimit(RLIMIT_AS, &memory);
#endif
    // libmdb reports damage on the standard error in English; the user reads
    // the Greek message this command gives instead.
    FILE* messages = stderr;
#ifndef Q_OS_WIN
    if (const int saved = dup(fileno(stderr)); saved >= 0) {
        if (FILE* own = fdopen(saved, "w")) {
            messages = own;
            gMessages = saved;
            for (const int sig : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE})
                signal(sig, brokenFile);
            if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
                dup2(null, fileno(stderr));
                close(null);
            }
        }
    }
#endif
    QStringList files;
    bool progressLines = false;
    for (const QString& a : QCoreApplication::arguments().mid(1)) {
        if (a == u"-h" || a == u"--help") {
            Say(stdout, QString::fromUtf8(kUsage));
            return 0;
        }
        if (a == u"-v" || a == u"--version") {
            Say(stdout, QStringLiteral("selvara-import ") + VersionNumber() + u'\n');
            return 0;
        }
        if (a == u"--progress-lines")
            progressLines = true;
        else
            files << a;
    }
    if (files.isEmpty() || files.size() > 2) {
        Say(messages, QString::fromUtf8(kUsage));
        return 2;
    }
    const QString jet = files[0];
    const QString output = files.size() > 1 ? files[1] : QDir::current().filePath(QStringLiteral("edudataD.mdb"));
    if (QFileInfo(output).exists() && QFileInfo(output).canonicalFilePath() == QFileInfo(jet).canonicalFilePath()) {
        Say(messages, QStringLiteral("Το νέο αρχείο δεν μπορεί να πάρει τη θέση του αρχείου Jet που διαβάζεται· δώστε άλλο όνομα.\n"));
        return 1;
    }
    JetImport::Options options;
    TerminalProgress bar(messages, QByteArray());
    options.progress = [&](qint64 done, qint64 total) {
        if (progressLines)
            std::printf("PROGRESS %lld %lld\n", static_cast<long long>(done), static_cast<long long>(total)), std::fflush(stdout);
        bar.show(done, total);
        return true;
    };
    const JetImport::Result r = JetImport::ImportFile(jet, output, options);
    bar.finish();
    if (!r.ok) {
        Say(messages, r.message + u'\n');
        return 1;
    }
    Say(messages, QStringLiteral("Ολοκληρώθηκε: %1 πίνακες, %2 γραμμές στο «%3».\n")
                    .arg(r.tables.size()).arg(r.rows).arg(QDir::toNativeSeparators(output)));
    return 0;
}
