#include "history/HistoryFile.h"

#include "data/Database.h"
#include "history/HistorySql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QRegularExpression>

QStringList ReadHistoryLines(const QString& path, bool* opened)
{
    QFile file(path);
    const bool ok = file.open(QIODevice::ReadOnly);
    if (opened)
        *opened = ok;
    if (!ok)
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool WriteHistoryFile(const QString& path, const QList<qint32>& ids, const std::function<void()>& afterLine)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (qint32 id : ids) {
        const QByteArray line = QByteArray::number(id) + "\r\n";
        if (file.write(line) != line.size())
            return false;
        if (afterLine)
            afterLine();
    }
    return file.commit();
}

HistoryStore::HistoryStore(QString programFolder, QString userFolder)
    : m_programFile(QDir(programFolder).filePath(QStringLiteral("history.txt")))
    , m_userFile(userFolder.isEmpty() ? QString() : QDir(userFolder).filePath(QStringLiteral("history.txt")))
{
}

QString HistoryStore::loadPath() const
{
    return !m_userFile.isEmpty() && QFileInfo(m_userFile).isFile() ? m_userFile : m_programFile;
}

bool HistoryStore::save(const QList<qint32>& ids) const
{
    if (WriteHistoryFile(m_programFile, ids)) {
        if (!m_userFile.isEmpty())
            QFile::remove(m_userFile);
        return true;
    }
    if (m_userFile.isEmpty() || !QDir().mkpath(QFileInfo(m_userFile).path()))
        return false;
    return WriteHistoryFile(m_userFile, ids);
}

QList<QPair<QString, qint32>> HistoryEntries(Database& db, const QStringList& lines)
{
    // Checked as a number before it goes into the statement.
    static const QRegularExpression kNumber(QStringLiteral("^-?[0-9]+$"));
    QList<QPair<QString, qint32>> entries;
    for (const QString& line : lines) {
        if (!kNumber.match(line).hasMatch())
            break;
        Recordset rs = db.execute(HistorySql::TitleForLoad(line));
        while (!rs.eof()) {
            entries.append({rs.text(u"title"), rs.toLong(u"law_id")});
            rs.moveNext();
        }
    }
    return entries;
}
