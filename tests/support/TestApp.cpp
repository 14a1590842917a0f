#include "support/TestApp.h"

#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "startup/Program.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QDir>

TestApp::TestApp(const QString& content, const QString& title)
    : m_title(title)
{
    TestDatabase::Create(databasePath(), content);
    m_program = std::make_unique<Program>(platform, title);
    started = m_program->Main() && m_program->frmInitial();
    EXPECT_TRUE(started) << "start-up did not reach the main window";
}

TestApp::~TestApp() = default;

void TestApp::restart()
{
    if (m_program && m_program->frmInitial())
        m_program->frmInitial()->close();
    m_program.reset();
    m_program = std::make_unique<Program>(platform, m_title);
    started = m_program->Main() && m_program->frmInitial();
    EXPECT_TRUE(started) << "start-up did not reach the main window again";
}

FrmInitial& TestApp::window() const
{
    return *m_program->frmInitial();
}

QString TestApp::databasePath() const
{
    return QDir(platform.appFolder).filePath(QStringLiteral("edudataD.mdb"));
}

void TestApp::alter(const QString& sql) const
{
    TestDatabase::Run(databasePath(), sql);
}

void SelectTab(FrmInitial& window, const QString& caption)
{
    for (int i = 0; i < window.SSTab1->count(); ++i)
        if (window.SSTab1->TabVisible(i) && window.SSTab1->TabCaption(i) == caption)
            window.SSTab1->setTab(i);
}
