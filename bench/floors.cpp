#include "floors.h"

#include "data/Database.h"
#include "data/JetFunctions.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeWidget>

#include <cstdio>
#include <vector>

namespace {

// A second, plain SQLite connection.
class RawDb {
public:
    explicit RawDb(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        Jet::RegisterFunctions(m_db);
    }
    ~RawDb() { sqlite3_close(m_db); }

    // Their texts are made ready before the clock starts.
    double run(const QStringList& statements, long* rows)
    {
        std::vector<QByteArray> texts;
        texts.reserve(statements.size());
        for (const QString& sql : statements)
            texts.push_back((Jet::NeedsTranslation(sql) ? Jet::ToSqlite(sql) : sql).toUtf8());
        QElapsedTimer t;
        t.start();
        long n = 0;
        sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr);
        for (const QByteArray& text : texts) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &st, nullptr) != SQLITE_OK)
                continue;
            while (sqlite3_step(st) == SQLITE_ROW)
                ++n;
            sqlite3_finalize(st);
        }
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        if (rows)
            *rows = n;
        return static_cast<double>(t.nsecsElapsed()) / 1e6;
    }

    double data(const QString& oneQuery, long items)
    {
        QElapsedTimer t;
        t.start();
        run({oneQuery}, nullptr);
        QTreeWidget tree;
        tree.setUpdatesEnabled(false);
        for (long i = 0; i < items; ++i) {
            auto* item = new QTreeWidgetItem(&tree);
            item->setText(0, QStringLiteral("κόμβος"));
        }
        return static_cast<double>(t.nsecsElapsed()) / 1e6;
    }

private:
    sqlite3* m_db = nullptr;
};

// A request: a line "R count" or "D items", then each text as a line of its
// length in bytes and the bytes. The answer is one line.
QByteArray readExactly(QFile& in, qint64 size)
{
    QByteArray bytes;
    while (bytes.size() < size) {
        const QByteArray part = in.read(size - bytes.size());
        if (part.isEmpty())
            break;
        bytes += part;
    }
    return bytes;
}

QStringList readTexts(QFile& in, long count)
{
    QStringList texts;
    for (long i = 0; i < count; ++i)
        texts << QString::fromUtf8(readExactly(in, in.readLine().trimmed().toLongLong()));
    return texts;
}

void appendText(QByteArray& request, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    request += QByteArray::number(bytes.size()) + '\n' + bytes;
}

} // namespace

Floors::Floors(const QString& dbPath)
{
    m_child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--floors-child"), dbPath});
    m_child.waitForStarted();
}

Floors::~Floors()
{
    m_child.closeWriteChannel();
    if (!m_child.waitForFinished(5000))
        m_child.kill();
}

QByteArray Floors::ask(const QByteArray& request)
{
    m_child.write(request);
    while (m_child.bytesToWrite() > 0 && m_child.waitForBytesWritten(-1)) {
    }
    while (!m_child.canReadLine() && m_child.waitForReadyRead(-1)) {
    }
    return m_child.readLine().trimmed();
}

double Floors::run(const QStringList& statements, long* rows)
{
    QByteArray request = "R " + QByteArray::number(statements.size()) + '\n';
    for (const QString& sql : statements)
        appendText(request, sql);
    const QList<QByteArray> answer = ask(request).split(' ');
    if (rows)
        *rows = answer.value(1).toLong();
    return answer.value(0).toDouble();
}

double Floors::data(const QString& oneQuery, long items)
{
    QByteArray request = "D " + QByteArray::number(static_cast<qlonglong>(items)) + '\n';
    appendText(request, oneQuery);
    return ask(request).toDouble();
}

int RunFloorsChild(const QString& dbPath)
{
    // The library set as the program sets it: the floor is the same work.
    Database::ConfigureLibrary();
    RawDb raw(dbPath);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 1;
    for (;;) {
        const QList<QByteArray> head = in.readLine().trimmed().split(' ');
        if (head.size() != 2)
            return 0;
        QByteArray answer;
        if (head[0] == "R") {
            long rows = 0;
            const double ms = raw.run(readTexts(in, head[1].toLong()), &rows);
            answer = QByteArray::number(ms, 'f', 4) + ' ' + QByteArray::number(static_cast<qlonglong>(rows));
        } else {
            const QStringList query = readTexts(in, 1);
            answer = QByteArray::number(raw.data(query.value(0), head[1].toLong()), 'f', 4);
        }
        std::fputs((answer + '\n').constData(), stdout);
        std::fflush(stdout);
    }
}
