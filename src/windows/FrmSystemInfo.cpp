#include "windows/FrmSystemInfo.h"

#include "data/Database.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "mainwindow/Pictures.h"
#include "mainwindow/Twips.h"
#include "pages/PageBrowser.h"
#include "pages/ReadingSetup.h"
#include "startup/Platform.h"
#include "startup/Program.h"
#include "windows/FrmAbout.h"
#include "windows/FrmHelp.h"
#include "windows/SettingsSql.h"
#include "windows/StartupSwitch.h"
#include "mainwindow/TreeSql.h"

#include <QCheckBox>
#include <QEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace {

const QColor kToolbarBack(146, 132, 131);

} // namespace

void ShowHelpWindow(Program& program)
{
    program.loadFrmHelp().ShowModeless();
}

void ShowAboutWindow(Program& program)
{
    program.loadFrmAbout().ShowModeless();
}

FrmSystemInfo::FrmSystemInfo(Program& program)
    : AuxWindow(program, QStringLiteral("frmSystemInfo"))
{
    setWindowTitle(QStringLiteral("Γενικές Πληροφορίες Εφαρμογής"));

    sspToolbar = new Panel(QStringLiteral("sspToolbar"), this);
    const QIcon icons[3] = {Pictures::Help(), Pictures::About(), Pictures::Settings()};
    const QString tips[3] = {QStringLiteral("Βοήθεια"), QStringLiteral("Για την εφαρμογή"), QStringLiteral("Ρυθμίσεις")};
    for (int i = 0; i < 3; ++i) {
        cmdtoolbar[i] = PictureButton(sspToolbar, QStringLiteral("cmdtoolbar(%1)").arg(i), icons[i], tips[i]);
        connect(cmdtoolbar[i], &QToolButton::clicked, this, [this, i] { guarded([=, this] { cmdtoolbar_Click(i); }); });
    }
    brwWebBrowser = new PageBrowser(QStringLiteral("brwWebBrowser"), this);
    brwWebBrowser->setLinkPolicy({m_state.gAppPath + QStringLiteral("/help")},
                                 [this](const QUrl& url) { m_program.platform().openUrl(url); });
    // Help pages open in the help window, which has a way back.
    connect(brwWebBrowser, &PageBrowser::BeforeNavigate2, this, [this](const QString& url, bool& cancel) {
        const QUrl target(url);
        if (!target.isLocalFile() || target.toLocalFile() == brwWebBrowser->LocationURL())
            return;
        cancel = true;
        guarded([&] {
            FrmHelp& help = m_program.loadFrmHelp();
            help.ShowModeless();
            emit help.brwWebBrowserhelp->anchorClicked(target);
        });
    });
    SetUpReadingViews(m_program, *this, {brwWebBrowser}, {});
    chkSysInfo = new QCheckBox(QStringLiteral("Να μην εμφανιστεί ξανά αυτή η οθόνη"), this);
    chkSysInfo->setObjectName(QStringLiteral("chkSysInfo"));
    cmdClose = new QPushButton(QStringLiteral("Κλείσιμο"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    setCloseButton(cmdClose);
    connect(cmdClose, &QPushButton::clicked, this, [this] { guarded([this] { cmdClose_Click(); }); });

    const Twips t(logicalDpiX(), logicalDpiY());
    resize(t.toPixelsX(layout.sspToolbar.Width), t.toPixelsY(layout.cmdClose.Top + layout.cmdClose.Height));
    Form_Load();
}

void FrmSystemInfo::Form_Load()
{
    // Centred on the screen, and no larger than it.
    PlaceOnScreen(*this);
    markPlaced();
    // The box shows what is stored, so that closing the window, opened
    // again from the about window, does not undo the user's choice.
    if (const auto kept = StartupSwitch::UserValue(m_program.platform().registry())) {
        chkSysInfo->setChecked(*kept == 1);
    } else {
        Recordset rs = m_state.gAdoConnection->execute(TreeSql::SysInfoDisplay());
        chkSysInfo->setChecked(!rs.eof() && rs.toLong(u"sys_info_display") == 1);
        rs.close();
    }
    brwWebBrowser->Navigate(m_state.gAppPath + QStringLiteral("/help/LawInfo.htm"));
}

void FrmSystemInfo::Form_Activate()
{
    // A control the user left the focus in keeps it.
    if (!focusWidget())
        setFocus();
}

void FrmSystemInfo::Form_Resize()
{
    layout.Form_Resize(ScaleWidth(), ScaleHeight());
    sspToolbar->setBackColour(kToolbarBack);
    place(sspToolbar, layout.sspToolbar);
    for (int i = 0; i < 3; ++i)
        place(cmdtoolbar[i], layout.cmdtoolbar[i]);
    place(brwWebBrowser, layout.brwWebBrowser);
    place(chkSysInfo, layout.chkSysInfo);
    place(cmdClose, layout.cmdClose);
}

void FrmSystemInfo::cmdClose_Click()
{
    const int value = chkSysInfo->isChecked() ? 1 : 0;
    StartupSwitch::Store(*m_state.gAdoConnection, m_program.platform().registry(),
                         SettingsSql::UpdateFromSystemInfo(value), value);
    close();
}

void FrmSystemInfo::cmdtoolbar_Click(int Index)
{
    switch (Index) {
    case 0: ShowHelpWindow(m_program); break;
    case 1: ShowAboutWindow(m_program); break;
    case 2: m_program.frmInitial()->OpenSettingsWindow(); break;
    default: break;
    }
}

void FrmSystemInfo::resizeEvent(QResizeEvent* event)
{
    AuxWindow::resizeEvent(event);
    guarded([this] { Form_Resize(); });
}

void FrmSystemInfo::changeEvent(QEvent* event)
{
    AuxWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        guarded([this] { Form_Activate(); });
}
