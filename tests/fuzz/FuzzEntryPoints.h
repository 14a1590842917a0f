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
#include <QTextDocument>

#include <cstdlib>

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
