// What the nesting limiter leaves of a text too deep for it: every word, each
// still separate from its neighbours, and tags Qt reads one way read the same.
#include "pages/HtmlNesting.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTextDocument>
#include <QTextFrame>

namespace {

// The words Qt shows of a limited text, in their order.
QStringList ShownWords(const QString& html)
{
    QTextDocument doc;
    doc.setHtml(LimitNesting(html));
    return doc.toPlainText().simplified().split(u' ');
}

QStringList Numbered(const QString& stem, int n)
{
    QStringList words;
    for (int i = 0; i < n; ++i)
        words << stem + QString::number(i);
    return words;
}

} // namespace

TEST(LimitNesting, LeftOutTagsKeepTheWordsSeparate)
{
    // Blocks, items and cells past their depth, each with a word on either
    // side of its opening and closing tags.
    const struct {
        const char* open;
        const char* close;
        int depth;
    } nests[] = {
        {"<div>", "</div>", kMaxBlockDepth + 8},
        {"<blockquote>", "</blockquote>", kMaxBlockDepth + 8},
        {"<ul><li>", "</li></ul>", kMaxBlockDepth},
        {"<dl><dd>", "</dd></dl>", kMaxBlockDepth},
        {"<ol>", "</ol>", kMaxBlockDepth + 8},
        {"<table><tr><td>", "</td><td>δ</td></tr></table>", kMaxTableDepth + 4},
    };
    for (const auto& nest : nests) {
        SCOPED_TRACE(nest.open);
        QString html;
        QStringList words;
        for (const QString& w : Numbered(QStringLiteral("α"), nest.depth)) {
            html += QString::fromUtf8(nest.open) + w;
            words << w;
        }
        for (const QString& w : Numbered(QStringLiteral("ω"), nest.depth)) {
            html += QString::fromUtf8(nest.close) + w;
            if (QString::fromUtf8(nest.close).contains(u'δ'))
                words << QStringLiteral("δ");
            words << w;
        }
        EXPECT_EQ(ShownWords(html), words);
    }

    // A tag Qt reads past a quote, a space or a character reference counts
    // as the plain one, and so does the table Qt makes around a stray cell.
    for (const QString& table : {QStringLiteral("< table>"), QStringLiteral("<\"table\">"),
                                 QStringLiteral("<ta&#98;le>"), QStringLiteral("<TABLE x='>'>")}) {
        SCOPED_TRACE(table.toStdString());
        const QString html = (table + QStringLiteral("<tr><td>κ")).repeated(kMaxTableDepth + 2);
        QTextDocument doc;
        doc.setHtml(LimitNesting(html));
        int depth = 0;
        for (QTextFrame* f = doc.rootFrame(); !f->childFrames().isEmpty(); f = f->childFrames().first())
            ++depth;
        EXPECT_EQ(depth, kMaxTableDepth);
        EXPECT_EQ(ShownWords(html), QStringList(kMaxTableDepth + 2, QStringLiteral("κ")));
    }
}
