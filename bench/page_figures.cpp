// Figures of hostile stored texts: work that must stay linear in their size.
#include "pages/Links.h"
#include "pages/PageBrowser.h"

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

// Nests that Qt lays out in exponential or quadratic time when left as they
// are: from the text to the first painted screen of a page view.
void MeasureNestedPages(int runs)
{
    const QString tables = QStringLiteral("<table><tr><td>κελί").repeated(22) + QStringLiteral("</td></tr></table>").repeated(22);
    const QString bold = QStringLiteral("<b>").repeated(20000) + QStringLiteral("λέξη") + QStringLiteral("</b>").repeated(20000);
    QString pictures;
    for (int i = 0; i < 20000; ++i)
        pictures += QStringLiteral("<img src=\"/opt/selvara/help/p%1.gif\">").arg(i);
    for (const auto& [name, html] : {std::pair{"page of 22 nested tables", tables}, std::pair{"page of 20,000 nested tags", bold},
                                     std::pair{"page of 20,000 missing pictures", pictures}}) {
        std::vector<double> ms;
        std::vector<double> floor;
        for (int run = 0; run < runs; ++run) {
            PageBrowser page(QStringLiteral("brwWebBrowser1"));
            page.resize(1000, 700);
            page.show();
            QElapsedTimer t;
            t.start();
            page.SetBodyHtml(html);
            page.Flush();
            page.grab();
            ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            // The floor: the same words as a plain page.
            PageBrowser plain(QStringLiteral("plain"));
            plain.resize(1000, 700);
            plain.show();
            t.restart();
            plain.SetBodyHtml(QStringLiteral("<p>") + page.toPlainText().toHtmlEscaped() + QStringLiteral("</p>"));
            plain.Flush();
            plain.grab();
            floor.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::sort(floor.begin(), floor.end());
        const double m = ms[ms.size() / 2];
        const double f = floor[floor.size() / 2];
        std::printf("%-34s %10.1f ms  plain floor %14.1f ms (x%5.2f)  target < 1000 ms\n", name, m, f, f > 0 ? m / f : 0.0);
    }
}
