// selvara-search: the full-text search of the legislation, for scripts and
// checks. It builds or refreshes the index first when it has to.
#include "fulltext/FullTextIndex.h"
#include "fulltext/GreekTokenizer.h"
#include "fulltext/IndexSources.h"
#include "startup/CommandLine.h"
#include "startup/DesktopPlatform.h"
#include "startup/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>


namespace {

const char* const kUsage =
    "Χρήση: selvara-search [--db ΑΡΧΕΙΟ] [--limit N] [--json] ΕΡΩΤΗΜΑ\n\n"
    "Αναζητεί λέξεις σε όλα τα κείμενα της νομοθεσίας (νόμοι, άρθρα, έγγραφα, θέματα,\n"
    "οδηγός εγγράφων) και εμφανίζει τα αποτελέσματα κατά σειρά σχετικότητας, ένα ανά γραμμή.\n"
    "Λέξεις: όλες πρέπει να υπάρχουν. \"Φράση\" σε εισαγωγικά, πρόθεμα με *, -λέξη για\n"
    "εξαίρεση, OR ή «ή» ανάμεσα σε εναλλακτικές.\n\n"
    "  --db ΑΡΧΕΙΟ   η βάση δεδομένων (χωρίς αυτό: η βάση της εφαρμογής)\n"
    "  --limit N     το πολύ N αποτελέσματα (προεπιλογή 20)\n"
    "  --json        ένα αντικείμενο JSON ανά γραμμή\n"
    "  -h, --help    εμφανίζει αυτή τη βοήθεια\n"
    "  -v, --version εμφανίζει την έκδοση\n\n"
    "Κωδικός εξόδου: 0 όταν βρέθηκαν κείμενα, 1 όταν δεν βρέθηκε κανένα, 2 για λάθος ορίσματα.\n";

QString KindName(int kind)
{
    switch (static_cast<FullText::DocKind>(kind)) {
    case FullText::DocKind::Law:
        return QStringLiteral("law");
    case FullText::DocKind::Topic:
        return QStringLiteral("topic");
    case FullText::DocKind::Guide:
    case FullText::DocKind::Template:
        break;
    }
    return QStringLiteral("guide");
}

QString Marked(QString snippet)
{
    return snippet.replace(FullText::kMarkOpen, u'[').replace(FullText::kMarkClose, u']').simplified();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString database;
    int limit = 20;
    bool json = false;
    QStringList words;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"-h" || a == u"--help") {
            Say(stdout, QString::fromUtf8(kUsage));
            return 0;
        }
        if (a == u"-v" || a == u"--version") {
            Say(stdout, QStringLiteral("selvara-search ") + VersionNumber() + u'\n');
            return 0;
        }
        if (a == u"--json") {
            json = true;
        } else if (a == u"--db" || a == u"--limit") {
            if (i + 1 >= args.size()) {
                Say(stderr, QString::fromUtf8(kUsage));
                return 2;
            }
            const QString value = args[++i];
            if (a == u"--db") {
                database = value;
            } else {
                bool ok = false;
                limit = value.toInt(&ok);
                if (!ok || limit < 1) {
                    Say(stderr, QStringLiteral("Το --limit θέλει θετικό ακέραιο αριθμό.\n"));
                    return 2;
                }
            }
        } else if (a.startsWith(u"--")) {
            Say(stderr, QString::fromUtf8(kUsage));
            return 2;
        } else {
            words << a;
        }
    }
    if (words.isEmpty()) {
        Say(stderr, QString::fromUtf8(kUsage));
        return 2;
    }
    DesktopPlatform platform;
    if (database.isEmpty())
        database = Paths::Join(platform.applicationFolder(), Paths::kDatabaseFile);
    if (!QFileInfo(database).isFile()) {
        Say(stderr, QStringLiteral("Η βάση δεδομένων «%1» δεν βρέθηκε.\n").arg(QDir::toNativeSeparators(database)));
        return 2;
    }

    TerminalProgress bar(stderr, QByteArrayLiteral("Ευρετήριο κειμένων "));
    FullText::BuildHooks hooks;
    hooks.progress = [&bar](qint64 done, qint64 total) { bar.show(done, total); };
    const std::atomic<bool> stop{false};
    FullText::IndexHandle handle;
    const FullText::BuildResult built = FullText::PrepareIndex(database, platform.cacheFolder(), stop, hooks, &handle);
    bar.finish();
    if (built != FullText::BuildResult::Built) {
        Say(stderr, QStringLiteral("Δεν ήταν δυνατή η δημιουργία του ευρετηρίου κειμένων για «%1».\n")
                        .arg(QDir::toNativeSeparators(database)));
        return 1;
    }
    const std::shared_ptr<sqlite3> index = FullText::OpenIndex(handle.target, true);
    FullText::WordStemmer stemmer;
    const FullText::Query query = index ? FullText::ParseQuery(words.join(u' '), stemmer, FullText::IndexExpander(index.get()))
                                        : FullText::ParseQuery(words.join(u' '), stemmer);
    const FullText::Results results = index ? FullText::Search(index.get(), query, {}, limit, stemmer) : FullText::Results{};
    for (const FullText::Hit& hit : results.hits) {
        if (json) {
            QJsonObject o;
            o[QStringLiteral("kind")] = KindName(hit.kind);
            if (hit.kind == static_cast<int>(FullText::DocKind::Law))
                o[QStringLiteral("law_id")] = hit.lawId;
            else
                o[QStringLiteral("id")] = hit.id;
            // A template opens on the guide entry that links to it.
            if (hit.kind == static_cast<int>(FullText::DocKind::Template))
                o[QStringLiteral("entry")] = hit.opensIn;
            o[QStringLiteral("law_code")] = hit.lawCode;
            o[QStringLiteral("type")] = hit.typeName;
            o[QStringLiteral("date")] = hit.issueDate;
            o[QStringLiteral("title")] = hit.title;
            o[QStringLiteral("article")] = hit.article;
            o[QStringLiteral("snippet")] = Marked(hit.snippet);
            o[QStringLiteral("rank")] = hit.rank;
            Say(stdout, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + u'\n');
        } else {
            QStringList parts;
            for (const QString& p : {hit.lawCode, hit.title, hit.article})
                if (!p.isEmpty())
                    parts << p.simplified();
            Say(stdout, parts.join(QStringLiteral(" — ")) + QStringLiteral(": ") + Marked(hit.snippet) + u'\n');
        }
    }
    return results.hits.isEmpty() ? 1 : 0;
}
