#pragma once

// The main window's layout arithmetic, in twips, without widgets. The window
// keeps one of these as the truth about where its controls are, runs the
// resize and splitter rules on it and applies the result to its widgets.
struct TwipRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Which tab is current, as the layout rules tell tabs apart.
enum class LayoutTab { Topics, Legislation, Schedule, History };

class MainLayout {
public:
    MainLayout();

    // The resize rules; false when the client area is too low and nothing moved.
    bool Form_Resize(int ScaleWidth, int ScaleHeight, int tabStripHeight);
    // The search row of ArrangeTab: buttons beside the current tab's boxes and
    // the boxes' widths. kestrin selects the second schedule frame.
    void ArrangeSearchRow(LayoutTab tab, bool kestrin);
    // The splitters, while button 1 alone is held; false when the move was refused.
    bool picDrag_MouseMove(int Button, int x, int ScaleWidth, LayoutTab tab, bool kestrin);
    bool picDrag2_MouseMove(int Button, int y, int ScaleHeight, LayoutTab tab);

    // Positions in the client area.
    TwipRect sspToolbar, cmdtoolbar[4];
    TwipRect imLogoStrech, imLogo;
    TwipRect SSTab1;
    TwipRect picDrag, picDrag2;
    TwipRect sspAbstract, sspLaw;
    TwipRect brwWebBrowser1, brwWebBrowser2, brwWebBrowser3, brwWebBrowserLawFile;
    TwipRect rtbWord, rtbWordLaw, rtbWordLawTopic;
    TwipRect cmdsearch[2];
    // Inside SSTab1.
    TwipRect frSearch, frsearchlaw, frSearchSchedule[2];
    TwipRect tvwTree, tvwTreelaw, tvwTreeschedule[2], lsthistory;
    // Inside the search frames.
    TwipRect txtsearch[2], txtsearchlaw[2], txtsearchSchedule[2];
    TwipRect lblsearch[2], lblsearchlaw[3], lblsearchschedule[2], cmbLawsAbstracts;
    // Inside sspAbstract.
    TwipRect cmdpicprintabstr, cmdpicsavewholelaw, Cmddelete, cmdpiclawhist;
    // Inside sspLaw.
    TwipRect cmdpichistory, cmdpiclaw, cmdpicWordlaw, lbllaw, lblDocument;

    // The narrowest the tab control may be made: what its tab row and search
    // row need (set by the window from its fonts; 0 leaves only the fifth).
    int minimumTabWidth = 0;

    // Below this client height a resize does nothing.
    static constexpr int kMinimumHeight = 5000;
    static constexpr int kTabWidth = 6700;

private:
    // Brings the vertical split back within its limits for the width.
    void clampSplit(int ScaleWidth);
    const TwipRect& searchFrame(LayoutTab tab, bool kestrin) const;
    void copySearchWidths();
};
