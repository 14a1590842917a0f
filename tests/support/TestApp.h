#pragma once

#include "support/TestPlatform.h"

#include <QString>

#include <memory>

class FrmInitial;
class Program;

// The program started on a database made by the test, up to its main window.
class TestApp {
public:
    // content: statements run after the schema.
    explicit TestApp(const QString& content, const QString& title = QStringLiteral("Selvara"));
    ~TestApp();

    FrmInitial& window() const;
    Program& program() const { return *m_program; }
    QString databasePath() const;
    // Ends the program and starts it again on the same folder and settings.
    void restart();
    // Runs statements on the database behind the program's back.
    void alter(const QString& sql) const;

    TestPlatform platform;
    bool started = false;

private:
    std::unique_ptr<Program> m_program;
    QString m_title;
};

// Makes the visible tab with that caption current, as a click on it would.
void SelectTab(FrmInitial& window, const QString& caption);
