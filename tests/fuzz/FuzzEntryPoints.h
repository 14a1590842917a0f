#pragma once

// One function per fuzz target, shared by the libFuzzer programs and the test
// that replays the kept corpus, so both exercise exactly the same calls.
#include "data/JetImport.h"
#include "documents/RtfReader.h"
#include "history/HistoryFile.h"
#include "pages/HtmlNesting.h"
#include "pages/Links.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>

#include <cstdlib>
#include <utility>
#include <vector>

namespace FuzzEntry {

inline void Rtf(const QByteArray& input)
{
    QTextDocument doc;
    if (ReadRtf(input, doc)) {
        // Asking for the text walks every block and table the reader built.
        (void)doc.toPlainText();
    }
}

inline void LinkId(const QByteArray& input)
{
    (void)::LinkId(QString::fromUtf8(input));
}

inline void ImageSources(const QByteArray& input)
{
    // Bytes before the first NUL, if any, are the program's folder.
    const qsizetype cut = input.indexOf('\0');
    const QString app = cut >= 0 ? QString::fromUtf8(input.left(cut)) : QStringLiteral("/opt/selvara");
    (void)RewriteImageSources(QString::fromUtf8(cut >= 0 ? input.mid(cut + 1) : input), app);
}

// A stored text as a page view gets it: pictures redirected, nesting
// limited, then parsed and laid out. Pictures never load: reading them is
// the page view's business, not the parser's.
class NoResources : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl&) override { return QVariant::fromValue(QByteArray()); }
};

inline void Page(const QByteArray& input)
{
    NoResources doc;
    doc.setHtml(LimitNesting(RewriteImageSources(QString::fromUtf8(input), QStringLiteral("/opt/selvara"))));
    doc.setTextWidth(600);
    (void)doc.size();
}

// The depths Qt builds from a limited text, read off the document and never
// laid out. Tables are frames within frames; a picture brings an empty frame
// of its own, which holds nothing and so nests nothing. Blocks leave their
// depth only where Qt keeps one: every list within a list adds a level of
// indent (to the list and to the paragraphs in it), every quote 40 pixels
// and every definition 30 of margin on the left. Divisions leave nothing to
// measure, but Qt's tags reach them by the same roads. A style can set any
// indent or margin at once, so where the text could hold one (the word, or
// a character reference that might spell it) those stay unchecked.
inline void Nesting(const QByteArray& input)
{
    const QString limited = LimitNesting(QString::fromUtf8(input));
    NoResources doc;
    doc.setHtml(limited);

    std::vector<std::pair<QTextFrame*, int>> frames{{doc.rootFrame(), 0}};
    while (!frames.empty()) {
        const auto [frame, depth] = frames.back();
        frames.pop_back();
        if (depth > kMaxTableDepth)
            std::abort();
        for (QTextFrame* child : frame->childFrames())
            frames.emplace_back(child, depth + (child->firstPosition() <= child->lastPosition() ? 1 : 0));
    }

    if (limited.contains(QLatin1String("style"), Qt::CaseInsensitive) || limited.contains(QLatin1String("&#")))
        return;
    constexpr qreal kQuoteMargin = 40;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (format.indent() > kMaxBlockDepth || format.leftMargin() > kQuoteMargin * kMaxBlockDepth
            || format.rightMargin() > kQuoteMargin * kMaxBlockDepth)
            std::abort();
        if (block.textList() && block.textList()->format().indent() > kMaxBlockDepth)
            std::abort();
    }
}

// The input as a file of that name in a scratch folder kept for the run.
inline QString AsFile(const QByteArray& input, const QString& name)
{
    static const QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) != input.size())
        std::abort();
    return path;
}

inline void History(const QByteArray& input)
{
    const QString path = AsFile(input, QStringLiteral("history.txt"));
    bool opened = false;
    bool whole = false;
    const QStringList lines = ReadHistoryLines(path, &opened, &whole);
    if (!opened || lines.size() > kMaxHistoryEntries)
        std::abort();
}

// A Jet file as the importer gets it: a message or a database, never a crash.
inline void Jet(const QByteArray& input)
{
    const QString path = AsFile(input, QStringLiteral("edudataD.mdb"));
    JetImport::Options options;
    options.requireProgramSchema = false;
    const JetImport::Result r = JetImport::ImportFile(path, path + QStringLiteral(".out"), options);
    if (!r.ok && r.message.isEmpty())
        std::abort();
}

} // namespace FuzzEntry
