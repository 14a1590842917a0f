// The rtf figure: a 5 MB Greek document with tables, from its file to the
// first painted screen of the read-only text view.
#include "mainwindow/Controls.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Written as Word writes a Greek law: code-page text, run formatting and
// bordered tables of four cells.
QByteArray greekLaw()
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\froman\\fcharset161 Times New Roman Greek;}}"
                     "{\\colortbl;\\red0\\green0\\blue128;}\\f0\\fs24 ";
    const QByteArray greek = "\\'c1\\'f1\\'e8\\'f1\\'ef \\'e5\\'ea\\'f0\\'e1\\'e9\\'e4\\'e5\\'f5\\'f4\\'e9\\'ea\\'de\\'f2 ";
    QByteArray row = "\\trowd\\trgaph108\\trleft-108";
    for (int c = 1; c <= 4; ++c)
        row += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\cellx" + QByteArray::number(c * 2200);
    for (int c = 0; c < 4; ++c)
        row += "\\pard\\intbl " + greek + "\\cell ";
    row += "\\row\n";
    for (int p = 0; rtf.size() < 5'000'000; ++p) {
        rtf += "\\pard\\qj\\li360\\sa120 {\\b " + greek + "}";
        for (int i = 0; i < 25; ++i)
            rtf += (i % 7 == 0) ? "{\\i\\cf1 " + greek + "}" : greek;
        rtf += "\\par\n";
        if (p % 10 == 9)
            for (int r = 0; r < 10; ++r)
                rtf += row;
    }
    return rtf + "}";
}

double ms(const QElapsedTimer& t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void MeasureRtfFile(int runs, const QString& label, const QByteArray& rtf);

} // namespace

void MeasureRtfDocument(int runs)
{
    MeasureRtfFile(runs, QStringLiteral("open a Greek rtf document"), greekLaw());
    // A hostile one: 20,000 formatting runs in one paragraph (180 KB).
    QByteArray bold = "{\\rtf1\\ansi ";
    for (int i = 0; i < 20000; ++i)
        bold += "\\b x\\b0 y";
    MeasureRtfFile(runs, QStringLiteral("rtf: 20,000 runs in a paragraph"), bold + "\\par}");
    QByteArray paragraphs = "{\\rtf1\\ansi ";
    for (int i = 0; i < 1000000; ++i)
        paragraphs += "p\\par ";
    MeasureRtfFile(runs, QStringLiteral("rtf: 1,000,000 paragraphs"), paragraphs + "}");
    QByteArray row = "\\trowd";
    for (int c = 1; c <= 60; ++c)
        row += "\\cellx" + QByteArray::number(c * 200);
    for (int c = 0; c < 60; ++c)
        row += "\\pard\\intbl a\\cell ";
    QByteArray table = "{\\rtf1\\ansi ";
    for (int r = 0; r < 20000; ++r)
        table += row + "\\row\n";
    MeasureRtfFile(runs, QStringLiteral("rtf: 20,000 rows of 60 cells"), table + "}");
}

namespace {

void MeasureRtfFile(int runs, const QString& label, const QByteArray& rtf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BlobSubBody.rtf"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(rtf) != rtf.size())
        return;
    f.close();

    std::vector<double> open, floor;
    for (int run = 0; run < runs; ++run) {
        RichTextBox box(QStringLiteral("rtbWordLaw"));
        box.resize(1000, 700);
        QElapsedTimer t;
        t.start();
        box.LoadFile(path);
        box.show();
        box.grab();
        open.push_back(ms(t));

        // The floor: the same visible text, read from the same file, put into
        // a view in one call and painted, with no formatting or tables.
        const QString text = box.document()->toPlainText();
        QTextEdit plain;
        plain.resize(1000, 700);
        t.restart();
        QFile same(path);
        same.open(QIODevice::ReadOnly);
        same.readAll();
        plain.setPlainText(text);
        plain.show();
        plain.grab();
        floor.push_back(ms(t));
    }
    const double m = median(open);
    const double fl = median(floor);
    std::printf("%-34s %10.1f ms  plain-text floor %9.1f ms (x%5.2f)  target < 1000 ms (%.1f MB)\n",
                qPrintable(label), m, fl, fl > 0 ? m / fl : 0.0, static_cast<double>(rtf.size()) / 1e6);
}

} // namespace
