#include "documents/BlobWriter.h"

#include "data/Database.h"
#include "startup/AppError.h"

#include <sqlite3.h>

#include <QFile>
#include <QTime>
#include <QRegularExpression>

#include <cmath>
#include <vector>

namespace {

// "Select … from TABLE where …": the table and the rest from "from" on.
bool splitQuery(const QString& query, QString* table, QString* fromOn)
{
    static const QRegularExpression kFrom(QStringLiteral("\\bfrom\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = kFrom.match(query);
    if (!m.hasMatch())
        return false;
    *table = m.captured(1);
    *fromOn = query.mid(m.capturedStart());
    return true;
}

} // namespace

QString WriteBlobFile(Database& db, const QString& query, const QString& path, const std::function<void()>& afterChunk,
                      const std::function<void()>& beforeWrite)
{
    QString table;
    QString fromOn;
    if (!splitQuery(query, &table, &fromOn))
        throw AppError(1, QStringLiteral("The document query names no table."));
    // The row and the size first; the bytes are then read straight from the
    // table, a piece at a time.
    Recordset rs = db.openRecordset(QStringLiteral("SELECT rowid AS blob_rowid, length(BlobBody) AS blob_size ") + fromOn,
                                    CursorType::Static);
    if (rs.eof())
        return QString();
    const qint64 rowid = rs.value(u"blob_rowid").toLongLong();
    const qint64 size = rs.value(u"blob_size").toLongLong();
    rs.close();
    if (beforeWrite)
        beforeWrite();

    if (QFile::exists(path))
        QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    if (size <= 0)
        return path;

    sqlite3_blob* blob = nullptr;
    if (sqlite3_blob_open(db.handle(), "main", table.toUtf8().constData(), "BlobBody", rowid, 0, &blob) != SQLITE_OK) {
        sqlite3_blob_close(blob);
        return QString();
    }
    std::vector<char> buffer(static_cast<size_t>(kBlobChunk));
    bool ok = true;
    for (qint64 offset = 0; ok && offset < size; offset += kBlobChunk) {
        const int n = static_cast<int>(qMin(kBlobChunk, size - offset));
        ok = sqlite3_blob_read(blob, buffer.data(), n, static_cast<int>(offset)) == SQLITE_OK
            && file.write(buffer.data(), n) == n;
        if (ok && afterChunk)
            afterChunk();
    }
    sqlite3_blob_close(blob);
    file.close();
    return ok ? path : QString();
}

bool IsSafeDocumentType(const QString& type)
{
    if (type.size() > 16)
        return false;
    for (const QChar c : type)
        if (!c.isLetterOrNumber() && c != u'_' && c != u'-')
            return false;
    return true;
}

double BlobProgressFraction(double elapsedSeconds)
{
    const double percent = std::nearbyint(elapsedSeconds * 100.0 / (elapsedSeconds + 1.0));
    return percent / 100.0;
}

float SecondsSinceMidnight()
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}
