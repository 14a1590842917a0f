#pragma once

#include <QString>

// Database files for tests, made with SQLite directly so that the code under
// test only reads them.
namespace TestDatabase {

QString SchemaSql();

// Creates the file with the program's schema and then runs the statements.
// Fails the calling test when SQLite refuses any of them.
void Create(const QString& path, const QString& sql = QString());

// Runs statements on an existing file.
void Run(const QString& path, const QString& sql);

} // namespace TestDatabase
