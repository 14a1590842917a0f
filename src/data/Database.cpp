#include "data/Database.h"

#include "data/JetFunctions.h"
#include "startup/AppError.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

AppError errorOf(sqlite3* db, int code, const QString& fallback)
{
    QString description = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    if (description.isEmpty())
        description = QString::fromUtf8(sqlite3_errstr(code));
    if (description.isEmpty())
        description = fallback;
    return AppError(code, description);
}

[[noreturn]] void noCurrentRecord()
{
    throw AppError(ErrorNumber::NoCurrentRecord,
                   QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
}

// Whether a column SQLite names `raw` is the column a reader calls `name`:
// without regard to case, and without a table prefix or a ":n" that tells two
// columns of one name apart.
bool sameColumn(const char* raw, QStringView name)
{
    QByteArrayView column(raw);
    if (const qsizetype colon = column.lastIndexOf(':'); colon > 0) {
        const QByteArrayView digits = column.sliced(colon + 1);
        if (!digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            column.truncate(colon);
    }
    if (const qsizetype dot = column.lastIndexOf('.'); dot >= 0)
        column = column.sliced(dot + 1);
    if (column.size() == name.size()) {
        bool ascii = true;
        for (qsizetype i = 0; i < column.size() && ascii; ++i) {
            const char c = column[i];
            const char16_t n = name[i].unicode();
            if (static_cast<unsigned char>(c) >= 0x80 || n >= 0x80) {
                ascii = false;
                break;
            }
            auto lower = [](char16_t ch) { return ch >= u'A' && ch <= u'Z' ? char16_t(ch + 32) : ch; };
            if (lower(static_cast<char16_t>(c)) != lower(n))
                return false;
        }
        if (ascii)
            return true;
    }
    return name.compare(QString::fromUtf8(column), Qt::CaseInsensitive) == 0;
}

} // namespace

void Recordset::Finalizer::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

Recordset::Recordset(std::unique_ptr<sqlite3_stmt, Finalizer> statement, sqlite3* db)
    : m_statement(std::move(statement)), m_db(db)
{
    m_eof = false;
    step();
}

void Recordset::step()
{
    const int rc = sqlite3_step(m_statement.get());
    if (rc == SQLITE_ROW)
        return;
    m_eof = true;
    sqlite3_stmt* done = m_statement.get();
    if (rc != SQLITE_DONE) {
        const AppError error = errorOf(m_db, sqlite3_errcode(m_db), QStringLiteral("The statement failed."));
        m_statement.reset();
        throw error;
    }
    // A statement read to its end holds no lock on the file.
    sqlite3_reset(done);
}

int Recordset::columnCount() const
{
    return m_statement ? sqlite3_column_count(m_statement.get()) : 0;
}

int Recordset::indexOf(QStringView name) const
{
    const int n = columnCount();
    for (int i = 0; i < n; ++i)
        if (sameColumn(sqlite3_column_name(m_statement.get(), i), name))
            return i;
    return -1;
}

int Recordset::column(QStringView name) const
{
    if (!m_statement)
        noCurrentRecord();
    int index = -1;
    for (int k = 0; k < m_resolvedCount; ++k)
        if (m_resolved[k].at == name.data() && m_resolved[k].size == name.size()) {
            index = m_resolved[k].index;
            break;
        }
    if (index < 0) {
        index = indexOf(name);
        if (index < 0)
            throw AppError(ErrorNumber::ItemNotFound,
                           QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
        // Past the first few names a statement's readers ask for, the
        // others are looked up each time.
        if (m_resolvedCount < static_cast<int>(m_resolved.size()))
            m_resolved[m_resolvedCount++] = {name.data(), name.size(), index};
    }
    if (m_eof)
        noCurrentRecord();
    return index;
}

void Recordset::moveNext()
{
    if (m_eof)
        noCurrentRecord();
    step();
}

void Recordset::close()
{
    m_statement.reset();
    m_eof = true;
}

QVariant Recordset::value(QStringView name) const
{
    const int i = column(name);
    sqlite3_stmt* st = m_statement.get();
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB: {
        const void* bytes = sqlite3_column_blob(st, i);
        return QVariant(QByteArray(static_cast<const char*>(bytes), sqlite3_column_bytes(st, i)));
    }
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(st, i)));
    }
    }
}

bool Recordset::isNull(QStringView name) const
{
    return sqlite3_column_type(m_statement.get(), column(name)) == SQLITE_NULL;
}

QString Recordset::text(QStringView name) const
{
    const int i = column(name);
    sqlite3_stmt* st = m_statement.get();
    if (sqlite3_column_type(st, i) == SQLITE_NULL)
        return QString();
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
    return QString::fromUtf8(text, sqlite3_column_bytes(st, i));
}

qint32 Recordset::toLong(QStringView name) const
{
    const int i = column(name);
    sqlite3_stmt* st = m_statement.get();
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return static_cast<qint32>(sqlite3_column_int64(st, i));
    default:
        // A text or real column reads as the number it holds, as before.
        return static_cast<qint32>(value(name).toLongLong());
    }
}

bool Database::ConfigureLibrary()
{
    // SQLite counts every allocation under a global lock for statistics this
    // program never reads: without them, the trees of a large database fill
    // and its searches run about an eighth faster.
    static const bool configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    return configured;
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

    sqlite3* db = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const AppError error = errorOf(db, rc, QStringLiteral("The database cannot be opened."));
        sqlite3_close(db);
        throw error;
    }
    // Another program writing the file holds us up for a while, not at once.
    sqlite3_busy_timeout(db, 5000);
    m_db = db;
    m_path = path;
    if (!Jet::RegisterFunctions(m_db)) {
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

bool Database::isReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

void Database::close()
{
    if (!m_db)
        return;
    // Statements still held by result sets are finalized as those go; v2
    // closes the connection then.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
}

Recordset Database::execute(const QString& sql)
{
    if (!m_db)
        throw AppError(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (m_log)
        m_log->append(sql);
    const QByteArray text = (Jet::NeedsTranslation(sql) ? Jet::ToSqlite(sql) : sql).toUtf8();
    sqlite3_stmt* st = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &st, nullptr);
    if (rc != SQLITE_OK) {
        const AppError error = errorOf(m_db, rc, QStringLiteral("The statement failed."));
        sqlite3_finalize(st);
        throw error;
    }
    if (!st)  // a text of blanks or comments only
        throw AppError(1, QStringLiteral("The statement is empty."));
    return Recordset(std::unique_ptr<sqlite3_stmt, Recordset::Finalizer>(st), m_db);
}

Recordset Database::openRecordset(const QString& sql, CursorType)
{
    return execute(sql);
}

Database::ReadTransaction::ReadTransaction(Database& db)
    : m_db(db)
{
    if (db.m_transactionDepth++ > 0 || !db.m_db || !sqlite3_get_autocommit(db.m_db))
        return;
    m_began = sqlite3_exec(db.m_db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

Database::ReadTransaction::~ReadTransaction()
{
    --m_db.m_transactionDepth;
    if (!m_began || !m_db.m_db || sqlite3_get_autocommit(m_db.m_db))
        return;
    if (sqlite3_exec(m_db.m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(m_db.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}
