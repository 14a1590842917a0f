#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Reads RTF into the document, replacing what it held. Returns false when the
// bytes are not RTF at all (do not start, after optional whitespace, with "{\rtf");
// a damaged or truncated RTF document still returns true with what could be read.
bool ReadRtf(const QByteArray& rtf, QTextDocument& document);

// The same from a file; false when the file cannot be opened or is not RTF.
bool LoadRtfFile(const QString& path, QTextDocument& document);
