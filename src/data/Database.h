#pragma once

#include <QSqlQuery>
#include <QStringList>
#include <QString>
#include <QVariant>

struct sqlite3;

// Cursor types named by the callers. SQLite walks every result forward, which
// is all the program does with them, so they document intent only.
enum class CursorType { ForwardOnly = 0, Keyset = 1, Static = 3 };

// Rows of one statement, positioned on the first row (or at end-of-file).
// Columns are read by name, without regard to case.
class Recordset {
public:
    Recordset() = default;
    explicit Recordset(QSqlQuery query);

    bool eof() const { return m_eof; }
    void moveNext();
    void close();

    // The column of the current row. Throws when there is no current row or
    // no column of that name.
    QVariant value(QStringView name) const;
    bool isNull(QStringView name) const { return value(name).isNull(); }
    // The text of the column; a Null gives the empty string.
    QString text(QStringView name) const;
    // The column as a 32-bit whole number; a Null gives 0.
    qint32 toLong(QStringView name) const;

    int columnCount() const { return static_cast<int>(m_names.size()); }
    int indexOf(QStringView name) const;

private:
    QSqlQuery m_query;
    // Column names as the statement's readers know them: SQLite names a
    // column "type_id:1" when a join holds two of that name, and may keep a
    // table prefix.
    QStringList m_names;
    bool m_eof = true;
};

// One SQLite connection, with the original dialect's functions registered.
class Database {
public:
    explicit Database(QString connectionName);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file read-write (non-exclusive) or read-only. It never creates a
    // file, and it proves that the file is a database. Throws AppError.
    void open(const QString& path, bool readOnly);
    void close();
    bool isOpen() const;
    const QString& path() const { return m_path; }
    const QString& connectionName() const { return m_name; }

    // Runs the statement directly; the result is read forward.
    Recordset execute(const QString& sql);
    // Opens a result on the statement with the named cursor, read-only.
    Recordset openRecordset(const QString& sql, CursorType cursor);

    // The live SQLite handle, for callers that must go below Qt.
    sqlite3* handle() const;

    // Every statement run from now on is appended to the log (null: none).
    void setStatementLog(QStringList* log) { m_log = log; }

private:
    QString m_name;
    QString m_path;
    QStringList* m_log = nullptr;
};
