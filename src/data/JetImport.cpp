#include "data/JetImport.h"

#include <sqlite3.h>

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>

#include <cmath>
#include <cstdio>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace JetImport {

QString SqliteType(Kind kind)
{
    switch (kind) {
    case Kind::Bool: case Kind::Byte: case Kind::Int: case Kind::LongInt: case Kind::Complex:
        return QStringLiteral("INTEGER");
    case Kind::Money: case Kind::Float: case Kind::Double: case Kind::Numeric:
        return QStringLiteral("REAL");
    case Kind::Binary: case Kind::Ole:
        return QStringLiteral("BLOB");
    case Kind::DateTime: case Kind::Text: case Kind::Memo: case Kind::RepId:
        break;
    }
    return QStringLiteral("TEXT");
}

QString JetDateText(double days)
{
    const double whole = std::trunc(days);
    // The fraction is the time of day, on either side of day zero.
    qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
    if (seconds >= 86400) {
        date = date.addDays(1);
        seconds -= 86400;
    }
    const QString day = QStringLiteral("%1-%2-%3")
                            .arg(date.year(), 4, 10, QLatin1Char('0'))
                            .arg(date.month(), 2, 10, QLatin1Char('0'))
                            .arg(date.day(), 2, 10, QLatin1Char('0'));
    if (seconds == 0)
        return day;
    return day + QStringLiteral(" %1:%2:%3")
                     .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                     .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                     .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QVariant ConvertValue(Kind kind, const QVariant& value)
{
    if (value.isNull())
        return QVariant();
    switch (kind) {
    case Kind::Bool: {
        const QString s = value.toString();
        const bool yes = value.typeId() == QMetaType::Bool ? value.toBool() : (s != u"0" && !s.isEmpty());
        return QVariant(static_cast<qlonglong>(yes ? -1 : 0));
    }
    case Kind::Byte: case Kind::Int: case Kind::LongInt: case Kind::Complex: {
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        return ok ? QVariant(n) : value;
    }
    case Kind::Money: case Kind::Float: case Kind::Double: case Kind::Numeric: {
        if (value.typeId() == QMetaType::Double)
            return value;
        // Written by the C library, possibly with the locale's decimal comma.
        bool ok = false;
        const double d = value.toString().replace(u',', u'.').toDouble(&ok);
        return ok ? QVariant(d) : value;
    }
    case Kind::DateTime:
        return value.typeId() == QMetaType::Double ? QVariant(JetDateText(value.toDouble())) : value;
    case Kind::Binary: case Kind::Ole:
        return QVariant(value.toByteArray());
    case Kind::Text: case Kind::Memo: case Kind::RepId:
        break;
    }
    return QVariant(value.toString());
}

QString ProgramSchema()
{
    QFile f(QStringLiteral(":/schema/schema.sql"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

namespace {

QString quoted(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The schema's statements by the table they make or index.
struct SchemaTable {
    QString name;
    QString create;
    QStringList indexes;
};

QHash<QString, SchemaTable> schemaTables(const QString& schema)
{
    static const QRegularExpression kComment(QStringLiteral("--[^\n]*"));
    static const QRegularExpression kTable(QStringLiteral("^CREATE\\s+TABLE\\s+(\\w+)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kIndex(QStringLiteral("^CREATE\\s+INDEX\\s+\\w+\\s+ON\\s+(\\w+)"), QRegularExpression::CaseInsensitiveOption);
    QHash<QString, SchemaTable> tables;
    for (QString statement : QString(schema).remove(kComment).split(u';')) {
        statement = statement.trimmed();
        if (const auto m = kTable.match(statement); m.hasMatch()) {
            SchemaTable& t = tables[m.captured(1).toLower()];
            t.name = m.captured(1);
            t.create = statement;
        }
        else if (const auto i = kIndex.match(statement); i.hasMatch())
            tables[i.captured(1).toLower()].indexes << statement;
    }
    return tables;
}

struct TargetColumn {
    QString name;
    bool notNull = false;
    QVariant fallback;  // the column's default, for a Null it cannot take
};

class Writer {
public:
    explicit Writer(sqlite3* db) : m_db(db) {}

    bool exec(const QString& sql)
    {
        return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    QHash<QString, TargetColumn> columnsOf(const QString& table)
    {
        QHash<QString, TargetColumn> columns;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(m_db, ("PRAGMA table_info(" + quoted(table) + ")").toUtf8().constData(), -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            TargetColumn c;
            c.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
            c.notNull = sqlite3_column_int(st, 3) != 0;
            if (sqlite3_column_type(st, 4) != SQLITE_NULL) {
                const QString d = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 4)));
                bool ok = false;
                const qlonglong n = d.toLongLong(&ok);
                c.fallback = ok ? QVariant(n) : QVariant(d.mid(1, d.size() - 2));
            }
            columns.insert(c.name.toLower(), c);
        }
        sqlite3_finalize(st);
        return columns;
    }

    // Why the last statement failed, for the user.
    QString failure(const QString& table) const
    {
        const int code = sqlite3_errcode(m_db);
        if (code == SQLITE_FULL)
            return QStringLiteral("Δεν υπάρχει αρκετός χώρος στο δίσκο για τη νέα βάση δεδομένων.");
        if (code == SQLITE_CANTOPEN || code == SQLITE_READONLY || code == SQLITE_IOERR || code == SQLITE_PERM)
            return QStringLiteral("Η νέα βάση δεδομένων δεν μπορεί να γραφτεί: ") + QString::fromUtf8(sqlite3_errmsg(m_db));
        return QStringLiteral("Η αντιγραφή του πίνακα «") + table + QStringLiteral("» απέτυχε: ")
            + QString::fromUtf8(sqlite3_errmsg(m_db));
    }

    sqlite3* db() const { return m_db; }

private:
    sqlite3* m_db;
};

void bindValue(sqlite3_stmt* st, int i, const QVariant& v)
{
    if (v.isNull()) {
        sqlite3_bind_null(st, i);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::LongLong: case QMetaType::Int:
        sqlite3_bind_int64(st, i, v.toLongLong());
        return;
    case QMetaType::Double:
        sqlite3_bind_double(st, i, v.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        sqlite3_bind_blob64(st, i, bytes.constData(), static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QByteArray text = v.toString().toUtf8();
        sqlite3_bind_text64(st, i, text.constData(), static_cast<sqlite3_uint64>(text.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
        return;
    }
    }
}

bool syncFile(const QString& path)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#else
    Q_UNUSED(path);
    return true;
#endif
}

bool moveIntoPlace(const QString& from, const QString& to)
{
#ifndef Q_OS_WIN
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#else
    return MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()), reinterpret_cast<const wchar_t*>(to.utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#endif
}

Result fail(const QString& message)
{
    Result r;
    r.message = message;
    return r;
}

// The program's tables and columns the reader's file lacks, as "table" or
// "table.column".
QStringList missingFromProgram(const QHash<QString, SchemaTable>& schema, const QList<Table>& tables)
{
    sqlite3* probe = nullptr;
    sqlite3_open(":memory:", &probe);
    Writer w(probe);
    QHash<QString, const Table*> byName;
    for (const Table& t : tables)
        byName.insert(t.name.toLower(), &t);
    QStringList missing;
    for (auto it = schema.cbegin(); it != schema.cend(); ++it) {
        if (it->create.isEmpty())
            continue;
        const Table* t = byName.value(it.key());
        if (!t) {
            missing << it->name;
            continue;
        }
        w.exec(it->create);
        QSet<QString> present;
        for (const Column& c : t->columns)
            present.insert(c.name.toLower());
        for (const TargetColumn& c : w.columnsOf(it->name))
            if (!present.contains(c.name.toLower()))
                missing << t->name + u'.' + c.name;
    }
    sqlite3_close(probe);
    missing.sort(Qt::CaseInsensitive);
    return missing;
}

} // namespace

Result Import(Reader& reader, const QString& output, const Options& options)
{
    // A name of its own, made here, so that no file already there (the Jet
    // file itself among them) is ever written over or removed.
    const Result cannotCreate = fail(QStringLiteral("Η νέα βάση δεδομένων δεν μπορεί να δημιουργηθεί στο φάκελο «")
                                     + QFileInfo(output).absolutePath() + QStringLiteral("»."));
    QTemporaryFile unique(output + QStringLiteral(".XXXXXX.part"));
    unique.setAutoRemove(false);
    if (!unique.open())
        return cannotCreate;
    const QString part = unique.fileName();
    unique.close();
    if (options.partFile)
        options.partFile(part);
    // A temporary file is its owner's alone; the database is read by whoever
    // reads the one it replaces, or by anyone.
    const QFileInfo previous(output);
    QFile::setPermissions(part, previous.exists() ? previous.permissions()
                                                   : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(part).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        QFile::remove(part);
        return cannotCreate;
    }
    Writer w(db);
    // The file is renamed into place only once whole, so a crash mid-way
    // costs nothing a journal would save.
    w.exec(QStringLiteral("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF"));
    Result result = [&]() -> Result {
        const QHash<QString, SchemaTable> schema = schemaTables(ProgramSchema());
        if (options.reading)
            options.reading(true);
        const QList<Table> tables = reader.tables();
        if (tables.isEmpty() && !reader.error().isEmpty())
            return fail(reader.error());
        if (options.requireProgramSchema) {
            const QStringList missing = missingFromProgram(schema, tables);
            if (!missing.isEmpty())
                return fail(QStringLiteral("Το αρχείο δεν έχει όλους τους πίνακες και τις στήλες της εφαρμογής. Λείπουν: ")
                            + missing.join(QStringLiteral(", ")) + u'.');
        }
        qint64 total = 0;
        for (const Table& t : tables)
            total += t.rows;
        Result r;
        QStringList indexes;
        if (!w.exec(QStringLiteral("BEGIN")))
            return fail(w.failure(QString()));
        for (const Table& table : tables) {
            if (options.progress && !options.progress(r.rows, total))
                return fail(QStringLiteral("Η μετατροπή διακόπηκε."));
            const QString key = table.name.toLower();
            QHash<QString, TargetColumn> target;
            if (schema.contains(key)) {
                if (!w.exec(schema[key].create))
                    return fail(w.failure(table.name));
                indexes << schema[key].indexes;
                target = w.columnsOf(table.name);
                // Columns the schema does not know are kept too.
                for (const Column& c : table.columns) {
                    if (target.contains(c.name.toLower()))
                        continue;
                    if (!w.exec(QStringLiteral("ALTER TABLE ") + quoted(table.name) + QStringLiteral(" ADD COLUMN ")
                                + quoted(c.name) + u' ' + SqliteType(c.kind)))
                        return fail(w.failure(table.name));
                    target.insert(c.name.toLower(), TargetColumn{c.name, false, {}});
                }
            } else {
                QStringList defs;
                for (const Column& c : table.columns) {
                    defs << quoted(c.name) + u' ' + SqliteType(c.kind);
                    target.insert(c.name.toLower(), TargetColumn{c.name, false, {}});
                }
                if (!w.exec(QStringLiteral("CREATE TABLE ") + quoted(table.name) + QStringLiteral(" (") + defs.join(QStringLiteral(", ")) + u')'))
                    return fail(w.failure(table.name));
            }
            r.tables << table.name;
            if (table.columns.isEmpty())
                continue;
            QStringList names, marks;
            QList<TargetColumn> order;
            for (const Column& c : table.columns) {
                order << target.value(c.name.toLower());
                names << quoted(order.last().name);
                marks << QStringLiteral("?");
            }
            sqlite3_stmt* insert = nullptr;
            const QByteArray sql = (QStringLiteral("INSERT INTO ") + quoted(table.name) + QStringLiteral(" (") + names.join(u',')
                                    + QStringLiteral(") VALUES (") + marks.join(u',') + u')').toUtf8();
            if (sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr) != SQLITE_OK)
                return fail(w.failure(table.name));
            bool written = true;
            bool stopped = false;
            const bool read = reader.readRows(table, [&](const Row& row) {
                if (options.reading)
                    options.reading(true);
                for (int i = 0; i < table.columns.size(); ++i) {
                    QVariant v = ConvertValue(table.columns[i].kind, row.value(i));
                    if (v.isNull() && order[i].notNull)
                        v = order[i].fallback;
                    bindValue(insert, i + 1, v);
                }
                written = sqlite3_step(insert) == SQLITE_DONE;
                sqlite3_reset(insert);
                if (!written)
                    return false;
                ++r.rows;
                if (options.progress && r.rows % 256 == 0 && !options.progress(r.rows, total)) {
                    stopped = true;
                    return false;
                }
                return true;
            });
            const QString writeFailure = written ? QString() : w.failure(table.name);
            sqlite3_finalize(insert);
            if (stopped)
                return fail(QStringLiteral("Η μετατροπή διακόπηκε."));
            if (!written)
                return fail(writeFailure);
            if (!read)
                return fail(reader.error());
        }
        if (options.reading)
            options.reading(false);
        for (const QString& index : std::as_const(indexes))
            if (!w.exec(index))
                return fail(w.failure(QString()));
        if (!w.exec(QStringLiteral("COMMIT")))
            return fail(w.failure(QString()));
        if (options.progress)
            options.progress(r.rows, total);
        r.ok = true;
        return r;
    }();
    if (options.reading)
        options.reading(false);
    if (sqlite3_close(db) != SQLITE_OK && result.ok)
        result = fail(QStringLiteral("Η νέα βάση δεδομένων δεν μπορεί να γραφτεί."));
    if (result.ok && !(syncFile(part) && moveIntoPlace(part, output)))
        result = fail(QStringLiteral("Η νέα βάση δεδομένων δεν μπορεί να πάρει το όνομα «") + output + QStringLiteral("»."));
    if (!result.ok)
        QFile::remove(part);
    return result;
}

bool IsJetFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(20);
    return head.size() == 20 && head.startsWith(QByteArray("\x00\x01\x00\x00", 4))
        && (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB");
}

Result ImportFile(const QString& jetFile, const QString& output, const Options& options)
{
    QString message;
    std::unique_ptr<Reader> reader = OpenJetFile(jetFile, &message);
    if (!reader)
        return fail(message);
    return Import(*reader, output, options);
}

} // namespace JetImport
