#pragma once

#include <QStringList>
#include <QString>
#include <QVariant>

#include <array>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Cursor types named by the callers. SQLite walks every result forward, which
// is all the program does with them, so they document intent only.
enum class CursorType { ForwardOnly = 0, Keyset = 1, Static = 3 };

// Rows of one statement, positioned on the first row (or at end-of-file).
// Columns are read by name, without regard to case.
class Recordset {
public:
    Recordset() = default;

    bool eof() const { return m_eof; }
    void moveNext();
    void close();

    // The column of the current row. Throws when there is no current row or
    // no column of that name.
    QVariant value(QStringView name) const;
    bool isNull(QStringView name) const;
    // The text of the column; a Null gives the empty string.
    QString text(QStringView name) const;
    // The column as a 32-bit whole number; a Null gives 0.
    qint32 toLong(QStringView name) const;

    int columnCount() const;
    int indexOf(QStringView name) const;

private:
    friend class Database;
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    Recordset(std::unique_ptr<sqlite3_stmt, Finalizer> statement, sqlite3* db);
    // The column's index for a read of the current row; throws as value() does.
    int column(QStringView name) const;
    void step();

    std::unique_ptr<sqlite3_stmt, Finalizer> m_statement;
    sqlite3* m_db = nullptr;
    // Names the callers asked for, by where their text lives: the callers
    // name columns with literals, so a name is resolved once per statement.
    struct Resolved {
        const QChar* at;
        qsizetype size;
        int index;
    };
    mutable std::array<Resolved, 8> m_resolved{};
    mutable int m_resolvedCount = 0;
    bool m_eof = true;
};

// One SQLite connection, with the original dialect's functions registered.
class Database {
public:
    // Settings of the SQLite library for the whole process, before its first
    // use (afterwards they are left as they are). Returns whether they took.
    static bool ConfigureLibrary();

    explicit Database(QString connectionName);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file read-write (non-exclusive) or read-only. It never creates a
    // file, and it proves that the file is a database. Throws AppError.
    void open(const QString& path, bool readOnly);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    // Opened for reading only, asked so or because the file cannot be written.
    bool isReadOnly() const;
    const QString& path() const { return m_path; }
    const QString& connectionName() const { return m_name; }

    // Runs the statement directly; the result is read forward.
    Recordset execute(const QString& sql);
    // Opens a result on the statement with the named cursor, read-only.
    Recordset openRecordset(const QString& sql, CursorType cursor);

    // The live SQLite handle, for callers that must go below this class.
    sqlite3* handle() const { return m_db; }

    // Every statement run from now on is appended to the log (null: none).
    void setStatementLog(QStringList* log) { m_log = log; }

    // The statements of one user action read one state of the file and take
    // its lock once: a transaction from the first to the last of them. Nested
    // ones join the outer one; a write made within is committed at its end.
    class ReadTransaction {
    public:
        explicit ReadTransaction(Database& db);
        ~ReadTransaction();
        ReadTransaction(const ReadTransaction&) = delete;
        ReadTransaction& operator=(const ReadTransaction&) = delete;

    private:
        Database& m_db;
        bool m_began = false;
    };

private:
    QString m_name;
    QString m_path;
    sqlite3* m_db = nullptr;
    int m_transactionDepth = 0;
    QStringList* m_log = nullptr;
};
