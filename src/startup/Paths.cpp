#include "startup/Paths.h"

#include <QDir>

namespace Paths {

QChar Separator()
{
    return QDir::separator();
}

bool EndsWithSeparator(const QString& path)
{
    return path.endsWith(u'/') || path.endsWith(u'\\');
}

QString Join(const QString& folder, const QString& name)
{
    qsizetype start = 0;
    while (start < name.size() && (name[start] == u'/' || name[start] == u'\\'))
        ++start;
    const QString rest = name.mid(start);
    if (folder.isEmpty() || EndsWithSeparator(folder))
        return folder + rest;
    return folder + Separator() + rest;
}

} // namespace Paths
