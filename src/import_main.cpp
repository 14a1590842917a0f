// selvara-import: copies the program's data from a Jet file (edudataD.mdb as
// its publisher ships it) into a new database the program reads.
#include "data/JetImport.h"
#include "startup/CommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

#include <atomic>
#include <chrono>
#include <thread>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// A reader that has given no row for this long is going round in circles on
// a damaged file, whatever its size: a whole table of the publisher's file
// reads in a fraction of a second.
constexpr auto kStall = std::chrono::seconds(5);

std::chrono::steady_clock::rep now()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

// Opening the file reads its catalogue, which can go round in circles too:
// the watch runs from the start.
std::atomic<bool> gReading{true};
std::atomic<std::chrono::steady_clock::rep> gLastSign{now()};

#ifndef Q_OS_WIN
int gMessages = 2;
// The part file's name, kept where a signal handler may read it.
char gPart[4096];
const char kBroken[] = "\nΤο αρχείο είναι κατεστραμμένο και η ανάγνωσή του σταμάτησε.\n";
const char kStopped[] = "\nΗ μετατροπή διακόπηκε.\n";
const char kTooLong[] = "\nΗ μετατροπή κράτησε υπερβολικά πολύ και σταμάτησε· το αρχείο ίσως είναι κατεστραμμένο.\n";

// Only async-signal-safe calls: this runs in handlers and beside a stuck reader.
[[noreturn]] void leave(const char* message, size_t size)
{
    if (gPart[0])
        unlink(gPart);
    [[maybe_unused]] const auto written = write(gMessages, message, size);
    _exit(1);
}

// libmdb gives up on some damaged files by ending the process (glib traps
// when an allocation the file asks for fails).
extern "C" void brokenFile(int) { leave(kBroken, sizeof kBroken - 1); }
extern "C" void stopped(int) { leave(kStopped, sizeof kStopped - 1); }
extern "C" void tooLong(int) { leave(kTooLong, sizeof kTooLong - 1); }

void keepPartName(const QString& part)
{
    const QByteArray name = QFile::encodeName(part);
    if (name.size() < qsizetype(sizeof gPart))
        std::memcpy(gPart, name.constData(), size_t(name.size()) + 1);
}

// Bounds the time and memory one import may take. The reader is fast on
// a whole file; a damaged one may send it round in circles taking memory.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

void boundResources(const QString& jet)
{
    // AddressSanitizer maps terabytes of address space for its own books:
    // under it, the bound on memory is left to the watch on progress.
    if (!kAddressSanitizer) {
        const rlimit memory{rlim_t(3) << 29, rlim_t(3) << 29};
        setrlimit(RLIMIT_AS, &memory);
    }
    const rlim_t seconds = 120 + rlim_t(QFileInfo(jet).size() >> 20) * 4;
    const rlimit cpu{seconds, seconds + 10};
    setrlimit(RLIMIT_CPU, &cpu);
}

void watchReader()
{
    std::thread([] {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            if (gReading.load() && now() - gLastSign.load() > std::chrono::steady_clock::duration(kStall).count())
                leave(kBroken, sizeof kBroken - 1);
        }
    }).detach();
}
#endif

const char* const kUsage =
    "Χρήση: selvara-import ΑΡΧΕΙΟ_JET [ΝΕΟ_ΑΡΧΕΙΟ]\n\n"
    "Αντιγράφει τα δεδομένα της εφαρμογής από βάση δεδομένων Access (Jet) σε νέα\n"
    "βάση δεδομένων που διαβάζει η εφαρμογή. Χωρίς ΝΕΟ_ΑΡΧΕΙΟ γράφει το edudataD.mdb\n"
    "στον τρέχοντα φάκελο. Το νέο αρχείο παίρνει το όνομά του μόνο όταν ολοκληρωθεί.\n\n"
    "  -h, --help      εμφανίζει αυτή τη βοήθεια\n"
    "  -v, --version   εμφανίζει την έκδοση\n"
    "  --all-tables    αντιγράφει τους πίνακες οποιουδήποτε αρχείου Jet, χωρίς να\n"
    "                  ζητά τους πίνακες και τις στήλες της εφαρμογής\n"
    "  --progress-lines  γράφει την πρόοδο ως γραμμές «PROGRESS γραμμές σύνολο»\n";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // libmdb reports damage on the standard error in English; the user reads
    // the Greek message this command gives instead.
    FILE* messages = stderr;
#ifndef Q_OS_WIN
    if (const int saved = dup(fileno(stderr)); saved >= 0) {
        if (FILE* own = fdopen(saved, "w")) {
            messages = own;
            gMessages = saved;
            for (const int sig : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGTRAP})
                signal(sig, brokenFile);
            // SIGPIPE: whoever read the progress lines has gone.
            for (const int sig : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
                signal(sig, stopped);
            signal(SIGXCPU, tooLong);
            if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
                dup2(null, fileno(stderr));
                close(null);
            }
        }
    }
#endif
    QStringList files;
    bool progressLines = false;
    bool allTables = false;
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
        else if (a == u"--all-tables")
            allTables = true;
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
    options.requireProgramSchema = !allTables;
#ifndef Q_OS_WIN
    boundResources(jet);
    watchReader();
    options.partFile = keepPartName;
#endif
    options.reading = [](bool reading) {
        gLastSign = now();
        gReading = reading;
    };
    TerminalProgress bar(messages, QByteArray());
    options.progress = [&](qint64 done, qint64 total) {
        gLastSign = now();
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
