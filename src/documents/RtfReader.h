#pragma once

#include <QByteArray>
#include <QString>

#include <string>

class QTextDocument;

// Reads RTF into the document, replacing what it held. Returns false when the
// bytes are not RTF at all (do not start, after optional whitespace, with "{\rtf");
// a damaged or truncated RTF document still returns true with what could be read.
bool ReadRtf(const QByteArray& rtf, QTextDocument& document);

// Only the text of the RTF, as UTF-8, a line a paragraph, cell or row; tables,
// pictures and formatting are read but not kept. False when it is not RTF.
bool ReadRtfText(const QByteArray& rtf, std::string& text);

// The same from a file; false when the file cannot be opened or is not RTF.
bool LoadRtfFile(const QString& path, QTextDocument& document);
