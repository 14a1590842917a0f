#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

// Copying a Jet database (the program's data as its publisher ships it) into
// a new SQLite database in the program's schema. The reading side is an
// interface, so that the mapping and the writing are tested without a Jet
// file; the real reader sits on libmdb (MdbReader.h).
namespace JetImport {

// The Jet column kinds, numbered as the Jet format numbers them.
enum class Kind {
    Bool = 0x01, Byte = 0x02, Int = 0x03, LongInt = 0x04, Money = 0x05, Float = 0x06, Double = 0x07,
    DateTime = 0x08, Binary = 0x09, Text = 0x0a, Ole = 0x0b, Memo = 0x0c, RepId = 0x0f, Numeric = 0x10,
    Complex = 0x12,
};

struct Column {
    QString name;
    Kind kind = Kind::Text;
};

struct Table {
    QString name;
    QList<Column> columns;
    qint64 rows = 0;  // as the file's table header counts them
};

// One value as the reader gives it: Null, or the column's value in its
// plain form (see ConvertValue).
using Row = QList<QVariant>;

class Reader {
public:
    virtual ~Reader() = default;
    // The user tables, system tables left out.
    virtual QList<Table> tables() = 0;
    // Reads the table's rows in order; false when the file gives out.
    virtual bool readRows(const Table& table, const std::function<bool(const Row&)>& row) = 0;
    // What went wrong, in Greek, after a false.
    virtual QString error() const = 0;
};

// The SQLite column type a Jet kind becomes in a table the program's schema
// does not define.
QString SqliteType(Kind kind);

// A reader's value as the program stores it: Yes/No as -1/0, dates as ISO
// text (time only when there is one), whole numbers as integers, money and
// other numbers as reals, text as text, binary and OLE bytes as they are.
QVariant ConvertValue(Kind kind, const QVariant& value);

// A Jet date (days since 30 December 1899, the fraction the time of day) as
// ISO text: "YYYY-MM-DD", or "YYYY-MM-DD HH:MM:SS" with a time.
QString JetDateText(double days);

struct Options {
    // The command wants every table and column of the program's schema;
    // the program's own import leaves the judging to its version check.
    bool requireProgramSchema = true;
    // Called as rows are copied; returning false stops the import.
    // Also called as each table begins, so that silence means the reader is stuck.
    std::function<bool(qint64 done, qint64 total)> progress;
    // Told the part file's name once it exists, so that a command ended by a
    // signal can still remove it.
    std::function<void(const QString& part)> partFile;
    // Told true as reading the Jet file begins and again with every row read,
    // false once only writing is left: a watch on the reader sees each sign
    // of life and never judges the writing.
    std::function<void(bool)> reading;
};

struct Result {
    bool ok = false;
    QString message;  // Greek, for the user
    qint64 rows = 0;
    QStringList tables;
};

// The statements of the program's schema (the database's SQL file).
QString ProgramSchema();

// Copies everything the reader has into a new SQLite file at output. It is
// written beside, under a new name ending ".part", and takes output's name
// only once complete; a failure leaves output as it was.
Result Import(Reader& reader, const QString& output, const Options& options);

// True when the file begins as a Jet (or Access 2007+) database does.
bool IsJetFile(const QString& path);

// Opens a Jet file with libmdb; null with a Greek message when it cannot.
std::unique_ptr<Reader> OpenJetFile(const QString& path, QString* message);

// The whole import from a Jet file.
Result ImportFile(const QString& jetFile, const QString& output, const Options& options);

} // namespace JetImport
