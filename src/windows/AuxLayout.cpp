#include "windows/AuxLayout.h"

namespace AuxLayout {

void AlignToolbarButtons(int toolbarWidth, const QList<TwipRect*>& buttons)
{
    int right = toolbarWidth;
    for (qsizetype i = buttons.size() - 1; i >= 0; --i) {
        buttons[i]->Left = right - buttons[i]->Width - 200;
        right = buttons[i]->Left;
    }
}

void SystemInfo::Form_Resize(int ScaleWidth, int ScaleHeight)
{
    sspToolbar.Top = 0;
    sspToolbar.Left = 0;
    sspToolbar.Width = ScaleWidth;
    AlignToolbarButtons(sspToolbar.Width, {&cmdtoolbar[0], &cmdtoolbar[1], &cmdtoolbar[2]});
    brwWebBrowser.Width = ScaleWidth;
    if (ScaleHeight - 1000 > 0)
        brwWebBrowser.Height = ScaleHeight - 1000;
    chkSysInfo.Left = 100;
    chkSysInfo.Top = brwWebBrowser.Top + brwWebBrowser.Height + 100;
    if (ScaleHeight - cmdClose.Height > 0)
        cmdClose.Top = ScaleHeight - cmdClose.Height;
    if (ScaleWidth - cmdClose.Width > 0)
        cmdClose.Left = ScaleWidth - cmdClose.Width;
}

void Help::Form_Resize(int ScaleWidth, int ScaleHeight)
{
    sspToolbar.Top = 0;
    sspToolbar.Left = 0;
    sspToolbar.Width = ScaleWidth;
    AlignToolbarButtons(sspToolbar.Width, {&cmdtoolbar[0], &cmdtoolbar[1], &cmdtoolbar[2]});
    brwWebBrowserhelp.Width = ScaleWidth;
    if (ScaleHeight - sspToolbar.Height > 0)
        brwWebBrowserhelp.Height = ScaleHeight - sspToolbar.Height;
}

} // namespace AuxLayout
