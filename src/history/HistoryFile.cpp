#include "history/HistoryFile.h"

#include "data/Database.h"
#include "history/HistorySql.h"

#include <QFile>
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

bool WriteHistoryFile(const QString& path, const QList<qint32>& ids)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray text;
    for (qint32 id : ids)
        text += QByteArray::number(id) + "\r\n";
    return file.write(text) == text.size();
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
