#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The floors, measured in a process of their own: a plain SQLite connection
// and bare tree items, in a heap the program's work has not shaped, and with
// memory the program's peak does not count.
class Floors {
public:
    explicit Floors(const QString& dbPath);
    ~Floors();
    Floors(const Floors&) = delete;
    Floors& operator=(const Floors&) = delete;

    bool started() const { return m_child.state() == QProcess::Running; }
    // The statements back to back in one read transaction, as the program
    // runs the statements of one action; milliseconds, and the rows counted.
    double run(const QStringList& statements, long* rows = nullptr);
    // Reading rows once by one query and creating as many tree items.
    double data(const QString& oneQuery, long items);

private:
    QByteArray ask(const QByteArray& request);
    QProcess m_child;
};

// The child's side: answers the requests on its standard input.
int RunFloorsChild(const QString& dbPath);
