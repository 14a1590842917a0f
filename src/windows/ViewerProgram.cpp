#include "windows/ViewerProgram.h"

#include <QFileInfo>
#include <QStandardPaths>

bool IsViewerProgram(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (!path.contains(u'/') && !path.contains(u'\\'))
        return !QStandardPaths::findExecutable(path).isEmpty();
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}
