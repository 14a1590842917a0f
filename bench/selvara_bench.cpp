// Measures the main window on a database: its load, each kind of search, a
// large law page, a large topic page, writing a large attached document,
// loading a long history, opening a 5 MB rtf document, and the peak memory.
//
//   selvara_bench [--db PATH] [--runs N] [--load-only] [--fulltext-only] [--jet JET_FILE]
//
// --load-only measures the main window's load alone, for a profiler;
// --fulltext-only the full-text index alone.
//
// Beside each figure stand two floors measured in the same run, in a process
// of their own: the statement floor (the very statements the figure issued,
// run back to back through SQLite's C interface) and the data floor (the same
// rows read once by one query, and as many tree items created).
#include "floors.h"

#include "data/Database.h"
#include "data/JetFunctions.h"
#include "documents/BlobWriter.h"
#include "documents/DocumentSql.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/PageBrowser.h"
#include "startup/HeadlessPlatform.h"
#include "startup/Program.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0.0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0);
}

long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<int>(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

} // namespace

// Peak memory since the last reset.
long PeakKb() { return statusKb("VmHWM:"); }
void ResetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

namespace {

long peakKb() { return PeakKb(); }
void resetPeak() { ResetPeak(); }

// The peak of the program's own work, apart from the benchmark's (the
// 36,000 statement texts of a fill's floor, sent to the floors' process):
// the heap freed is given back and the high mark reset before each piece of
// the program's work, and the mark read after it. The overall peak keeps
// what the resets would forget.
struct ProgramPeak {
    ProgramPeak(long& program, long& overall) : m_program(program), m_overall(overall)
    {
        m_overall = std::max(m_overall, peakKb());
#ifdef __GLIBC__
        malloc_trim(0);
#endif
        resetPeak();
    }
    ~ProgramPeak()
    {
        const long kb = peakKb();
        m_program = std::max(m_program, kb);
        m_overall = std::max(m_overall, kb);
    }
    long& m_program;
    long& m_overall;
};

struct Figure {
    QString name;
    std::vector<double> ms;
    std::vector<double> statementFloor;
    std::vector<double> dataFloor;
    QString target;
    qsizetype statements = 0;  // issued by the last run measured
};

void print(const Figure& f)
{
    const double m = median(f.ms);
    const double s = median(f.statementFloor);
    const double d = median(f.dataFloor);
    // A figure that issued no statement has no statement floor to stand by.
    const QString statement = f.statements > 0 ? QStringLiteral("stmt %1 ms (x%2)").arg(s, 9, 'f', 1).arg(s > 0 ? m / s : 0.0, 5, 'f', 2)
                                               : QStringLiteral("%1").arg(QString(), -22);
    const QString data = d > 0 ? QStringLiteral("data %1 ms (x%2)").arg(d, 9, 'f', 1).arg(m / d, 5, 'f', 2) : QString(22, u' ');
    std::printf("%-34s %10.1f ms  %s  %s  %s\n", qPrintable(f.name), m, qPrintable(statement), qPrintable(data),
                qPrintable(f.target));
}

// One started program on the database, with the statements it issues logged.
struct Session {
    explicit Session(const QString& db)
    {
        QFile::link(QFileInfo(db).absoluteFilePath(), QDir(platform.appFolder).filePath(QStringLiteral("edudataD.mdb")));
        program = std::make_unique<Program>(platform);
        program->setStepObserver([this](int step) {
            if (step == 13)
                program->state().gAdoConnection->setStatementLog(&log);
        });
    }
    FrmInitial& w() { return *program->frmInitial(); }

    HeadlessPlatform platform;
    std::unique_ptr<Program> program;
    QStringList log;
};

void selectTab(FrmInitial& w, const QString& caption)
{
    for (int i = 0; i < w.SSTab1->count(); ++i)
        if (w.SSTab1->TabVisible(i) && w.SSTab1->TabCaption(i) == caption)
            w.SSTab1->setTab(i);
}

} // namespace

// In rtf_figure.cpp and page_figures.cpp.
void MeasureRtfDocument(int runs);
void MeasureHostilePages(int runs);
void MeasureNestedPages(int runs);
void MeasureLongTitle(int runs);
// In import_figure.cpp.
void MeasureJetImport(const QString& jetFile, int runs);
// In fulltext_figure.cpp.
void MeasureFullText(const QString& dbPath, int runs);

// In first_window.cpp.
int RunFirstWindowChild(const QString& db, qint64 startNs);
void MeasureFirstWindow(const QString& sampleDb, const QString& db, int runs);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc == 3 && qstrcmp(argv[1], "--floors-child") == 0)
        return RunFloorsChild(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && qstrcmp(argv[1], "--first-window-child") == 0)
        return RunFirstWindowChild(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    const QString sampleDb = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/edudataD.mdb"));
    QString dbPath = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/edudataD.mdb"));
    int runs = 5;
    bool loadOnly = false;
    bool fulltextOnly = false;
    QString jetFile = QStringLiteral(SELVARA_JET_SAMPLE);
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--load-only") == 0)
            loadOnly = true;
        else if (qstrcmp(argv[i], "--fulltext-only") == 0)
            fulltextOnly = true;
        else if (i + 1 == argc)
            break;
        else if (qstrcmp(argv[i], "--db") == 0)
            dbPath = QString::fromLocal8Bit(argv[++i]);
        else if (qstrcmp(argv[i], "--jet") == 0)
            jetFile = QString::fromLocal8Bit(argv[++i]);
        else if (qstrcmp(argv[i], "--runs") == 0)
            runs = std::max(1, atoi(argv[++i]));
    }
    if (!QFileInfo::exists(dbPath)) {
        std::fprintf(stderr, "no database at %s\n", qPrintable(dbPath));
        return 2;
    }
    if (fulltextOnly) {
        MeasureFullText(dbPath, runs);
        return 0;
    }
    Floors floors(dbPath);
    if (!floors.started()) {
        std::fprintf(stderr, "the floors' process did not start\n");
        return 1;
    }
    long topics = 0, laws = 0, entries = 0;
    floors.run({QStringLiteral("SELECT topic_id FROM topic")}, &topics);
    floors.run({QStringLiteral("SELECT law.law_id FROM law, LAWTYPE WHERE law.type_id = LAWTYPE.type_id AND LAWTYPE.display_flag = 1 AND LAWTYPE_SHOW AND LAWTYPE.type_id < 90")}, &laws);
    floors.run({QStringLiteral("SELECT schedule_id FROM schedule")}, &entries);
    std::printf("database %s: %ld topics, %ld listed law rows, %ld guide entries; %d runs\n", qPrintable(dbPath), topics,
                laws, entries, runs);
    const QString allRows = QStringLiteral(
        "SELECT topic_id, descr FROM topic UNION ALL SELECT law_id, law_code FROM law UNION ALL SELECT schedule_id, descr FROM schedule");

    MeasureFirstWindow(sampleDb, dbPath, std::max(runs, 5));
    Figure load{QStringLiteral("main window load (first levels)"), {}, {}, {}, QString()};
    Figure complete{QStringLiteral("complete fill (three trees)"), {}, {}, {}, QStringLiteral("idle steps; target < 1.3 x stmt")};
    double longestStep = 0;
    struct SearchKind {
        const char* name;
        const char* tab;
        int button;
        int box;  // 0 topics, 1 legislation, 2 guide
        const char* text;
    };
    const SearchKind kinds[] = {
        {"search: topic keywords", "Θέματα", 1, 0, "λεξη1234"},
        {"search: topic titles", "Θέματα", 0, 0, "εγγραφες"},
        {"search: law titles", "Νομοθετήματα", 0, 1, "πειθαρχια εκδρομες"},
        {"search: law keywords", "Νομοθετήματα", 1, 1, "λεξη77"},
        {"search: document guide", "Οδηγός Εγγράφων", 0, 2, "βιβλια"},
    };
    std::vector<Figure> searches;
    for (const SearchKind& k : kinds)
        searches.push_back({QString::fromUtf8(k.name), {}, {}, {}, QStringLiteral("target < 600 ms, < 1.3 x stmt")});
    Figure lawPage{QStringLiteral("law page, 300 articles"), {}, {}, {}, QStringLiteral("target < 15 ms, < 1.3 x stmt")};
    Figure topicPage{QStringLiteral("topic page, 50 abstracts"), {}, {}, {}, QString()};
    Figure document{QStringLiteral("write the largest attached document"), {}, {}, {}, QString()};
    Figure history{QStringLiteral("history of 1000 entries"), {}, {}, {}, QString()};
    long documentPeakKb = 0;
    long overallPeakKb = 0;
    long programPeakKb = 0;

    for (int run = 0; run < runs; ++run) {
        Session s(dbPath);
        QElapsedTimer t;
        std::optional<ProgramPeak> loading(std::in_place, programPeakKb, overallPeakKb);
        t.start();
        if (!s.program->Main() || !s.program->frmInitial()) {
            std::fprintf(stderr, "the program did not start on %s\n", qPrintable(dbPath));
            return 1;
        }
        load.ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        loading.reset();
        load.statementFloor.push_back(floors.run(s.log));
            load.statements = s.log.size();
        load.dataFloor.push_back(floors.data(allRows, topics + laws + entries));
        FrmInitial& w = s.w();
        if (loadOnly)
            continue;

        // The rest of the trees as idle time reads it, a step at a time.
        s.log.clear();
        std::optional<ProgramPeak> filling(std::in_place, programPeakKb, overallPeakKb);
        t.restart();
        while (w.tvwTree->HasPending() || w.tvwTreelaw->HasPending() || w.tvwTreeschedule[0]->HasPending()
               || w.tvwTreeschedule[1]->HasPending()) {
            QElapsedTimer step;
            step.start();
            w.fillTreesStep();
            longestStep = std::max(longestStep, static_cast<double>(step.nsecsElapsed()) / 1e6);
        }
        complete.ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        filling.reset();
        complete.statementFloor.push_back(floors.run(s.log));
        complete.statements = s.log.size();
        complete.dataFloor.push_back(floors.data(allRows, topics + laws + entries));

        for (size_t i = 0; i < std::size(kinds); ++i) {
            const SearchKind& k = kinds[i];
            selectTab(w, QString::fromUtf8(k.tab));
            QLineEdit* box = k.box == 0 ? w.txtsearch[k.button] : k.box == 1 ? w.txtsearchlaw[k.button] : w.txtsearchSchedule[0];
            box->setText(QString::fromUtf8(k.text));
            s.log.clear();
            std::optional<ProgramPeak> searching(std::in_place, programPeakKb, overallPeakKb);
            t.restart();
            w.cmdsearch_Click(k.button);
            searches[i].ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            searching.reset();
            searches[i].statementFloor.push_back(floors.run(s.log));
            searches[i].statements = s.log.size();
            TreeView* tree = k.box == 0 ? w.tvwTree : k.box == 1 ? w.tvwTreelaw : w.tvwTreeschedule[0];
            const QString hitQuery = s.log.isEmpty() ? QStringLiteral("SELECT 1") : s.log.first();
            searches[i].dataFloor.push_back(floors.data(hitQuery, tree->CountRead()));
            box->clear();
            w.cmdsearch_Click(k.button);
            // The events a window answers between two searches (the replaced
            // trees are freed then).
            QCoreApplication::processEvents();
        }

        selectTab(w, QStringLiteral("Νομοθετήματα"));
        if (QTreeWidgetItem* node = w.tvwTreelaw->Node(QStringLiteral("c1"))) {
            s.log.clear();
            std::optional<ProgramPeak> showing(std::in_place, programPeakKb, overallPeakKb);
            t.restart();
            w.ShowLawNode(node);
            lawPage.ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            showing.reset();
            lawPage.statementFloor.push_back(floors.run(s.log));
            lawPage.statements = s.log.size();
            lawPage.dataFloor.push_back(floors.data(QStringLiteral("SELECT title, descr FROM law WHERE law_code = (SELECT law_code FROM law WHERE law_id = 1)"), 0));
        }

        selectTab(w, QStringLiteral("Θέματα"));
        if (QTreeWidgetItem* node = w.tvwTree->Node(QStringLiteral("l1"))) {
            s.log.clear();
            t.restart();
            w.ShowTopicPage(node);
            topicPage.ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            topicPage.statementFloor.push_back(floors.run(s.log));
            topicPage.statements = s.log.size();
            topicPage.dataFloor.push_back(floors.data(s.log.value(0), 0));
        }

        overallPeakKb = std::max(overallPeakKb, peakKb());
        long docId = 0;
        {
            Recordset rs = s.program->state().gAdoConnection->execute(
                QStringLiteral("SELECT law_id FROM law WHERE BlobType = 'rtf' ORDER BY length(BlobBody) DESC LIMIT 1"));
            if (!rs.eof())
                docId = rs.toLong(u"law_id");
        }
        if (docId) {
            resetPeak();
            const long before = peakKb();
            s.log.clear();
            t.restart();
            const QString file = w.SaveBlobSubBodyFile(DocumentSql::LawDocument(static_cast<qint32>(docId)), QStringLiteral("rtf"), w.ProgressBar1);
            document.ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            documentPeakKb = std::max(documentPeakKb, peakKb() - before);
            document.statementFloor.push_back(floors.run(s.log));
            document.statements = s.log.size();
            QFile::remove(file);
        }

        {
            QStringList ids;
            Recordset rs = s.program->state().gAdoConnection->execute(QStringLiteral("SELECT law_id FROM law LIMIT 1000"));
            while (!rs.eof()) {
                ids << QString::number(rs.toLong(u"law_id"));
                rs.moveNext();
            }
            QFile f(QDir(s.platform.appFolder).filePath(QStringLiteral("history.txt")));
            if (f.open(QIODevice::WriteOnly))
                f.write(ids.join(QStringLiteral("\r\n")).toLatin1());
            f.close();
            w.lsthistory->clear();
            s.log.clear();
            std::optional<ProgramPeak> reading(std::in_place, programPeakKb, overallPeakKb);
            t.restart();
            w.LoadHistory();
            history.ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            reading.reset();
            history.statementFloor.push_back(floors.run(s.log));
            history.statements = s.log.size();
            history.dataFloor.push_back(floors.data(QStringLiteral("SELECT title, law_id FROM law LIMIT 1000"), 0));
        }
        overallPeakKb = std::max(overallPeakKb, peakKb());
        w.close();
    }

    print(load);
    if (loadOnly)
        return 0;
    print(complete);
    std::printf("%-34s %10.1f ms (target < 50 ms)\n", "  longest idle step", longestStep);
    for (const Figure& f : searches)
        print(f);
    print(lawPage);
    print(topicPage);
    print(document);
    std::printf("%-34s %10.1f MB added to the peak (target < 4 MB)\n", "  document write, memory", static_cast<double>(documentPeakKb) / 1024.0);
    print(history);
    MeasureRtfDocument(runs);
    MeasureHostilePages(runs);
    MeasureNestedPages(runs);
    MeasureLongTitle(runs);
    MeasureJetImport(jetFile, runs);
    MeasureFullText(dbPath, runs);
    std::printf("%-34s %10.1f MB (target < 300 MB)\n", "peak memory", static_cast<double>(overallPeakKb) / 1024.0);
    std::printf("%-34s %10.1f MB\n", "  of the program's own work", static_cast<double>(programPeakKb) / 1024.0);
    return 0;
}
