// The import of a Jet file: the whole import against reading the same rows
// through the same reader into nothing (what no import can do without).
#include "data/JetImport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

void MeasureJetImport(const QString& jetFile, int runs)
{
    if (!QFileInfo::exists(jetFile)) {
        std::printf("%-34s no Jet file at %s\n", "import a Jet file", qPrintable(jetFile));
        return;
    }
    std::vector<double> import, floor;
    qint64 rows = 0;
    QTemporaryDir dir;
    JetImport::Options options;
    options.requireProgramSchema = false;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        const JetImport::Result r = JetImport::ImportFile(jetFile, dir.filePath(QStringLiteral("out.db")), options);
        import.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        rows = r.rows;

        t.restart();
        QString message;
        auto reader = JetImport::OpenJetFile(jetFile, &message);
        if (reader)
            for (const JetImport::Table& table : reader->tables())
                reader->readRows(table, [](const JetImport::Row&) { return true; });
        floor.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(import.begin(), import.end());
    std::sort(floor.begin(), floor.end());
    const double m = import[import.size() / 2];
    const double f = floor[floor.size() / 2];
    const double mb = static_cast<double>(QFileInfo(jetFile).size()) / (1024.0 * 1024.0);
    std::printf("%-34s %10.1f ms  read floor %15.1f ms (x%5.2f)  %.1f MB, %lld rows: %.1f MB/s, 175 MB in ~%.0f s (target < 30 s)\n",
                "import a Jet file", m, f, f > 0 ? m / f : 0.0, mb, static_cast<long long>(rows), mb / (m / 1000.0),
                175.0 / (mb / (m / 1000.0)));
}
