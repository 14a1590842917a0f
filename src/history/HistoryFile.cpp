#include "history/HistoryFile.h"

#include "data/Database.h"
#include "history/HistorySql.h"
#include "startup/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QRegularExpression>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

QStringList ReadHistoryLines(const QString& path, bool* opened, bool* whole)
{
    QFile file(path);
    const bool ok = file.open(QIODevice::ReadOnly);
    if (opened)
        *opened = ok;
    if (whole)
        *whole = true;
    if (!ok)
        return {};
    // No id needs more; a longer line is no number and ends the reading.
    constexpr qint64 kLongestLine = 64;
    QStringList lines;
    while (!file.atEnd()) {
        if (lines.size() == kMaxHistoryEntries) {
            if (whole)
                *whole = false;
            break;
        }
        QByteArray line = file.readLine(kLongestLine);
        const bool ended = line.endsWith('\n');
        if (lines.isEmpty() && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        lines.append(QString::fromLatin1(line).trimmed());
        if (!ended && !file.atEnd()) {
            if (whole)
                *whole = false;
            break;
        }
    }
    return lines;
}

bool WriteHistoryFile(const QString& path, const QList<qint32>& ids, const std::function<void()>& afterLine)
{
    // Unbuffered, so that a full disk shows in the write that meets it and
    // not in a flush whose failure a commit could pass over; the old file is
    // replaced only by a new one whose size and sync have been checked.
    QString part;
    {
        QTemporaryFile name(path + QStringLiteral(".XXXXXX.part"));
        name.setAutoRemove(false);
        if (!name.open())
            return false;
        part = name.fileName();
    }
    // Whatever ends the writing early, an exception included, takes the
    // part file with it.
    struct Discard {
        const QString& part;
        bool keep = false;
        ~Discard()
        {
            if (!keep)
                QFile::remove(part);
        }
    } discard{part};
    QFile file(part);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered | QIODevice::Truncate))
        return false;
    qint64 expected = 0;
    for (qint32 id : ids) {
        const QByteArray line = QByteArray::number(id) + "\r\n";
        if (file.write(line) != line.size())
            return false;
        expected += line.size();
        if (afterLine)
            afterLine();
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return false;
#endif
    file.close();
    if (file.error() != QFileDevice::NoError || QFileInfo(part).size() != expected)
        return false;
    std::error_code renamed;
    std::filesystem::rename(part.toStdString(), path.toStdString(), renamed);
    if (renamed)
        return false;
    discard.keep = true;
    return true;
}

HistoryStore::HistoryStore(QString programFolder, QString userFolder)
    : m_programFile(programFolder.isEmpty() ? QString() : QDir(programFolder).filePath(QStringLiteral("history.txt")))
    , m_userFile(userFolder.isEmpty() ? QString() : QDir(userFolder).filePath(QStringLiteral("history.txt")))
{
}

QString HistoryStore::loadPath() const
{
    if (m_programFile.isEmpty())
        return m_userFile;
    if (m_userFile.isEmpty())
        return m_programFile;
    // Two copies: a save went to the user's folder while the program's could
    // not be written, and the user's could not be removed when it could. The
    // one written last is the list.
    const QFileInfo program(m_programFile);
    const QFileInfo user(m_userFile);
    if (!user.isFile())
        return m_programFile;
    if (!program.isFile())
        return m_userFile;
    // A tie goes to the user's copy, which exists only because a save went
    // there or could not take it away.
    return user.lastModified() >= program.lastModified() ? m_userFile : m_programFile;
}

bool HistoryStore::save(const QList<qint32>& ids) const
{
    if (!m_programFile.isEmpty() && WriteHistoryFile(m_programFile, ids)) {
        if (!m_userFile.isEmpty())
            QFile::remove(m_userFile);
        return true;
    }
    if (m_userFile.isEmpty() || !QDir().mkpath(QFileInfo(m_userFile).path()))
        return false;
    return WriteHistoryFile(m_userFile, ids);
}

QList<QPair<QString, qint32>> HistoryEntries(Database& db, const QStringList& lines, bool* complete)
{
    // Checked as a number before it goes into the statement.
    static const QRegularExpression kNumber(QStringLiteral("^-?[0-9]{1,10}$"));
    QList<QPair<QString, qint32>> entries;
    if (complete)
        *complete = true;
    for (const QString& line : lines) {
        try {
            if (!kNumber.match(line).hasMatch())
                throw AppError(13, QStringLiteral("Type mismatch"));
            Recordset rs = db.execute(HistorySql::TitleForLoad(line));
            while (!rs.eof()) {
                entries.append({rs.text(u"title"), rs.toLong(u"law_id")});
                rs.moveNext();
            }
        } catch (const AppError&) {
            if (complete)
                *complete = false;
            break;
        }
    }
    return entries;
}
