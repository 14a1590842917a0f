// The first window: from the start of a process to the main window shown,
// on the sample database and on the one measured, in interleaved runs.
#include "mainwindow/FrmInitial.h"
#include "startup/HeadlessPlatform.h"
#include "startup/Program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double spawn(const QString& db)
{
    QProcess child;
    const qint64 start = nowNs();
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-window-child"), db, QString::number(start)});
    if (!child.waitForFinished(60000))
        return -1;
    bool ok = false;
    const double ms = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? ms : -1;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

// In the child: the program started as the user starts it, until its main
// window is exposed; prints the milliseconds since the parent started it.
int RunFirstWindowChild(const QString& db, qint64 startNs)
{
    HeadlessPlatform platform;
    QFile::link(QFileInfo(db).absoluteFilePath(), QDir(platform.appFolder).filePath(QStringLiteral("edudataD.mdb")));
    Program program(platform);
    if (!program.Main() || !program.frmInitial())
        return 1;
    FrmInitial& w = *program.frmInitial();
    while (!(w.isVisible() && w.windowHandle() && w.windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("%.2f\n", static_cast<double>(nowNs() - startNs) / 1e6);
    std::fflush(stdout);
    return 0;
}

void MeasureFirstWindow(const QString& sampleDb, const QString& db, int runs)
{
    std::vector<double> sample, here;
    for (int run = 0; run < runs; ++run) {
        sample.push_back(spawn(sampleDb));
        here.push_back(spawn(db));
    }
    const double s = median(sample);
    const double m = median(here);
    std::printf("%-34s %10.1f ms  sample database %6.1f ms (x%5.2f)  target < 1.5 x sample\n",
                "first window (process start)", m, s, s > 0 ? m / s : 0.0);
}
