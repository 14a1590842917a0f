#pragma once

#include <QString>

// Whether a path names a program the viewer setting can start: an executable
// regular file, or the bare name of a program on the search path.
bool IsViewerProgram(const QString& path);
