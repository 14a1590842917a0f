#pragma once

// One function per fuzz target, shared by the libFuzzer programs and the test
// that replays the kept corpus, so both exercise exactly the same calls.
#include "documents/RtfReader.h"
#include "history/HistoryFile.h"
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

inline void History(const QByteArray& input)
{
    static const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) != input.size())
        std::abort();
    file.close();
    bool opened = false;
    (void)ReadHistoryLines(path, &opened);
    if (!opened)
        std::abort();
}

} // namespace FuzzEntry
