// The layout rules in twips, without widgets.
#include "mainwindow/MainLayout.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr int kStrip = 390;

bool sameLayout(const MainLayout& a, const MainLayout& b)
{
    // Every member is a rectangle of ints: compare them all at once.
    return std::memcmp(static_cast<const void*>(&a), static_cast<const void*>(&b), sizeof(MainLayout)) == 0;
}

MainLayout resized(int width = 15000, int height = 11000)
{
    MainLayout l;
    l.Form_Resize(width, height, kStrip);
    return l;
}

} // namespace

TEST(Layout, BelowFiveThousandTwipsNothingMoves)
{
    MainLayout l;
    const MainLayout before = l;
    EXPECT_FALSE(l.Form_Resize(15000, 4999, kStrip));
    EXPECT_TRUE(sameLayout(l, before));
    EXPECT_TRUE(l.Form_Resize(15000, 5000, kStrip));
    EXPECT_FALSE(sameLayout(l, before));
    EXPECT_EQ(l.SSTab1.Height, 5000 - 1560);
}

TEST(Layout, ToolbarButtonsEndTwoHundredApartFromTheRight)
{
    const MainLayout l = resized(15000);
    EXPECT_EQ(l.sspToolbar.Width, 15000);
    EXPECT_EQ(l.cmdtoolbar[3].Left + l.cmdtoolbar[3].Width, 15000 - 200);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(l.cmdtoolbar[i + 1].Left - (l.cmdtoolbar[i].Left + l.cmdtoolbar[i].Width), 200) << i;
}

TEST(Layout, RegionsFollowTheResize)
{
    const MainLayout l = resized(15000, 11000);
    EXPECT_EQ(l.SSTab1.Top, 300 + 1260);
    EXPECT_EQ(l.SSTab1.Height, 11000 - 1560);
    EXPECT_EQ(l.picDrag.Left, l.SSTab1.Width);
    EXPECT_EQ(l.picDrag2.Left, l.SSTab1.Width + 60 + 25);
    EXPECT_EQ(l.picDrag2.Width, 15000 - l.picDrag2.Left);
    EXPECT_EQ(l.brwWebBrowser1.Top, l.sspAbstract.Top + 555);
    EXPECT_EQ(l.brwWebBrowser1.Height, l.picDrag2.Top - l.brwWebBrowser1.Top);
    EXPECT_EQ(l.sspLaw.Top, l.picDrag2.Top + 60);
    EXPECT_EQ(l.brwWebBrowser2.Top + l.brwWebBrowser2.Height, 11000 - 100);
    EXPECT_EQ(l.brwWebBrowser3.Top, l.brwWebBrowser1.Top);
    EXPECT_EQ(l.brwWebBrowser3.Top + l.brwWebBrowser3.Height, 11000 - 100);
    EXPECT_EQ(l.tvwTree.Top + l.tvwTree.Height, l.SSTab1.Height - 100);
    EXPECT_EQ(l.tvwTreelaw.Width, l.SSTab1.Width - 200);
    EXPECT_EQ(l.rtbWordLaw.Top, l.brwWebBrowser3.Top);
    EXPECT_EQ(l.rtbWord.Height, l.brwWebBrowser2.Height);
    EXPECT_EQ(l.cmdpichistory.Left + l.cmdpichistory.Width, l.sspLaw.Width - 100);
    EXPECT_EQ(l.cmdpiclaw.Left + l.cmdpiclaw.Width, l.cmdpichistory.Left - 50);
    EXPECT_EQ(l.cmdpicWordlaw.Left, l.cmdpichistory.Left);
}

TEST(Layout, AResizePutsTheHorizontalSplitterBack)
{
    MainLayout l = resized(15000, 11000);
    const int home = l.picDrag2.Top;
    // SSTab1.Top + half its height - the panel height + the strip.
    EXPECT_EQ(home, 1560 + (11000 - 1560) / 2 - 555 + kStrip);
    ASSERT_TRUE(l.picDrag2_MouseMove(1, 900, 11000, LayoutTab::Topics));
    EXPECT_EQ(l.picDrag2.Top, home + 900);
    l.Form_Resize(15000, 11000, kStrip);
    EXPECT_EQ(l.picDrag2.Top, home);
}

TEST(Layout, HalfTwipsRoundToEven)
{
    // 1560 + 3441 * 0.5 - 555 + 390 = 3115.5 → 3116; 3443 gives 3116.5 → 3116.
    MainLayout odd;
    odd.Form_Resize(15000, 1560 + 3441, kStrip);
    EXPECT_EQ(odd.picDrag2.Top, 3116);
    MainLayout other;
    other.Form_Resize(15000, 1560 + 3443, kStrip);
    EXPECT_EQ(other.picDrag2.Top, 3116);
}

TEST(Layout, TheVerticalSplitterStopsAtAFifthAndTwoThirds)
{
    const MainLayout start = resized(15000);
    ASSERT_EQ(start.picDrag.Left, 6700);

    MainLayout l = start;
    EXPECT_TRUE(l.picDrag_MouseMove(1, 3000 - 6700, 15000, LayoutTab::Topics, false));
    EXPECT_EQ(l.picDrag.Left, 3000);
    l = start;
    EXPECT_FALSE(l.picDrag_MouseMove(1, 2999 - 6700, 15000, LayoutTab::Topics, false));
    EXPECT_TRUE(sameLayout(l, start));
    l = start;
    EXPECT_TRUE(l.picDrag_MouseMove(1, 10000 - 6700, 15000, LayoutTab::Topics, false));
    EXPECT_EQ(l.picDrag.Left, 10000);
    l = start;
    EXPECT_FALSE(l.picDrag_MouseMove(1, 10001 - 6700, 15000, LayoutTab::Topics, false));
    EXPECT_TRUE(sameLayout(l, start));
    // Only the left button alone drags.
    l = start;
    EXPECT_FALSE(l.picDrag_MouseMove(2, 100, 15000, LayoutTab::Topics, false));
    EXPECT_FALSE(l.picDrag_MouseMove(3, 100, 15000, LayoutTab::Topics, false));
    EXPECT_TRUE(sameLayout(l, start));
}

TEST(Layout, DraggingWidensTheLeftPaneAndNarrowsThePages)
{
    const MainLayout start = resized(15000);
    MainLayout l = start;
    ASSERT_TRUE(l.picDrag_MouseMove(1, 500, 15000, LayoutTab::Legislation, false));
    EXPECT_EQ(l.SSTab1.Width, start.SSTab1.Width + 500);
    for (auto member : {&MainLayout::tvwTree, &MainLayout::tvwTreelaw, &MainLayout::lsthistory})
        EXPECT_EQ((l.*member).Width, (start.*member).Width + 500);
    EXPECT_EQ(l.tvwTreeschedule[1].Width, start.tvwTreeschedule[1].Width + 500);
    for (auto member : {&MainLayout::brwWebBrowser1, &MainLayout::brwWebBrowser2, &MainLayout::brwWebBrowser3}) {
        EXPECT_EQ((l.*member).Width, (start.*member).Width - 500);
        EXPECT_EQ((l.*member).Left, (start.*member).Left + 500);
    }
    EXPECT_EQ(l.picDrag.Left, 7200);
    EXPECT_EQ(l.frsearchlaw.Width, l.tvwTree.Width);
    EXPECT_EQ(l.cmdsearch[0].Left, l.frsearchlaw.Left + l.frsearchlaw.Width - 1100 - 100);
    for (const TwipRect& box : {l.txtsearch[0], l.txtsearch[1], l.txtsearchlaw[0], l.txtsearchlaw[1],
                                l.txtsearchSchedule[0], l.txtsearchSchedule[1]})
        EXPECT_EQ(box.Width, l.cmdsearch[0].Left - 300);
    EXPECT_EQ(l.brwWebBrowserLawFile.Left, l.brwWebBrowser3.Left);
    EXPECT_EQ(l.cmdpiclawhist.Left + l.cmdpiclawhist.Width, l.cmdpicprintabstr.Left - 50);
}

TEST(Layout, AWidthThatWouldVanishIsKept)
{
    MainLayout l = resized(15000);
    l.brwWebBrowser1.Width = 300;
    ASSERT_TRUE(l.picDrag_MouseMove(1, 400, 15000, LayoutTab::Topics, false));
    EXPECT_EQ(l.brwWebBrowser1.Width, 300);
    EXPECT_EQ(l.picDrag2.Width, 300);
}

TEST(Layout, TheHorizontalSplitterLimits)
{
    const MainLayout start = resized(15000, 11000);
    MainLayout l = start;
    const int lowest = 11000 - 2000;
    EXPECT_TRUE(l.picDrag2_MouseMove(1, lowest - start.picDrag2.Top, 11000, LayoutTab::Topics));
    EXPECT_EQ(l.picDrag2.Top, lowest);
    l = start;
    EXPECT_FALSE(l.picDrag2_MouseMove(1, lowest + 1 - start.picDrag2.Top, 11000, LayoutTab::Topics));
    EXPECT_TRUE(sameLayout(l, start));
    // Upwards the limit is a fifth of the upper page plus 500 below its top.
    const double highest = start.brwWebBrowser1.Top + start.brwWebBrowser1.Height / 5.0 + 500;
    l = start;
    EXPECT_FALSE(l.picDrag2_MouseMove(1, static_cast<int>(highest) - 1 - start.picDrag2.Top, 11000, LayoutTab::Topics));
    l = start;
    EXPECT_TRUE(l.picDrag2_MouseMove(1, static_cast<int>(highest) + 1 - start.picDrag2.Top, 11000, LayoutTab::Topics));
    EXPECT_EQ(l.sspLaw.Top, start.sspLaw.Top + (l.picDrag2.Top - start.picDrag2.Top));
    EXPECT_EQ(l.rtbWordLawTopic.Top, l.brwWebBrowser2.Top);
    EXPECT_EQ(l.brwWebBrowserLawFile.Height, l.brwWebBrowser2.Height);
}

TEST(Layout, TheSearchRow)
{
    MainLayout l = resized(15000);
    l.ArrangeSearchRow(LayoutTab::Topics, false);
    EXPECT_EQ(l.cmdsearch[0].Top, l.SSTab1.Top + l.frSearch.Top + l.txtsearch[0].Top);
    EXPECT_EQ(l.cmdsearch[1].Top, l.SSTab1.Top + l.frSearch.Top + l.txtsearch[1].Top);
    EXPECT_EQ(l.cmdsearch[0].Left, l.frSearch.Left + l.frSearch.Width - 1100 - 100);
    EXPECT_EQ(l.cmbLawsAbstracts.Width, l.txtsearch[0].Width + 1100);

    // The history tab has no frame: the buttons stay where they were.
    const int left = l.cmdsearch[0].Left;
    l.frSearch.Width = 100;
    l.ArrangeSearchRow(LayoutTab::History, false);
    EXPECT_EQ(l.cmdsearch[0].Left, left);

    // A button 300 or less from the left keeps the boxes' width.
    MainLayout narrow = resized(15000);
    narrow.txtsearch[0].Width = 4321;
    narrow.frSearch.Width = 1200;
    narrow.ArrangeSearchRow(LayoutTab::Topics, false);
    EXPECT_EQ(narrow.cmdsearch[0].Left, 100);
    EXPECT_EQ(narrow.txtsearch[0].Width, 4321);
    EXPECT_EQ(narrow.txtsearchSchedule[1].Width, 4321);
}

TEST(Layout, EveryResizeBringsTheSplitBackWithinItsLimits)
{
    // Dragged to the right limit of a wide window, then the window narrows.
    MainLayout l = resized(24000);
    ASSERT_TRUE(l.picDrag_MouseMove(1, 16000 - l.picDrag.Left, 24000, LayoutTab::Topics, false));
    ASSERT_TRUE(l.Form_Resize(12000, 9000, kStrip));
    EXPECT_EQ(l.SSTab1.Width, 8000);
    EXPECT_EQ(l.tvwTree.Width, 8000 - 200);
    EXPECT_LE(l.picDrag2.Left + l.picDrag2.Width, 12000);
    EXPECT_GT(l.brwWebBrowser1.Width, 0);

    // What the tabs and search row need is a left limit of its own, for the
    // drag and for a resize.
    l.minimumTabWidth = 7000;
    ASSERT_TRUE(l.picDrag_MouseMove(1, 5000 - l.picDrag.Left, 12000, LayoutTab::Topics, false));
    EXPECT_EQ(l.SSTab1.Width, 7000) << "a drag past it stops at it";
    EXPECT_FALSE(l.picDrag_MouseMove(1, -100, 12000, LayoutTab::Topics, false));
    ASSERT_TRUE(l.Form_Resize(30000, 9000, kStrip));
    EXPECT_EQ(l.SSTab1.Width, 7000) << "within its limits, the split survives the resize";
    // A window too narrow for both limits keeps the tabs whole.
    ASSERT_TRUE(l.Form_Resize(9000, 9000, kStrip));
    EXPECT_EQ(l.SSTab1.Width, 7000);
}
