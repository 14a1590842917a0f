#pragma once

#include <QString>

#include <functional>

class Database;

// The size of the pieces an attached document is copied in.
constexpr qint64 kBlobChunk = 64000;

// Runs the query (one row with a BlobBody column, from one table) and copies
// that column's bytes to the file, piece by piece, so that a large document is
// never held in memory whole. Returns the file's path, or empty when the query
// has no row or the file cannot be written (a partly written file stays).
// Errors of the query itself are thrown to the caller. afterChunk runs after
// each piece; beforeWrite once the row is found, before the old file goes.
QString WriteBlobFile(Database& db, const QString& query, const QString& path,
                      const std::function<void()>& afterChunk = {},
                      const std::function<void()>& beforeWrite = {});

// Whether a stored document type can serve as a file name's extension:
// no separators, no drive or parent-folder tricks, no control characters.
bool IsSafeDocumentType(const QString& type);

// The progress shown while a law's document is written: it follows time, not
// bytes — 0.5 after one second, 0.9 after nine, never 1.
double BlobProgressFraction(double elapsedSeconds);
// Seconds since midnight, as the progress clock counts.
float SecondsSinceMidnight();
