// The settings, information, help, about and text windows, on a program
// started on a database made here.
#include "data/Database.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/PageBrowser.h"
#include "startup/Program.h"
#include "startup/Registry.h"
#include "support/TestApp.h"
#include "windows/FrmAbout.h"
#include "windows/FrmHelp.h"
#include "windows/FrmIZelkor.h"
#include "windows/FrmSetSysParam.h"
#include "windows/FrmSystemInfo.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

QString content(int sysInfoDisplay)
{
    return QStringLiteral("INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW) VALUES (1, 'Νόμοι', 1, -1);"
                          "INSERT INTO system_law_parameters VALUES (%1);").arg(sysInfoDisplay);
}

qint32 storedSwitch(TestApp& app)
{
    return app.program().state().gAdoConnection->execute(QStringLiteral("SELECT sys_info_display FROM system_law_parameters"))
        .toLong(u"sys_info_display");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString viewerSetting(TestApp& app)
{
    return GetRegString(app.platform.registry(), true, QStringLiteral("\\TARVO"), QStringLiteral("Application2Open"),
                        QString());
}

} // namespace

TEST(InformationWindow, OpensAtStartUntilItsBoxIsTickedAndClosed)
{
    TestApp app(content(0));
    FrmSystemInfo* info = app.program().frmSystemInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->windowTitle(), QStringLiteral("Γενικές Πληροφορίες Εφαρμογής"));

    // Closed by its frame: nothing stored, it opens again.
    info->close();
    EXPECT_EQ(storedSwitch(app), 0);
    app.restart();
    info = app.program().frmSystemInfo();
    ASSERT_NE(info, nullptr);

    // Enter presses the close button, which stores the box.
    info->chkSysInfo->setChecked(true);
    QTest::keyClick(info, Qt::Key_Return);
    EXPECT_EQ(app.program().frmSystemInfo(), nullptr);
    EXPECT_EQ(storedSwitch(app), 1);
    app.restart();
    EXPECT_EQ(app.program().frmSystemInfo(), nullptr);

    // Opened from the about window, its box shows what is stored; closed
    // unticked, it is back at the next start.
    app.program().loadFrmAbout().lbWeb_Click(3);
    info = app.program().frmSystemInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->chkSysInfo->isChecked());
    info->chkSysInfo->setChecked(false);
    info->cmdClose->click();
    EXPECT_EQ(storedSwitch(app), 0);
}

TEST(SettingsWindow, StoresTheViewerAndTheStartSwitch)
{
    TestApp app(content(0));
    FrmInitial& w = app.window();
    w.cmdtoolbar[2]->click();
    FrmSetSysParam* settings = app.program().frmSetSysParam();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(settings->chksysdisp1->isChecked());

    // No EXCEL.EXE here: the dialog proposes nothing and lists programs; a
    // file that is not a program is still refused with a message.
    const QString notAProgram = QDir(app.platform.appFolder).filePath(QStringLiteral("notes.txt"));
    writeFile(notAProgram, "x");
    app.platform.recorder.onOpenFile = [&](const FileRequest&) { return notAProgram; };
    settings->cmdFileName->click();
    ASSERT_EQ(app.platform.recorder.fileRequests.size(), 1);
    EXPECT_TRUE(app.platform.recorder.fileRequests[0].fileName.isEmpty());
    EXPECT_TRUE(app.platform.recorder.fileRequests[0].programsOnly);
    EXPECT_TRUE(settings->tbFileName->text().isEmpty());
    ASSERT_EQ(app.platform.recorder.messages.size(), 1);

    app.platform.recorder.onOpenFile = [](const FileRequest&) { return QStringLiteral("/bin/sh"); };
    settings->cmdFileName->click();
    EXPECT_EQ(settings->tbFileName->text(), QStringLiteral("/bin/sh"));
    settings->chksysdisp1->setChecked(true);
    settings->cmdSetSysParamOK->click();

    EXPECT_EQ(app.program().frmSetSysParam(), nullptr);
    EXPECT_EQ(app.program().frmSystemInfo(), nullptr) << "ticking the box closes the information window";
    EXPECT_EQ(app.program().state().gViewerPath, QStringLiteral("/bin/sh"));
    EXPECT_EQ(viewerSetting(app), QStringLiteral("/bin/sh"));
    EXPECT_EQ(w.cmdpicWordlaw->toolTip(), QStringLiteral("Προβολή εγγράφου με /bin/sh"));
    EXPECT_EQ(storedSwitch(app), 1);

    // Reopened, it shows what is stored; a typed path that is no program is
    // not stored and the window stays.
    w.OpenSettingsWindow();
    settings = app.program().frmSetSysParam();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->tbFileName->text(), QStringLiteral("/bin/sh"));
    EXPECT_TRUE(settings->chksysdisp1->isChecked());
    settings->tbFileName->setText(notAProgram);
    settings->cmdSetSysParamOK->click();
    EXPECT_NE(app.program().frmSetSysParam(), nullptr);
    EXPECT_EQ(viewerSetting(app), QStringLiteral("/bin/sh"));

    // Blanks store an empty path; the next start has no viewer and no info window.
    settings->tbFileName->setText(QStringLiteral("   "));
    QTest::keyClick(settings->tbFileName, Qt::Key_Return);
    EXPECT_TRUE(app.program().state().gViewerPath.isEmpty());
    app.restart();
    EXPECT_TRUE(app.program().state().gViewerPath.isEmpty());
    EXPECT_EQ(app.window().cmdpicWordlaw->toolTip(), QStringLiteral("Προβολή εγγράφου"));
    EXPECT_EQ(app.program().frmSystemInfo(), nullptr);
}

TEST(HelpWindow, FollowsItsLinksGoesHomeAndPrints)
{
    TestApp app(content(1));
    const QString help = QDir(app.platform.appFolder).filePath(QStringLiteral("help"));
    writeFile(help + QStringLiteral("/law_help.html"),
              "<html><body><h1>Αρχή</h1><a href=\"search_help.html#tips\">Αναζήτηση</a></body></html>");
    writeFile(help + QStringLiteral("/search_help.html"),
              "<html><body><h1>Αναζήτηση</h1><p><a name=\"tips\">Συμβουλές</a></p></body></html>");

    app.window().cmdtoolbar[0]->click();
    FrmHelp* frm = app.program().frmHelp();
    ASSERT_NE(frm, nullptr);
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("B") + QStringLiteral("οήθεια στην εφαρμογή \"Selvara\""));
    EXPECT_EQ(frm->windowTitle().at(0).unicode(), u'B');

    emit frm->brwWebBrowserhelp->anchorClicked(QUrl(QStringLiteral("search_help.html#tips")));
    EXPECT_TRUE(frm->brwWebBrowserhelp->LocationURL().endsWith(QStringLiteral("search_help.html")));
    frm->cmdtoolbar[0]->click();
    EXPECT_EQ(frm->brwWebBrowserhelp->LocationURL(), frm->StartPage());

    // Opening it again brings up the same window with its page.
    app.window().cmdtoolbar[0]->click();
    EXPECT_EQ(app.program().frmHelp(), frm);

    const QString pdf = QDir(app.platform.appFolder).filePath(QStringLiteral("help.pdf"));
    app.platform.recorder.onPrint = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    frm->cmdtoolbar[1]->click();
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_TRUE(app.platform.recorder.messages.isEmpty());

    // Without its start page it says so, and the toolbar still works.
    QFile::remove(frm->StartPage());
    frm->cmdtoolbar[0]->click();
    EXPECT_TRUE(frm->brwWebBrowserhelp->toPlainText().contains(QStringLiteral("δεν βρέθηκε")));
    QTest::keyClick(frm, Qt::Key_Escape);
    EXPECT_EQ(app.program().frmHelp(), nullptr);
}

TEST(AboutWindow, VersionLinksAndTexts)
{
    EXPECT_EQ(FrmAbout::VersionText(2, 5), QStringLiteral("Έκδοση: 2.05"));
    EXPECT_EQ(FrmAbout::VersionText(3, 12), QStringLiteral("Έκδοση: 3.12"));

    TestApp app(content(1));
    app.window().cmdtoolbar[1]->click();
    FrmAbout* about = app.program().frmAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->lbVersion->text().startsWith(QStringLiteral("Έκδοση: ")));

    // Without an address in the build, the release notes open in the user's browser.
    writeFile(QDir(app.platform.appFolder).filePath(QStringLiteral("help/release_notes.html")), "<p>2.09</p>");
    QTest::mouseClick(about->lbWeb[0], Qt::LeftButton);
    ASSERT_EQ(app.platform.openedUrls.size(), 1);
    EXPECT_TRUE(app.platform.openedUrls[0].toLocalFile().endsWith(QStringLiteral("help/release_notes.html")));

    QTest::mouseClick(about->lbWeb[2], Qt::LeftButton);
    FrmIZelkor* text = app.program().frmIZelkor();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->windowTitle(), QStringLiteral("Άδεια Χρήσης Λογισμικού  © ΖΕΛΚΟΡ"));
    EXPECT_TRUE(text->txt->toPlainText().contains(QStringLiteral("ΤΟ ΛΟΓΙΣΜΙΚΟ ΠΑΡΕΧΕΤΑΙ «ΩΣ ΕΧΕΙ»")));
    // Asked for the other text while open, it shows that one.
    QTest::mouseClick(about->lbWeb[1], Qt::LeftButton);
    EXPECT_EQ(app.program().frmIZelkor(), text);
    EXPECT_EQ(text->windowTitle(), QStringLiteral("Δήλωση περί απορρήτου  © ΖΕΛΚΟΡ"));
    EXPECT_TRUE(text->txt->toPlainText().contains(QStringLiteral("Δεν στέλνει κανένα στοιχείο πουθενά")));

    // Hovering underlines one link at a time.
    about->lbWeb_MouseMove(2);
    EXPECT_TRUE(about->lbWeb[2]->font().underline());
    EXPECT_FALSE(about->lbWeb[1]->font().underline());
    about->Form_MouseMove();
    EXPECT_FALSE(about->lbWeb[2]->font().underline());

    // The main window's exit unloads every auxiliary window.
    app.window().ExitApplication();
    EXPECT_EQ(app.program().frmAbout(), nullptr);
    EXPECT_EQ(app.program().frmIZelkor(), nullptr);
}
