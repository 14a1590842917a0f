#include "windows/FrmHelp.h"

#include "documents/Printing.h"
#include "mainwindow/Controls.h"
#include "mainwindow/Pictures.h"
#include "mainwindow/Twips.h"
#include "pages/PageBrowser.h"
#include "pages/ReadingSetup.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QToolButton>

FrmHelp::FrmHelp(Program& program)
    : AuxWindow(program, QStringLiteral("frmHelp"))
{
    sspToolbar = new Panel(QStringLiteral("sspToolbar"), this);
    const QIcon icons[3] = {Pictures::Home(), Pictures::Print(), Pictures::Exit()};
    const QString tips[3] = {QStringLiteral("Για την εφαρμογή"), QStringLiteral("Εκτύπωση της σελίδας"),
                             QStringLiteral("Έξοδος")};
    for (int i = 0; i < 3; ++i) {
        cmdtoolbar[i] = PictureButton(sspToolbar, QStringLiteral("cmdtoolbar(%1)").arg(i), icons[i], tips[i]);
        connect(cmdtoolbar[i], &QToolButton::clicked, this, [this, i] { guarded([=, this] { cmdtoolbar_Click(i); }); });
    }
    setCloseButton(cmdtoolbar[2]);
    brwWebBrowserhelp = new PageBrowser(QStringLiteral("brwWebBrowserhelp"), this);
    // Links between the help pages are followed in the window itself.
    brwWebBrowserhelp->setLinkPolicy({m_state.gAppPath + QStringLiteral("/help")},
                                     [this](const QUrl& url) { m_program.platform().openUrl(url); });
    SetUpReadingViews(m_program, *this, {brwWebBrowserhelp}, {});

    const Twips t(logicalDpiX(), logicalDpiY());
    resize(t.toPixelsX(layout.sspToolbar.Width), t.toPixelsY(layout.brwWebBrowserhelp.Top + layout.brwWebBrowserhelp.Height));
    Form_Load();
}

QString FrmHelp::StartPage() const
{
    return m_state.gAppPath + QStringLiteral("/help/law_help.html");
}

void FrmHelp::Form_Load()
{
    brwWebBrowserhelp->Navigate(StartPage());
    // The first letter is the Latin capital B.
    setWindowTitle(QStringLiteral("Bοήθεια στην εφαρμογή ") + u'"' + m_state.gAppTitle + u'"');
}

void FrmHelp::Form_Resize()
{
    layout.Form_Resize(ScaleWidth(), ScaleHeight());
    sspToolbar->setBackColour(QColor(146, 132, 131));
    place(sspToolbar, layout.sspToolbar);
    for (int i = 0; i < 3; ++i)
        place(cmdtoolbar[i], layout.cmdtoolbar[i]);
    place(brwWebBrowserhelp, layout.brwWebBrowserhelp);
}

void FrmHelp::cmdtoolbar_Click(int Index)
{
    switch (Index) {
    case 0: brwWebBrowserhelp->Navigate(StartPage()); break;
    case 1: PrintHelpPage(); break;
    case 2: close(); break;
    default: break;
    }
}

void FrmHelp::PrintHelpPage()
{
    Dialogs& dialogs = m_program.platform().dialogs();
    RunPrintCommand(dialogs, [&] { BrowserPrint(dialogs, *brwWebBrowserhelp, PrintEnabled(*brwWebBrowserhelp)); });
}

void FrmHelp::resizeEvent(QResizeEvent* event)
{
    AuxWindow::resizeEvent(event);
    guarded([this] { Form_Resize(); });
}
