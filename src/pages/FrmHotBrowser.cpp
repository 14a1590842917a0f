#include "pages/FrmHotBrowser.h"

#include "documents/LawPrintLabel.h"

#include <QKeyEvent>

#include "documents/CommonDialog.h"
#include "documents/Printing.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "mainwindow/Pictures.h"
#include "mainwindow/Twips.h"
#include "pages/Links.h"
#include "pages/PageBrowser.h"
#include "pages/ReadingSetup.h"
#include "startup/ErrorReport.h"
#include "startup/Program.h"

#include <QCloseEvent>
#include <QToolButton>

FrmHotBrowser::FrmHotBrowser(Program& program, QWidget* parent)
    : QWidget(parent, Qt::Window), m_program(program), m_state(program.state())
{
    setObjectName(QStringLiteral("frmhotbrowser"));
    setWindowTitle(QStringLiteral("Περιγραφή Νομοθετήματος"));

    sspLaw = new Panel(QStringLiteral("sspLaw"), this);
    sspLaw->setBackColour(QColor(146, 132, 131));
    cmdpicsavewholelaw = new QToolButton(sspLaw);
    cmdpicsavewholelaw->setObjectName(QStringLiteral("cmdpicsavewholelaw"));
    cmdpicsavewholelaw->setIcon(Pictures::SaveToHistory());
    cmdpicsavewholelaw->setIconSize(QSize(24, 24));
    cmdpicsavewholelaw->setToolTip(QStringLiteral("Αποθήκευση Τρέχοντος Νομοθετήματος στο Ιστορικό"));
    cmdhotconnprint = new QToolButton(sspLaw);
    cmdhotconnprint->setObjectName(QStringLiteral("cmdhotconnprint"));
    cmdhotconnprint->setIcon(Pictures::Print());
    cmdhotconnprint->setIconSize(QSize(24, 24));
    cmdhotconnprint->setToolTip(QStringLiteral("Εκτύπωση Τρέχοντος Νομοθετήματος"));
    brwhotbrowser = new PageBrowser(QStringLiteral("brwhotbrowser"), this);
    brwFilehotbrowser = new PageBrowser(QStringLiteral("brwFilehotbrowser"), this);
    brwFilehotbrowser->hide();
    rtbhotBrowser = new RichTextBox(QStringLiteral("rtbhotBrowser"), this);
    rtbhotBrowser->hide();
    cdPrintRTF = new CommonDialog(QStringLiteral("cdPrintRTF"), this);
    const QString help = m_state.gAppPath + QStringLiteral("/help");
    for (PageBrowser* page : {brwhotbrowser, brwFilehotbrowser})
        page->setLinkPolicy({help}, [this](const QUrl& url) { m_program.platform().openUrl(url); });
    brwFilehotbrowser->setPictureFolders({help});
    SetUpReadingViews(m_program, *this, {brwhotbrowser, brwFilehotbrowser}, {rtbhotBrowser});

    geometry.sspLaw = {0, 0, 12000, 555};
    geometry.cmdpicsavewholelaw = {11400, 45, 500, 465};
    geometry.cmdhotconnprint = {10800, 45, 500, 465};

    connect(brwhotbrowser, &PageBrowser::DocumentComplete, this, [this] { guarded([this] { brwhotbrowser_DocumentComplete(); }); });
    connect(brwhotbrowser, &PageBrowser::BeforeNavigate2, this, [this](const QString& url, bool& cancel) {
        guarded([&] { brwhotbrowser_BeforeNavigate2(url, cancel); });
    });
    connect(brwFilehotbrowser, &PageBrowser::NavigateComplete2, this, [this] {
        guarded([this] { m_program.frmInitial()->set_style(*brwFilehotbrowser); });
    });
    connect(cmdpicsavewholelaw, &QToolButton::clicked, this, [this] { guarded([this] { cmdpicsavewholelaw_Click(); }); });
    connect(cmdhotconnprint, &QToolButton::clicked, this, [this] { guarded([this] { cmdhotconnprint_Click(); }); });

    resize(820, 620);
    Form_Load();
}

FrmHotBrowser::~FrmHotBrowser() = default;

void FrmHotBrowser::guarded(const std::function<void()>& handler)
{
    RunEventHandler(m_program.platform().dialogs(), m_state.gAppTitle, handler);
}

void FrmHotBrowser::Form_Load()
{
    // The history tab's laws are kept already.
    if (m_program.frmInitial() && m_program.frmInitial()->SSTab1->Tab() == 4) {
        cmdpicsavewholelaw->setVisible(false);
        cmdpicsavewholelaw->setEnabled(false);
    }
    brwhotbrowser->Navigate(PageBrowser::kBlank);
}

void FrmHotBrowser::brwhotbrowser_DocumentComplete()
{
    m_program.frmInitial()->ShowPageHtml(*brwhotbrowser);
}

void FrmHotBrowser::brwhotbrowser_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    const std::optional<qint32> id = LinkId(URL);
    if (!id)
        return;
    m_state.gLawId = *id;
    m_state.gLawIdHotBrowser = *id;
    Cancel = true;
    FrmInitial& main = *m_program.frmInitial();
    main.navigate_to_hotbrowser(QStringLiteral("not_history"), true);
    main.ShowPageHtml(*brwhotbrowser);
}

void FrmHotBrowser::ShowPageView()
{
    rtbhotBrowser->setVisible(false);
    rtbhotBrowser->setEnabled(false);
    brwFilehotbrowser->setVisible(false);
    brwhotbrowser->setVisible(true);
}

void FrmHotBrowser::Form_Activate()
{
    m_state.gHotBrowserActive = 1;
    m_state.gLawId = m_state.gLawIdHotBrowser;
}

void FrmHotBrowser::Form_Deactivate()
{
    m_state.gHotBrowserActive = 0;
}

void FrmHotBrowser::Layout(Geometry& g, int W, int H, bool saveVisible)
{
    for (TwipRect* r : {&g.brwhotbrowser, &g.rtbhotBrowser, &g.brwFilehotbrowser, &g.sspLaw})
        r->Width = W;
    for (TwipRect* r : {&g.brwhotbrowser, &g.rtbhotBrowser, &g.brwFilehotbrowser}) {
        r->Top = g.sspLaw.Height;
        if (H - g.sspLaw.Height > 0)
            r->Height = H - g.sspLaw.Height;
    }
    if (g.sspLaw.Width - g.cmdpicsavewholelaw.Width - 100 > 0)
        g.cmdpicsavewholelaw.Left = g.sspLaw.Width - g.cmdpicsavewholelaw.Width - 100;
    if (saveVisible) {
        if (g.cmdpicsavewholelaw.Left - g.cmdpicsavewholelaw.Width - 100 > 0)
            g.cmdhotconnprint.Left = g.cmdpicsavewholelaw.Left - g.cmdpicsavewholelaw.Width - 100;
    } else {
        g.cmdhotconnprint.Left = g.cmdpicsavewholelaw.Left;
    }
}

void FrmHotBrowser::Form_Resize()
{
    const Twips t(logicalDpiX(), logicalDpiY());
    Layout(geometry, t.fromPixelsX(width()), t.fromPixelsY(height()), !cmdpicsavewholelaw->isHidden());
    auto place = [&](QWidget* w, const TwipRect& r) {
        w->setGeometry(t.toPixelsX(r.Left), t.toPixelsY(r.Top), t.toPixelsX(r.Width), t.toPixelsY(r.Height));
    };
    place(sspLaw, geometry.sspLaw);
    place(cmdpicsavewholelaw, geometry.cmdpicsavewholelaw);
    place(cmdhotconnprint, geometry.cmdhotconnprint);
    place(brwhotbrowser, geometry.brwhotbrowser);
    place(brwFilehotbrowser, geometry.brwFilehotbrowser);
    place(rtbhotBrowser, geometry.rtbhotBrowser);
}

void FrmHotBrowser::Form_Unload()
{
    m_unloaded = true;
    m_state.gHotBrowserActive = 0;
    if (FrmInitial* main = m_program.frmInitial())
        main->save_history();
}

void FrmHotBrowser::cmdpicsavewholelaw_Click()
{
    m_program.frmInitial()->cmdpicsavewholelaw_Click();
}

void FrmHotBrowser::cmdhotconnprint_Click()
{
    PrintLabel label = LawPrintLabel(*m_state.gAdoConnection, m_program.platform().registry(), m_state.gLawIdHotBrowser);
    PrintShownLaw(m_program.platform().dialogs(), *rtbhotBrowser, *brwhotbrowser, *brwFilehotbrowser, windowTitle(),
                  &label);
    KeepPdfFolder(m_program.platform().registry(), label);
}

void FrmHotBrowser::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_unloaded)
        guarded([this] { Form_Unload(); });
}

void FrmHotBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    guarded([this] { Form_Resize(); });
}

void FrmHotBrowser::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            guarded([this] { Form_Activate(); });
        else
            guarded([this] { Form_Deactivate(); });
    }
}

void FrmHotBrowser::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
