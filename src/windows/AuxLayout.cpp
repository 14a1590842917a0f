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

namespace {

// The toolbar strip along the top, its buttons aligned right.
void PlaceToolbar(TwipRect& bar, TwipRect (&buttons)[3], int ScaleWidth)
{
    bar.Top = 0;
    bar.Left = 0;
    bar.Width = ScaleWidth;
    AlignToolbarButtons(bar.Width, {&buttons[0], &buttons[1], &buttons[2]});
}

} // namespace

void SystemInfo::Form_Resize(int ScaleWidth, int ScaleHeight)
{
    PlaceToolbar(sspToolbar, cmdtoolbar, ScaleWidth);
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
    PlaceToolbar(sspToolbar, cmdtoolbar, ScaleWidth);
    brwWebBrowserhelp.Width = ScaleWidth;
    if (ScaleHeight - sspToolbar.Height > 0)
        brwWebBrowserhelp.Height = ScaleHeight - sspToolbar.Height;
}

} // namespace AuxLayout
