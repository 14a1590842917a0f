#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>

namespace TestDatabase {

QString SchemaSql()
{
    QFile f(QStringLiteral(SELVARA_SOURCE_DIR "/data/schema.sql"));
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read data/schema.sql";
        return QString();
    }
    return QString::fromUtf8(f.readAll());
}

void Run(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    const QString message = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message.toStdString();
}

void Create(const QString& path, const QString& sql)
{
    QFile::remove(path);
    Run(path, SchemaSql());
    if (!sql.isEmpty())
        Run(path, sql);
}

} // namespace TestDatabase
