#include "documents/RtfReader.h"

#include "documents/RtfParser.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace {

constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;

// Where the document starts, or -1 when the bytes are not RTF.
qsizetype RtfStart(const QByteArray& bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return QByteArrayView(bytes).sliced(i).startsWith("{\\rtf") ? i : -1;
}

} // namespace

bool ReadRtf(const QByteArray& rtf, QTextDocument& document)
{
    const qsizetype start = RtfStart(rtf);
    if (start < 0)
        return false;
    document.clear();
    // Reading is not an edit anyone undoes; keeping undo steps would double the memory.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    {
        Rtf::Parser parser(std::string_view(rtf.constData() + start, static_cast<size_t>(rtf.size() - start)), document);
        parser.run();
    }
    document.setUndoRedoEnabled(undo);
    return true;
}

bool ReadRtfText(const QByteArray& rtf, std::string& text)
{
    const qsizetype start = RtfStart(rtf);
    if (start < 0)
        return false;
    QTextDocument scratch;
    Rtf::Parser parser(std::string_view(rtf.constData() + start, static_cast<size_t>(rtf.size() - start)), scratch, text);
    parser.run();
    return true;
}

bool LoadRtfFile(const QString& path, QTextDocument& document)
{
    // Devices and pipes could feed endless bytes.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileSize)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize)
        return false;
    return ReadRtf(bytes, document);
}
