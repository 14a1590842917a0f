#pragma once

#include <QString>

#include <optional>

// The id a link names after "#" or "#f"; nothing when the address has no "#"
// (an ordinary navigation). No number, or one no id can hold, gives 0.
std::optional<qint32> LinkId(const QString& address);

// Every picture of the page redirected to the program's help folder, keeping
// only its file name; tags and attributes in any letter case. A source
// without its closing quote ends the rewriting: the rest of the text is
// returned as it was.
QString RewriteImageSources(const QString& html, const QString& appPath);
