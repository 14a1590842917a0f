#include "data/Database.h"

#include "data/JetFunctions.h"
#include "startup/AppError.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

namespace {

AppError errorOf(const QSqlError& error, const QString& fallback)
{
    bool ok = false;
    long number = error.nativeErrorCode().toLong(&ok);
    if (!ok)
        number = static_cast<long>(error.type()) == 0 ? 1 : static_cast<long>(error.type());
    QString description = error.databaseText();
    if (description.isEmpty())
        description = error.driverText();
    if (description.isEmpty())
        description = fallback;
    return AppError(number, description);
}

} // namespace

Recordset::Recordset(QSqlQuery query)
    : m_query(std::move(query))
{
    const QSqlRecord record = m_query.record();
    m_names.reserve(record.count());
    for (int i = 0; i < record.count(); ++i) {
        QString name = record.fieldName(i);
        const qsizetype colon = name.lastIndexOf(u':');
        if (colon > 0) {
            bool digits = false;
            name.mid(colon + 1).toInt(&digits);
            if (digits)
                name.truncate(colon);
        }
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot >= 0)
            name = name.mid(dot + 1);
        m_names.append(name);
    }
    m_eof = !m_query.next();
}

int Recordset::indexOf(QStringView name) const
{
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (name.compare(m_names[i], Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

void Recordset::moveNext()
{
    if (m_eof)
        throw AppError(ErrorNumber::NoCurrentRecord,
                       QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    m_eof = !m_query.next();
}

void Recordset::close()
{
    m_query.finish();
    m_eof = true;
}

QVariant Recordset::value(QStringView name) const
{
    const int index = indexOf(name);
    if (index < 0)
        throw AppError(ErrorNumber::ItemNotFound,
                       QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    if (m_eof)
        throw AppError(ErrorNumber::NoCurrentRecord,
                       QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    return m_query.value(index);
}

QString Recordset::text(QStringView name) const
{
    const QVariant v = value(name);
    return v.isNull() ? QString() : v.toString();
}

qint32 Recordset::toLong(QStringView name) const
{
    const QVariant v = value(name);
    return v.isNull() ? 0 : static_cast<qint32>(v.toLongLong());
}

Database::Database(QString connectionName)
    : m_name(std::move(connectionName))
{
}

Database::~Database()
{
    close();
}

void Database::open(const QString& path, bool readOnly)
{
    close();
    const QFileInfo file(path);
    if (!file.exists()) {
        if (!file.absoluteDir().exists())
            throw AppError(ErrorNumber::PathNotFound,
                           QStringLiteral("'%1' is not a valid path.").arg(QDir::toNativeSeparators(file.absolutePath())));
        throw AppError(ErrorNumber::FileNotFound,
                       QStringLiteral("Could not find file '%1'.").arg(QDir::toNativeSeparators(path)));
    }
    // SQLite takes an empty file for an empty database; it is a failed copy,
    // and must be reported as the file that is no database it is.
    if (file.isFile() && file.size() == 0)
        throw AppError(26, QStringLiteral("file is not a database"));
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw AppError(1, QStringLiteral("The SQLite driver of Qt SQL is not installed."));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            const AppError error = errorOf(db.lastError(), QStringLiteral("The database cannot be opened."));
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw error;
        }
    }
    m_path = path;
    sqlite3* h = handle();
    if (!h || !Jet::RegisterFunctions(h)) {
        close();
        throw AppError(1, QStringLiteral("The SQL functions of the program cannot be registered."));
    }
    // SQLite opens any file without complaint; the first statement tells.
    try {
        execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (...) {
        close();
        throw;
    }
}

void Database::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_path.clear();
}

bool Database::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

Recordset Database::execute(const QString& sql)
{
    if (!isOpen())
        throw AppError(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (m_log)
        m_log->append(sql);
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    query.setForwardOnly(true);
    if (!query.exec(Jet::ToSqlite(sql)))
        throw errorOf(query.lastError(), QStringLiteral("The statement failed."));
    return Recordset(std::move(query));
}

Recordset Database::openRecordset(const QString& sql, CursorType)
{
    return execute(sql);
}

sqlite3* Database::handle() const
{
    if (!QSqlDatabase::contains(m_name))
        return nullptr;
    const QVariant v = QSqlDatabase::database(m_name, false).driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}
