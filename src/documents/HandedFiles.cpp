#include "documents/HandedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString HandedFolder(const QString& tempPath)
{
    return tempPath + QStringLiteral("documents");
}

QString HandOverCopy(const QString& tempPath, const QString& file)
{
    QDir folder(HandedFolder(tempPath));
    if (!folder.mkpath(QStringLiteral(".")))
        return QString();
    const QString suffix = QFileInfo(file).suffix();
    for (int n = 1; n < 100000; ++n) {
        const QString copy = folder.filePath(QStringLiteral("Έγγραφο %1.%2").arg(n).arg(suffix));
        const QString lock = folder.filePath(QStringLiteral(".~lock.") + QFileInfo(copy).fileName() + u'#');
        if (QFileInfo::exists(copy) || QFileInfo::exists(lock))
            continue;
        if (!QFile::copy(file, copy))
            return QString();
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        return copy;
    }
    return QString();
}

void RemoveHandedCopies(const QString& tempPath)
{
    QDir folder(HandedFolder(tempPath));
    if (!folder.exists())
        return;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
}
