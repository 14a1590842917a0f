// Figures of hostile stored texts: work that must stay linear in their size.
#include "pages/Links.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

void MeasureHostilePages(int runs)
{
    QString page;
    for (int i = 0; i < 20000; ++i)
        page += QStringLiteral("<p>εικόνα %1 <IMG class=x SRC=\"C:\\\\old\\\\pics\\\\p%1.gif\"></p>").arg(i);
    std::vector<double> ms;
    std::vector<double> floor;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        const QString rewritten = RewriteImageSources(page, QStringLiteral("/opt/selvara"));
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        // The floor: one scan of the same text for the same tags, and a copy.
        t.restart();
        qsizetype hits = 0;
        for (qsizetype p = page.indexOf(QLatin1String("<img"), 0, Qt::CaseInsensitive); p >= 0;
             p = page.indexOf(QLatin1String("<img"), p + 4, Qt::CaseInsensitive))
            ++hits;
        const QString copy = QString(page.constData(), page.size());
        floor.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        if (rewritten.size() < copy.size() / 2 || hits != 20000)
            std::printf("unexpected rewrite result\n");
    }
    std::sort(ms.begin(), ms.end());
    std::sort(floor.begin(), floor.end());
    const double m = ms[ms.size() / 2];
    const double f = floor[floor.size() / 2];
    std::printf("%-34s %10.1f ms  scan floor %15.1f ms (x%5.2f)  target < 100 ms\n", "redirect 20,000 pictures", m, f,
                f > 0 ? m / f : 0.0);
}
