// The main window's size and place: its resizing, the layout of its parts,
// the splitters, and the place and size kept for the next start.
#include "mainwindow/FrmInitial.h"

#include "mainwindow/Controls.h"
#include "mainwindow/WindowMemory.h"
#include "pages/PageBrowser.h"
#include "startup/Edition.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace {

const QColor kWindowBack(146, 132, 131);
const QColor kTabBack(177, 149, 138);
const QColor kTabFore(112, 85, 75);

} // namespace

void FrmInitial::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            Form_Activate();
        else
            Form_Deactivate();
    }
}

void FrmInitial::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    guarded([this] { Form_Resize(); });
}

void FrmInitial::Form_Resize()
{
    if (gLoading)
        return;
    const Twips t = twips();
    layout.minimumTabWidth = MinimumTabWidth();
    if (!layout.Form_Resize(ScaleWidth(), ScaleHeight(), t.fromPixelsY(SSTab1->tabStripHeight())))
        return;
    // An html document shown in place of a law page follows that page's new
    // size, as it does when a splitter moves.
    if (const LayoutTab tab = currentLayoutTab(); tab == LayoutTab::Topics)
        layout.brwWebBrowserLawFile = layout.brwWebBrowser2;
    else if (tab == LayoutTab::Legislation || tab == LayoutTab::History)
        layout.brwWebBrowserLawFile = layout.brwWebBrowser3;

    QPalette back = client->palette();
    back.setColor(QPalette::Window, kWindowBack);
    client->setPalette(back);
    sspToolbar->setBackColour(kWindowBack);
    SSTab1->setColours(kTabBack, kTabFore);

    cmdpicprintabstr->setVisible(true);
    cmdpiclaw->setVisible(true);
    cmdpicWordlaw->setVisible(false);
    ArrangeTab();

    const QString c = SSTab1->Caption();
    if (isScheduleCaption(c)) {
        if (usesSecondSchedule())
            gOnTabOrganogramma_N = true;
        else
            gOnTabOrganogramma_P = true;
        m_state.gLawId = gOnTabOrganogramma_P ? m_state.gLawIdOrganogramma_P : m_state.gLawIdOrganogramma_N;
    } else if (c == kHistory) {
        brwWebBrowser3->Navigate(PageBrowser::kBlank);
    } else if (c == kTopics) {
        gOnTabThemata = true;
        m_state.gLawId = m_state.gLawIdThemata;
    } else if (c == kLegislation) {
        ignoringErrors([this] { tvwTreelaw->FillNode(tvwTreelaw->invisibleRootItem()); });
        gOnTabNomoi = true;
        m_state.gLawId = m_state.gLawIdNomoi;
        brwWebBrowser3->Navigate(PageBrowser::kBlank);
    }
}

int FrmInitial::MinimumTabWidth() const
{
    const Twips t = twips();
    int labels = 0;
    for (const QLabel* l : {lblsearch[0], lblsearch[1], lblsearchlaw[0], lblsearchlaw[1], lblsearchlaw[2],
                            lblsearchschedule[0], lblsearchschedule[1]})
        labels = std::max(labels, l->fontMetrics().horizontalAdvance(l->text()));
    // A label sits 100 into its frame, the frame 100 into the tab control and
    // 100 short of its right edge; a search box is the tab control's width
    // less 1600 and stays at least 2400 wide.
    const int searchRow = std::max(t.fromPixelsX(labels) + 100 + 200 + 100, 1600 + 2400);
    return std::max(t.fromPixelsX(SSTab1->minimumRowWidth()), searchRow);
}

void FrmInitial::keepWindowMemory()
{
    WindowMemory memory;
    memory.maximized = isMaximized();
    memory.normal = memory.maximized ? normalGeometry() : geometry();
    memory.tabWidth = layout.SSTab1.Width;
    memory.splitTop = layout.picDrag2.Top;
    SetRegString(m_platform.registry(), QStringLiteral("\\TARVO"), QStringLiteral("MainWindow"),
                 WriteWindowMemory(memory));
}

std::optional<WindowMemory> FrmInitial::restoreWindowMemory()
{
    std::optional<WindowMemory> memory = ReadWindowMemory(
        GetRegString(m_platform.registry(), true, QStringLiteral("\\TARVO"), QStringLiteral("MainWindow"), QString()));
    if (!memory)
        return memory;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    setGeometry(KeepOnScreen(memory->normal, screens));
    if (memory->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    return memory;
}

void FrmInitial::restoreSplitters(const WindowMemory& memory)
{
    // Through the splitters' own rules: a width or height they would refuse
    // to a drag is not restored either.
    const LayoutTab tab = currentLayoutTab();
    if (layout.picDrag_MouseMove(1, memory.tabWidth - layout.picDrag.Left, ScaleWidth(), tab,
                                 m_state.gAppTitle == Edition::kKestrin))
        ApplyLayout();
    if (layout.picDrag2_MouseMove(1, memory.splitTop - layout.picDrag2.Top, ScaleHeight(), tab))
        ApplyLayout();
}

void FrmInitial::FitToScreen()
{
    const Twips t = twips();
    // Wide enough for the tab control at its narrowest and the pages beside
    // it; high enough for the layout to apply.
    const int minimumTab = t.toPixelsX(MinimumTabWidth());
    const QSize least(std::max(minimumTab * 3 / 2 + 40, 760),
                      t.toPixelsY(MainLayout::kMinimumHeight + MainLayout().SSTab1.Top) + 40);
    const QSize room = screen() ? screen()->availableGeometry().size() - QSize(16, 48) : least;
    setMinimumSize(least.boundedTo(room));
    resize(1024, 740);
    PlaceOnScreen(*this);
}

void FrmInitial::ApplyLayout()
{
    const Twips t = twips();
    auto place = [&](QWidget* w, const TwipRect& r, int dy = 0) {
        w->setGeometry(t.toPixelsX(r.Left), t.toPixelsY(r.Top) - dy, t.toPixelsX(r.Width), t.toPixelsY(r.Height));
    };
    const int strip = SSTab1->tabStripHeight();

    place(sspToolbar, layout.sspToolbar);
    for (int i = 0; i < 4; ++i)
        place(cmdtoolbar[i], layout.cmdtoolbar[i]);
    // Left of the four buttons the layout rules place, as far from them as
    // they are from each other; the index's progress left of it.
    const QRect first = cmdtoolbar[0]->geometry();
    const int gap = cmdtoolbar[1]->geometry().left() - first.right() - 1;
    cmdFullText->setGeometry(first.translated(-(first.width() + gap), 0));
    lblFullText->setGeometry(8, first.top(), std::max(0, cmdFullText->x() - 16), first.height());
    place(imLogoStrech, layout.imLogoStrech);
    place(imLogo, layout.imLogo);
    place(SSTab1, layout.SSTab1);
    place(picDrag, layout.picDrag);
    place(picDrag2, layout.picDrag2);
    // 60 twips are 4 pixels at 96 DPI: too thin to grab. The bars keep their
    // place and reach a pixel into their neighbours, drawn above them.
    constexpr int kGrab = 6;
    if (picDrag->width() < kGrab)
        picDrag->setGeometry(picDrag->geometry().adjusted(-(kGrab - picDrag->width()) / 2, 0,
                                                          (kGrab - picDrag->width() + 1) / 2, 0));
    if (picDrag2->height() < kGrab)
        picDrag2->setGeometry(picDrag2->geometry().adjusted(0, -(kGrab - picDrag2->height()) / 2, 0,
                                                            (kGrab - picDrag2->height() + 1) / 2));
    picDrag->raise();
    picDrag2->raise();
    place(sspAbstract, layout.sspAbstract);
    place(sspLaw, layout.sspLaw);
    place(brwWebBrowser1, layout.brwWebBrowser1);
    place(brwWebBrowser2, layout.brwWebBrowser2);
    place(brwWebBrowser3, layout.brwWebBrowser3);
    place(brwWebBrowserLawFile, layout.brwWebBrowserLawFile);
    place(rtbWord, layout.rtbWord);
    place(rtbWordLaw, layout.rtbWordLaw);
    place(rtbWordLawTopic, layout.rtbWordLawTopic);
    place(rtbAbstract, layout.brwWebBrowser1);
    for (int i = 0; i < 2; ++i)
        place(cmdsearch[i], layout.cmdsearch[i]);

    place(frSearch, layout.frSearch, strip);
    place(frsearchlaw, layout.frsearchlaw, strip);
    place(tvwTree, layout.tvwTree, strip);
    place(tvwTreelaw, layout.tvwTreelaw, strip);
    place(lsthistory, layout.lsthistory, strip);
    for (int i = 0; i < 2; ++i) {
        place(frSearchSchedule[i], layout.frSearchSchedule[i], strip);
        place(tvwTreeschedule[i], layout.tvwTreeschedule[i], strip);
        place(txtsearch[i], layout.txtsearch[i]);
        place(txtsearchlaw[i], layout.txtsearchlaw[i]);
        place(txtsearchSchedule[i], layout.txtsearchSchedule[i]);
        place(lblsearch[i], layout.lblsearch[i]);
        place(lblsearchschedule[i], layout.lblsearchschedule[i]);
    }
    for (int i = 0; i < 3; ++i)
        place(lblsearchlaw[i], layout.lblsearchlaw[i]);
    place(cmbLawsAbstracts, layout.cmbLawsAbstracts);

    place(cmdpicprintabstr, layout.cmdpicprintabstr);
    place(cmdpicsavewholelaw, layout.cmdpicsavewholelaw);
    place(Cmddelete, layout.Cmddelete);
    place(cmdpiclawhist, layout.cmdpiclawhist);
    place(cmdpichistory, layout.cmdpichistory);
    place(cmdpiclaw, layout.cmdpiclaw);
    place(cmdpicWordlaw, layout.cmdpicWordlaw);
    place(lbllaw, layout.lbllaw);
    place(lblDocument, layout.lblDocument);
}

void FrmInitial::picDrag_MouseMove(int Button, int, int x, int)
{
    if (layout.picDrag_MouseMove(Button, x, ScaleWidth(), currentLayoutTab(), m_state.gAppTitle == Edition::kKestrin))
        ApplyLayout();
}

void FrmInitial::picDrag2_MouseMove(int Button, int, int, int y)
{
    if (layout.picDrag2_MouseMove(Button, y, ScaleHeight(), currentLayoutTab()))
        ApplyLayout();
}
