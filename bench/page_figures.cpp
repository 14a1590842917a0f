// Figures of hostile stored texts: work that must stay linear in their size.
#include "mainwindow/Controls.h"
#include "pages/Links.h"
#include "pages/PageBrowser.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The median of each side, the figure beside its floor, the columns aligned
// with the other figures'.
void printBesideFloor(const char* name, std::vector<double> ms, std::vector<double> floor, const char* floorName,
                      const char* target)
{
    std::sort(ms.begin(), ms.end());
    std::sort(floor.begin(), floor.end());
    const double m = ms[ms.size() / 2];
    const double f = floor[floor.size() / 2];
    const int width = std::max(1, 25 - static_cast<int>(std::char_traits<char>::length(floorName)));
    std::printf("%-34s %10.1f ms  %s %*.1f ms (x%5.2f)  %s\n", name, m, floorName, width, f, f > 0 ? m / f : 0.0, target);
}

} // namespace

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
    printBesideFloor("redirect 20,000 pictures", ms, floor, "scan floor", "target < 100 ms");
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
    const QString quoted = QStringLiteral("<span title=a'>") + tables;
    const QString strayCell = QStringLiteral("<td>") + tables;
    const QString divs = QStringLiteral("<div>").repeated(20000) + QStringLiteral("λέξη") + QStringLiteral("</div>").repeated(20000);
    const QString lists = QStringLiteral("<ul><li>").repeated(5000) + QStringLiteral("λέξη") + QStringLiteral("</li></ul>").repeated(5000);
    const QString quotes = QStringLiteral("<blockquote>").repeated(5000) + QStringLiteral("λέξη") + QStringLiteral("</blockquote>").repeated(5000);
    // A file that reads on without end, named by every route a page has.
    const QString endless = QStringLiteral("<img src = \"/proc/self/pagemap\"><img src=\"x.gif\" src=\"/proc/self/pagemap\">"
                                           "<table background=\"/proc/self/pagemap\"><tr><td>κελί</td></tr></table>"
                                           "<p style=\"background-image: url('/proc/self/pagemap')\">λέξη</p>");
    QString law = QStringLiteral("<p>");
    while (law.size() < 11'000'000)
        law += QStringLiteral("Άρθρο %1. Οι μαθητές των σχολείων της χώρας. ").arg(law.size());
    for (const auto& [name, html] : {std::pair{"page of 22 nested tables", tables}, std::pair{"page of 20,000 nested tags", bold},
                                     std::pair{"page of 20,000 missing pictures", pictures},
                                     std::pair{"page: 22 tables behind a quote", quoted},
                                     std::pair{"page: a stray cell and 22 tables", strayCell},
                                     std::pair{"page of 20,000 nested divs", divs}, std::pair{"page of 5,000 nested lists", lists},
                                     std::pair{"page of 5,000 nested quotes", quotes},
                                     std::pair{"page: /proc/self/pagemap pictures", endless},
                                     std::pair{"page: an 11 MB law text", law}}) {
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
        printBesideFloor(name, ms, floor, "plain floor", "target < 1000 ms");
    }
}

// A topic whose title is 10 MB: the tree holds what it can show, and opening
// and closing another branch costs what it costs beside a short title.
void MeasureLongTitle(int runs)
{
    const QString title = QStringLiteral("Θέμα με πολύ μακρύ τίτλο ").repeated(400'000);
    std::vector<double> ms;
    std::vector<double> floor;
    for (int run = 0; run < runs; ++run) {
        for (const bool huge : {true, false}) {
            TreeView tree(QStringLiteral("tvwTopics"));
            tree.resize(400, 700);
            tree.show();
            QElapsedTimer t;
            t.start();
            tree.Add(QString(), QStringLiteral("a"), huge ? title : title.left(TreeView::kMaxNodeText), QString());
            QTreeWidgetItem* other = tree.Add(QString(), QStringLiteral("b"), QStringLiteral("Άλλο θέμα"), QString());
            for (int i = 0; i < 50; ++i)
                tree.Add(QStringLiteral("b"), QStringLiteral("b%1").arg(i), QStringLiteral("Υποθέμα %1").arg(i), QString());
            tree.grab();
            for (int i = 0; i < 5; ++i) {
                tree.SetExpanded(other, true);
                tree.grab();
                tree.SetExpanded(other, false);
                tree.grab();
            }
            (huge ? ms : floor).push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
    }
    printBesideFloor("tree: a 10 MB topic title", ms, floor, "short-title floor", "target < 1000 ms");
}
