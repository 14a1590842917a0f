#pragma once

#include "mainwindow/MainLayout.h"

#include <QList>

// The resize rules of the information and help windows, in twips, without
// widgets.
namespace AuxLayout {

// Toolbar buttons aligned right, the last one 200 twips from the end and
// each other one 200 twips left of the button after it.
void AlignToolbarButtons(int toolbarWidth, const QList<TwipRect*>& buttons);

struct SystemInfo {
    TwipRect sspToolbar{0, 0, 9600, 555};
    TwipRect cmdtoolbar[3]{{0, 45, 500, 465}, {0, 45, 500, 465}, {0, 45, 500, 465}};
    TwipRect brwWebBrowser{0, 555, 9600, 6000};
    TwipRect chkSysInfo{100, 6655, 5400, 300};
    TwipRect cmdClose{8000, 7000, 1500, 405};

    void Form_Resize(int ScaleWidth, int ScaleHeight);
};

struct Help {
    TwipRect sspToolbar{0, 0, 10500, 555};
    TwipRect cmdtoolbar[3]{{0, 45, 500, 465}, {0, 45, 500, 465}, {0, 45, 500, 465}};
    TwipRect brwWebBrowserhelp{0, 555, 10500, 7500};

    void Form_Resize(int ScaleWidth, int ScaleHeight);
};

} // namespace AuxLayout
