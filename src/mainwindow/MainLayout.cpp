#include "mainwindow/MainLayout.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// Assigning a fractional twip value to a position rounds half to even.
int toTwips(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

void setWhenPositive(int& property, int value)
{
    if (value > 0)
        property = value;
}

void takeBounds(TwipRect& target, const TwipRect& source)
{
    target.Height = source.Height;
    target.Width = source.Width;
    target.Left = source.Left;
    target.Top = source.Top;
}

} // namespace

MainLayout::MainLayout()
{
    // The design: sizes the layout keeps, positions it only reads.
    sspToolbar = {0, 0, 15360, 600};
    for (int i = 0; i < 4; ++i)
        cmdtoolbar[i] = {0, 68, 465, 465};
    imLogoStrech = {0, 300, 15360, 1260};
    imLogo = {0, 300, 4200, 1260};
    SSTab1 = {0, 1560, kTabWidth, 9000};
    picDrag = {kTabWidth, 1560, 60, 9000};
    picDrag2 = {kTabWidth + 85, 5000, 8000, 60};
    sspAbstract = {kTabWidth + 85, 1560, 8000, 555};
    sspLaw = {kTabWidth + 85, 5060, 8000, 555};
    brwWebBrowser1 = {kTabWidth + 85, 2115, 8000, 2885};
    brwWebBrowser2 = {kTabWidth + 85, 5615, 8000, 3000};
    brwWebBrowser3 = {kTabWidth + 85, 2115, 8000, 6500};
    brwWebBrowserLawFile = brwWebBrowser2;
    rtbWord = rtbWordLawTopic = brwWebBrowser2;
    rtbWordLaw = brwWebBrowser3;
    cmdsearch[0] = {5400, 2640, 1100, 315};
    cmdsearch[1] = {5400, 3300, 1100, 315};

    frSearch = {100, 600, 6500, 1550};
    frsearchlaw = {100, 600, 6500, 2250};
    frSearchSchedule[0] = {100, 600, 6500, 850};
    frSearchSchedule[1] = {100, 600, 6500, 850};
    tvwTree = {105, 2250, 6500, 6000};
    tvwTreelaw = {105, 2950, 6500, 5300};
    tvwTreeschedule[0] = {105, 1550, 6500, 6700};
    tvwTreeschedule[1] = {105, 1545, 6500, 6700};
    lsthistory = {100, 600, 6500, 7650};

    lblsearch[0] = lblsearchlaw[0] = lblsearchschedule[0] = {100, 200, 6200, 255};
    lblsearch[1] = lblsearchlaw[1] = lblsearchschedule[1] = {100, 860, 6200, 255};
    txtsearch[0] = txtsearchlaw[0] = {100, 480, 5100, 315};
    txtsearch[1] = txtsearchlaw[1] = {100, 1140, 5100, 315};
    txtsearchSchedule[0] = txtsearchSchedule[1] = {100, 480, 5100, 315};
    lblsearchlaw[2] = {100, 1540, 6200, 255};
    cmbLawsAbstracts = {100, 1820, 6200, 315};

    cmdpicprintabstr = {7400, 45, 500, 465};
    cmdpicsavewholelaw = cmdpicprintabstr;
    Cmddelete = cmdpicprintabstr;
    cmdpiclawhist = {6850, 45, 500, 465};
    cmdpichistory = {7400, 45, 500, 465};
    cmdpiclaw = {6850, 45, 500, 465};
    cmdpicWordlaw = cmdpichistory;
    lbllaw = {120, 135, 2400, 300};
    lblDocument = {2600, 135, 4000, 300};
}

bool MainLayout::Form_Resize(int ScaleWidth, int ScaleHeight, int tabStripHeight)
{
    if (ScaleHeight < kMinimumHeight)
        return false;
    clampSplit(ScaleWidth);

    sspToolbar.Top = 0;
    sspToolbar.Left = 0;
    sspToolbar.Width = ScaleWidth;
    cmdtoolbar[3].Left = sspToolbar.Width - cmdtoolbar[3].Width - 200;
    for (int i = 2; i >= 0; --i)
        cmdtoolbar[i].Left = cmdtoolbar[i + 1].Left - cmdtoolbar[i].Width - 200;

    imLogoStrech.Width = ScaleWidth;
    imLogoStrech.Top = imLogo.Top = 300;
    imLogoStrech.Left = imLogo.Left = 0;

    SSTab1.Left = 0;
    SSTab1.Top = imLogoStrech.Top + imLogoStrech.Height;
    setWhenPositive(SSTab1.Height, ScaleHeight - SSTab1.Top);

    picDrag.Left = SSTab1.Width;
    picDrag.Top = SSTab1.Top;
    if (SSTab1.Height > 0)
        picDrag.Height = SSTab1.Height;

    picDrag2.Left = picDrag.Left + picDrag.Width + 25;
    const int t = toTwips(SSTab1.Top + SSTab1.Height * 0.5 - sspLaw.Height + tabStripHeight);
    if (t < ScaleHeight)
        picDrag2.Top = t;
    setWhenPositive(picDrag2.Width, ScaleWidth - picDrag2.Left);

    sspAbstract.Top = picDrag.Top;
    sspAbstract.Left = picDrag2.Left;
    sspAbstract.Width = picDrag2.Width;
    cmdpicprintabstr.Left = sspAbstract.Width - cmdpicprintabstr.Width - 100;
    cmdpicsavewholelaw.Left = Cmddelete.Left = cmdpicprintabstr.Left;
    cmdpiclawhist.Left = cmdpicsavewholelaw.Left - cmdpiclawhist.Width - 50;

    sspLaw.Left = picDrag2.Left;
    sspLaw.Top = picDrag2.Top + picDrag2.Height;
    sspLaw.Width = picDrag2.Width;
    cmdpichistory.Left = sspLaw.Width - cmdpichistory.Width - 100;
    cmdpiclaw.Left = cmdpichistory.Left - cmdpiclaw.Width - 50;
    cmdpicWordlaw.Left = cmdpichistory.Left;

    for (TwipRect* frame : {&frSearch, &frsearchlaw, &frSearchSchedule[0], &frSearchSchedule[1]}) {
        frame->Left = 100;
        frame->Width = SSTab1.Width - 200;
    }
    tvwTree.Width = SSTab1.Width - 200;
    for (TwipRect* r : {&tvwTreelaw, &tvwTreeschedule[0], &tvwTreeschedule[1], &lsthistory})
        r->Width = tvwTree.Width;
    for (TwipRect* r : {&tvwTree, &tvwTreelaw, &tvwTreeschedule[0], &tvwTreeschedule[1], &lsthistory})
        setWhenPositive(r->Height, SSTab1.Height - r->Top - 100);

    brwWebBrowser1.Top = sspAbstract.Top + sspAbstract.Height;
    brwWebBrowser2.Top = sspLaw.Top + sspLaw.Height;
    brwWebBrowser3.Top = brwWebBrowser1.Top;
    brwWebBrowser1.Left = brwWebBrowser2.Left = brwWebBrowser3.Left = picDrag2.Left;
    setWhenPositive(brwWebBrowser1.Height, picDrag2.Top - (sspAbstract.Top + sspAbstract.Height));
    setWhenPositive(brwWebBrowser3.Height, ScaleHeight - brwWebBrowser3.Top - 100);
    setWhenPositive(brwWebBrowser2.Height, ScaleHeight - brwWebBrowser2.Top - 100);
    brwWebBrowser1.Width = picDrag2.Width;
    brwWebBrowser2.Width = brwWebBrowser3.Width = brwWebBrowser1.Width;

    takeBounds(rtbWordLawTopic, brwWebBrowser2);
    takeBounds(rtbWord, brwWebBrowser2);
    takeBounds(rtbWordLaw, brwWebBrowser3);
    cmdpicWordlaw.Left = cmdpichistory.Left;
    cmdpicWordlaw.Top = cmdpichistory.Top;
    return true;
}

void MainLayout::clampSplit(int ScaleWidth)
{
    // A split kept from a wider window would push the pages off a narrower
    // one; one kept from a narrower window could leave the tabs cut.
    const int low = std::max((ScaleWidth + 4) / 5, minimumTabWidth);
    const int high = std::max(ScaleWidth * 2 / 3, low);
    const int width = std::clamp(SSTab1.Width, low, high);
    if (width == SSTab1.Width)
        return;
    const int x = width - SSTab1.Width;
    SSTab1.Width = width;
    for (TwipRect* r : {&tvwTree, &tvwTreelaw, &tvwTreeschedule[0], &tvwTreeschedule[1], &lsthistory})
        r->Width += x;
}

const TwipRect& MainLayout::searchFrame(LayoutTab tab, bool kestrin) const
{
    switch (tab) {
    case LayoutTab::Legislation: return frsearchlaw;
    case LayoutTab::Schedule: return kestrin ? frSearchSchedule[1] : frSearchSchedule[0];
    default: return frSearch;
    }
}

void MainLayout::copySearchWidths()
{
    if (cmdsearch[0].Left - 300 > 0)
        txtsearch[0].Width = cmdsearch[0].Left - 300;
    txtsearch[1].Width = txtsearchlaw[0].Width = txtsearchlaw[1].Width = txtsearch[0].Width;
    txtsearchSchedule[0].Width = txtsearchSchedule[1].Width = txtsearch[0].Width;
}

void MainLayout::ArrangeSearchRow(LayoutTab tab, bool kestrin)
{
    cmdsearch[0].Top = SSTab1.Top + frSearch.Top + txtsearch[0].Top;
    cmdsearch[1].Top = SSTab1.Top + frSearch.Top + txtsearch[1].Top;
    if (tab != LayoutTab::History) {
        const TwipRect& f = searchFrame(tab, kestrin);
        cmdsearch[0].Left = f.Left + f.Width - cmdsearch[0].Width - 100;
        cmdsearch[1].Left = cmdsearch[0].Left;
    }
    copySearchWidths();
    cmbLawsAbstracts.Width = cmdsearch[0].Width + txtsearch[0].Width;
}

bool MainLayout::picDrag_MouseMove(int Button, int x, int ScaleWidth, LayoutTab tab, bool kestrin)
{
    if (Button != 1)
        return false;
    int n = picDrag.Left + x;
    // What the tab and search rows need stops a drag at its edge.
    if (n < minimumTabWidth) {
        x += minimumTabWidth - n;
        n = minimumTabWidth;
        if (x == 0)
            return false;
    }
    // Refused outside a fifth and two thirds of the width, limits included.
    if (n * 5 < ScaleWidth || n * 3 > ScaleWidth * 2)
        return false;

    for (TwipRect* r : {&SSTab1, &tvwTree, &tvwTreelaw, &tvwTreeschedule[0], &tvwTreeschedule[1], &lsthistory})
        setWhenPositive(r->Width, r->Width + x);
    setWhenPositive(brwWebBrowser1.Left, brwWebBrowser1.Left + x);
    setWhenPositive(brwWebBrowser2.Left, brwWebBrowser2.Left + x);
    setWhenPositive(brwWebBrowser1.Width, brwWebBrowser1.Width - x);
    setWhenPositive(brwWebBrowser2.Width, brwWebBrowser2.Width - x);
    setWhenPositive(picDrag2.Left, picDrag2.Left + x);
    picDrag2.Width = brwWebBrowser1.Width;
    sspLaw.Left = sspAbstract.Left = picDrag2.Left;
    sspLaw.Width = sspAbstract.Width = picDrag2.Width;

    setWhenPositive(cmdpichistory.Left, sspLaw.Width - cmdpichistory.Width - 100);
    setWhenPositive(cmdpiclaw.Left, cmdpichistory.Left - cmdpiclaw.Width - 50);
    cmdpicWordlaw.Left = cmdpichistory.Left;
    setWhenPositive(cmdpicprintabstr.Left, sspAbstract.Width - cmdpicprintabstr.Width - 100);
    cmdpicsavewholelaw.Left = Cmddelete.Left = cmdpicprintabstr.Left;
    setWhenPositive(cmdpiclawhist.Left, cmdpicprintabstr.Left - cmdpiclawhist.Width - 50);

    setWhenPositive(brwWebBrowser3.Left, brwWebBrowser3.Left + x);
    setWhenPositive(brwWebBrowser3.Width, brwWebBrowser3.Width - x);

    setWhenPositive(rtbWordLaw.Left, brwWebBrowser3.Left);
    setWhenPositive(rtbWordLaw.Width, brwWebBrowser3.Width);
    setWhenPositive(rtbWordLawTopic.Left, brwWebBrowser2.Left);
    setWhenPositive(rtbWordLawTopic.Width, brwWebBrowser2.Width);
    if (tab == LayoutTab::Topics) {
        brwWebBrowserLawFile.Left = brwWebBrowser2.Left;
        brwWebBrowserLawFile.Width = brwWebBrowser2.Width;
    } else if (tab == LayoutTab::History || tab == LayoutTab::Legislation) {
        brwWebBrowserLawFile.Left = brwWebBrowser3.Left;
        brwWebBrowserLawFile.Width = brwWebBrowser3.Width;
    }

    picDrag.Left = n;
    rtbWord.Left = brwWebBrowser2.Left;
    rtbWord.Width = brwWebBrowser2.Width;

    frSearch.Width = tvwTree.Width;
    frsearchlaw.Width = frSearchSchedule[0].Width = frSearchSchedule[1].Width = frSearch.Width;

    if (tab != LayoutTab::History) {
        const TwipRect& f = searchFrame(tab, kestrin);
        const int v = f.Left + f.Width - cmdsearch[0].Width - 100;
        if (&f == &frSearch ? v > 0 : v != 0)
            cmdsearch[0].Left = v;
    }
    cmdsearch[1].Left = cmdsearch[0].Left;
    copySearchWidths();
    cmbLawsAbstracts.Width = txtsearch[0].Width + cmdsearch[0].Width;
    return true;
}

bool MainLayout::picDrag2_MouseMove(int Button, int y, int ScaleHeight, LayoutTab tab)
{
    if (Button != 1)
        return false;
    const int n = picDrag2.Top + y;
    if (n > ScaleHeight - 2000 || n < brwWebBrowser1.Top + brwWebBrowser1.Height / 5.0 + 500)
        return false;

    setWhenPositive(brwWebBrowser1.Height, brwWebBrowser1.Height + y);
    setWhenPositive(sspLaw.Top, sspLaw.Top + y);
    setWhenPositive(brwWebBrowser2.Top, brwWebBrowser2.Top + y);
    setWhenPositive(brwWebBrowser2.Height, brwWebBrowser2.Height - y);
    picDrag2.Top = n;
    takeBounds(rtbWord, brwWebBrowser2);
    takeBounds(rtbWordLawTopic, brwWebBrowser2);
    if (tab == LayoutTab::Topics)
        takeBounds(brwWebBrowserLawFile, brwWebBrowser2);
    else if (tab == LayoutTab::History || tab == LayoutTab::Legislation)
        takeBounds(brwWebBrowserLawFile, brwWebBrowser3);
    cmdpicWordlaw.Left = cmdpichistory.Left;
    cmdpicWordlaw.Top = cmdpichistory.Top;
    return true;
}
