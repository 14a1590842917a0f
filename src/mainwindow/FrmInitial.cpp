#include "mainwindow/FrmInitial.h"

#include "data/JetFunctions.h"
#include "documents/CommonDialog.h"
#include "mainwindow/Controls.h"
#include "mainwindow/Pictures.h"
#include "documents/BlobWriter.h"
#include "documents/DocumentIcons.h"
#include "history/HistoryFile.h"
#include "mainwindow/LawTreeFill.h"
#include "mainwindow/Search.h"
#include "mainwindow/SearchSql.h"
#include "pages/SchedulePage.h"
#include "documents/DocumentSql.h"
#include "data/TextFolding.h"
#include "pages/FrmHotBrowser.h"
#include "pages/LawPage.h"
#include "pages/Links.h"
#include "pages/PageBrowser.h"
#include "pages/TopicPage.h"
#include "startup/Edition.h"
#include "startup/ErrorReport.h"
#include "startup/FrmWait.h"
#include "startup/Paths.h"
#include "startup/Program.h"
#include "startup/Platform.h"
#include "startup/Registry.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

const QString FrmInitial::kTopics = QStringLiteral("Θέματα");
const QString FrmInitial::kLegislation = QStringLiteral("Νομοθετήματα");
const QString FrmInitial::kOrganisation = QStringLiteral("Οργανόγραμμα");
const QString FrmInitial::kDocumentGuide = QStringLiteral("Οδηγός Εγγράφων");
const QString FrmInitial::kHistory = QStringLiteral("Ιστορικό");

namespace {

const QColor kWindowBack(146, 132, 131);
const QColor kTabBack(177, 149, 138);
const QColor kTabFore(112, 85, 75);

QString indexed(const char* name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QString& toolTip)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setToolTip(toolTip);
    return t;
}

QToolButton* pictureButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& toolTip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setToolTip(toolTip);
    b->setAccessibleName(toolTip);
    b->setAutoRaise(false);
    return b;
}

QFrame* frame(QWidget* parent, const QString& name)
{
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

} // namespace

FrmInitial::FrmInitial(Program& program, QWidget* parent)
    : QMainWindow(parent), m_program(program), m_state(program.state()), m_platform(program.platform())
{
    setObjectName(QStringLiteral("frmInitial"));
    createControls();
    wireEvents();
    resize(1024, 740);
}

FrmInitial::~FrmInitial() = default;

void FrmInitial::createControls()
{
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    imListTree = new ImageList(QStringLiteral("imListTree"), this);
    imListTree->add(QStringLiteral("open"), Pictures::FolderOpen());
    imListTree->add(QStringLiteral("closed"), Pictures::FolderClosed());
    imListDocuments = new ImageList(QStringLiteral("imListDocuments"), this);
    imListDocuments->add(QStringLiteral("word"), Pictures::WordDocument());
    imListDocuments->add(QStringLiteral("excel"), Pictures::ExcelDocument());
    imListDocuments->add(QString(), Pictures::BlankDocument());
    imListReports = new ImageList(QStringLiteral("imListReports"), this);
    imListReports->add(QString(), Pictures::BlankDocument());

    imLogoStrech = label(client, QStringLiteral("imLogoStrech"), QString());
    imLogoStrech->setPixmap(Pictures::LogoStrip());
    imLogoStrech->setScaledContents(true);
    imLogo = label(client, QStringLiteral("imLogo"), QString());
    imLogo->setPixmap(Pictures::EditionLogo(Edition::kSelvara));
    imLogoTarvoP = label(client, QStringLiteral("imLogoTarvoP"), QString());
    imLogoTarvoP->setPixmap(Pictures::EditionLogo(Edition::kTolvane));
    imLogoTarvoP->hide();
    imLogoTarvoN = label(client, QStringLiteral("imLogoTarvoN"), QString());
    imLogoTarvoN->setPixmap(Pictures::EditionLogo(Edition::kKestrin));
    imLogoTarvoN->hide();

    sspToolbar = new Panel(QStringLiteral("sspToolbar"), client);
    const QIcon toolbarIcons[4] = {Pictures::Help(), Pictures::About(), Pictures::Settings(), Pictures::Exit()};
    const QString toolbarTexts[4] = {QStringLiteral("Βοήθεια"), QStringLiteral("Για την εφαρμογή"),
                                     QStringLiteral("Ρυθμίσεις"), QStringLiteral("Έξοδος")};
    for (int i = 0; i < 4; ++i)
        cmdtoolbar[i] = pictureButton(sspToolbar, indexed("cmdtoolbar", i), toolbarIcons[i], toolbarTexts[i]);

    SSTab1 = new SSTab(QStringLiteral("SSTab1"), client);
    for (const QString& caption : {kOrganisation, kTopics, kLegislation, kOrganisation, kHistory})
        SSTab1->addTab(caption);
    // The design's current tab is the topics tab.
    SSTab1->setTab(1, false);

    QWidget* topicsPage = SSTab1->page(1);
    QWidget* lawPage = SSTab1->page(2);
    QWidget* schedulePages[2] = {SSTab1->page(3), SSTab1->page(0)};

    frSearch = frame(topicsPage, QStringLiteral("frSearch"));
    lblsearch[0] = label(frSearch, indexed("lblsearch", 0), QStringLiteral("Αναζήτηση στα Θέματα"));
    txtsearch[0] = textBox(frSearch, indexed("txtsearch", 0),
        QStringLiteral("Αναζήτηση βάσει λέξεων κλειδιών στους τίτλους που εμφανίζονται στο δέντρο Θεμάτων."));
    lblsearch[1] = label(frSearch, indexed("lblsearch", 1), QStringLiteral("Αναζήτηση στο Περιεχόμενο των Θεμάτων"));
    txtsearch[1] = textBox(frSearch, indexed("txtsearch", 1),
        QStringLiteral("Αναζήτηση βάσει λέξεων κλειδιών στο κείμενο των περιλήψεων και των νομοθετημάτων που αντιστοιχούν στα θέματα του δέντρου Θεμάτων."));
    tvwTree = new TreeView(QStringLiteral("tvwTree"), topicsPage);

    frsearchlaw = frame(lawPage, QStringLiteral("frsearchlaw"));
    lblsearchlaw[0] = label(frsearchlaw, indexed("lblsearchlaw", 0), QStringLiteral("Αναζήτηση Νομοθετημάτων"));
    txtsearchlaw[0] = textBox(frsearchlaw, indexed("txtsearchlaw", 0),
        QStringLiteral("Αναζήτηση στους τίτλους των Νομοθετημάτων που εμφανίζονται στο δέντρο των Νομοθετημάτων."));
    lblsearchlaw[1] = label(frsearchlaw, indexed("lblsearchlaw", 1), QStringLiteral("Αναζήτηση στο κείμενο των Νομοθετημάτων"));
    txtsearchlaw[1] = textBox(frsearchlaw, indexed("txtsearchlaw", 1),
        QStringLiteral("Αναζήτηση στο κείμενο των Νομοθετήματων βάσει των λέξεων κλειδιών που εισάγετε."));
    lblsearchlaw[2] = label(frsearchlaw, indexed("lblsearchlaw", 2), QStringLiteral("Υπάρχει σύνδεση στα θέματα"));
    cmbLawsAbstracts = new QComboBox(frsearchlaw);
    cmbLawsAbstracts->setObjectName(QStringLiteral("cmbLawsAbstracts"));
    tvwTreelaw = new TreeView(QStringLiteral("tvwTreelaw"), lawPage);

    const QString scheduleCaptions[2] = {QStringLiteral("Αναζήτηση στον Οδηγό Εγγράφων "),
                                         QStringLiteral("Αναζήτηση στο Οργανόγραμμα")};
    const QString scheduleTips[2] = {
        QStringLiteral("Αναζήτηση στους τίτλους των θεμάτων του Οδηγού Εγγραφού που εμφανίζονται στο δέντρο Εγγράφων."),
        QStringLiteral("Αναζήτηση στους τίτλους των θεμάτων που εμφανίζονται στο δέντρο του Οργανογράμματος.")};
    for (int i = 0; i < 2; ++i) {
        frSearchSchedule[i] = frame(schedulePages[i], indexed("frSearchSchedule", i));
        lblsearchschedule[i] = label(frSearchSchedule[i], indexed("lblsearchschedule", i), scheduleCaptions[i]);
        txtsearchSchedule[i] = textBox(frSearchSchedule[i], indexed("txtsearchSchedule", i), scheduleTips[i]);
        tvwTreeschedule[i] = new TreeView(indexed("tvwTreeschedule", i), schedulePages[i]);
    }
    for (TreeView* tree : {tvwTree, tvwTreelaw, tvwTreeschedule[0], tvwTreeschedule[1]})
        tree->setImageList(imListTree);

    lsthistory = new QListWidget(SSTab1->page(4));
    lsthistory->setObjectName(QStringLiteral("lsthistory"));

    for (int i = 0; i < 2; ++i) {
        cmdsearch[i] = new QPushButton(QStringLiteral("Αναζήτηση"), client);
        cmdsearch[i]->setObjectName(indexed("cmdsearch", i));
    }

    picDrag = new SplitterBar(QStringLiteral("picDrag"), Qt::SizeHorCursor, client);
    picDrag2 = new SplitterBar(QStringLiteral("picDrag2"), Qt::SizeVerCursor, client);

    sspAbstract = new Panel(QStringLiteral("sspAbstract"), client);
    cmdpiclawhist = pictureButton(sspAbstract, QStringLiteral("cmdpiclawhist"), Pictures::Print(),
                                  QStringLiteral("Εκτύπωση Τρέχοντος Νομοθετήματος"));
    cmdpicsavewholelaw = pictureButton(sspAbstract, QStringLiteral("cmdpicsavewholelaw"), Pictures::SaveToHistory(),
                                       QStringLiteral("Αποθήκευση Τρέχοντος Νομοθετήματος στο Ιστορικό"));
    cmdpicprintabstr = pictureButton(sspAbstract, QStringLiteral("cmdpicprintabstr"), Pictures::Print(),
                                     QStringLiteral("Εκτύπωση Τρέχουσας Περίληψης"));
    Cmddelete = pictureButton(sspAbstract, QStringLiteral("Cmddelete"), Pictures::Delete(),
                              QStringLiteral("Διαγραφή από τη λίστα Ιστορικού του Επιλεγμένου Νομοθετήματος"));

    sspLaw = new Panel(QStringLiteral("sspLaw"), client);
    cmdpichistory = pictureButton(sspLaw, QStringLiteral("cmdpichistory"), Pictures::SaveToHistory(),
                                  QStringLiteral("Αποθήκευση Τρέχοντος Νομοθετήματος στο Ιστορικό"));
    cmdpiclaw = pictureButton(sspLaw, QStringLiteral("cmdpiclaw"), Pictures::Print(),
                              QStringLiteral("Εκτύπωση Τρέχοντος Νομοθετήματος"));
    cmdpicWordlaw = pictureButton(sspLaw, QStringLiteral("cmdpicWordlaw"), imListDocuments->picture(3),
                                  QStringLiteral("Προβολή εγγράφου"));
    lbllaw = label(sspLaw, QStringLiteral("lbllaw"), QStringLiteral(" Νομοθέτημα"));
    lblDocument = label(sspLaw, QStringLiteral("lblDocument"), QStringLiteral("Υπόδειγμα"));
    QFont bold = lbllaw->font();
    bold.setBold(true);
    lbllaw->setFont(bold);

    brwWebBrowser1 = new PageBrowser(QStringLiteral("brwWebBrowser1"), client);
    brwWebBrowser2 = new PageBrowser(QStringLiteral("brwWebBrowser2"), client);
    brwWebBrowser3 = new PageBrowser(QStringLiteral("brwWebBrowser3"), client);
    brwWebBrowserLawFile = new PageBrowser(QStringLiteral("brwWebBrowserLawFile"), client);
    brwWebBrowserLawFile->hide();
    rtbWord = new RichTextBox(QStringLiteral("rtbWord"), client);
    rtbWordLaw = new RichTextBox(QStringLiteral("rtbWordLaw"), client);
    rtbWordLawTopic = new RichTextBox(QStringLiteral("rtbWordLawTopic"), client);
    for (RichTextBox* box : {rtbWord, rtbWordLaw, rtbWordLawTopic}) {
        box->hide();
        box->setEnabled(false);
    }

    ProgressBar1 = new ProgressControl(QStringLiteral("ProgressBar1"), client);
    cdPrintRTF = new CommonDialog(QStringLiteral("cdPrintRTF"), this);

    // Drawn over the logo strip, as the toolbar and the buttons are.
    imLogoStrech->lower();
    sspToolbar->raise();
    cmdsearch[0]->raise();
    cmdsearch[1]->raise();
}

void FrmInitial::guarded(const std::function<void()>& handler)
{
    // A failed handler must not leave the hourglass behind.
    if (!RunEventHandler(m_platform.dialogs(), m_state.gAppTitle, handler))
        m_platform.setHourglass(false);
}

void FrmInitial::ignoringErrors(const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
    }
}

void FrmInitial::wireEvents()
{
    connect(SSTab1, &SSTab::Click, this, [this](int previous) { guarded([=, this] { SSTab1_Click(previous); }); });
    for (int i = 0; i < 4; ++i)
        connect(cmdtoolbar[i], &QToolButton::clicked, this, [this, i] { guarded([=, this] { cmdtoolbar_Click(i); }); });

    connect(tvwTree, &TreeView::Click, this, [this] { guarded([this] { tvwTree_Click(); }); });
    connect(tvwTree, &TreeView::KeyDown, this, [this](int key, Qt::KeyboardModifiers) {
        guarded([=, this] { tvwTree_KeyDown(key); });
    });
    connect(tvwTree, &TreeView::KeyPress, this, [this](int key) { guarded([=, this] { tvwTree_KeyPress(key); }); });
    connect(tvwTree, &TreeView::MouseUp, this, [this](Qt::MouseButton, Qt::KeyboardModifiers, const QPoint& pos) {
        guarded([=, this] { tvwTree_MouseUp(pos); });
    });

    connect(tvwTreelaw, &TreeView::Click, this, [this] { guarded([this] { tvwTreelaw_Click(); }); });
    connect(tvwTreelaw, &TreeView::DblClick, this, [this] { guarded([this] { tvwTreelaw_DblClick(); }); });
    connect(tvwTreelaw, &TreeView::KeyDown, this, [this](int key, Qt::KeyboardModifiers) {
        guarded([=, this] { tvwTreelaw_KeyDown(key); });
    });
    connect(tvwTreelaw, &TreeView::MouseUp, this, [this](Qt::MouseButton, Qt::KeyboardModifiers, const QPoint& pos) {
        guarded([=, this] { tvwTreelaw_MouseUp(pos); });
    });

    connect(brwWebBrowser1, &PageBrowser::BeforeNavigate2, this, [this](const QString& url, bool& cancel) {
        guarded([&] { brwWebBrowser1_BeforeNavigate2(url, cancel); });
    });
    for (PageBrowser* lawPage : {brwWebBrowser2, brwWebBrowser3})
        connect(lawPage, &PageBrowser::BeforeNavigate2, this, [this](const QString& url, bool& cancel) {
            guarded([&] { brwLawPage_BeforeNavigate2(url, cancel); });
        });
    connect(brwWebBrowser3, &PageBrowser::GotFocus, this, [this] { guarded([this] { brwWebBrowser3_GotFocus(); }); });
    connect(brwWebBrowserLawFile, &PageBrowser::NavigateComplete2, this, [this] {
        guarded([this] { brwWebBrowserLawFile_NavigateComplete2(); });
    });

    for (int i = 0; i < 2; ++i) {
        TreeView* tree = tvwTreeschedule[i];
        connect(tree, &TreeView::Click, this, [this, i] { guarded([=, this] { tvwTreeschedule_Click(i); }); });
        connect(tree, &TreeView::KeyDown, this, [this, i](int key, Qt::KeyboardModifiers shift) {
            guarded([=, this] { tvwTreeschedule_KeyDown(i, key, static_cast<int>(shift)); });
        });
        connect(tree, &TreeView::MouseUp, this, [this, i](Qt::MouseButton, Qt::KeyboardModifiers, const QPoint& pos) {
            guarded([=, this] { tvwTreeschedule_MouseUp(i, pos); });
        });
        connect(cmdsearch[i], &QPushButton::clicked, this, [this, i] { guarded([=, this] { cmdsearch_Click(i); }); });
        wireSearchBox(txtsearch[i], i);
        wireSearchBox(txtsearchlaw[i], i);
        wireSearchBox(txtsearchSchedule[i], 0);
    }

    auto buttonOf = [](int buttons) { return buttons; };
    connect(picDrag, &SplitterBar::MouseMove, this, [this, buttonOf](int button, Qt::KeyboardModifiers, const QPoint& pos) {
        const Twips t = twips();
        guarded([=, this] { picDrag_MouseMove(buttonOf(button), 0, t.fromPixelsX(pos.x()), t.fromPixelsY(pos.y())); });
    });
    connect(picDrag2, &SplitterBar::MouseMove, this, [this, buttonOf](int button, Qt::KeyboardModifiers, const QPoint& pos) {
        const Twips t = twips();
        guarded([=, this] { picDrag2_MouseMove(buttonOf(button), 0, t.fromPixelsX(pos.x()), t.fromPixelsY(pos.y())); });
    });
}

void FrmInitial::Show()
{
    Form_Load();
}

Twips FrmInitial::twips() const
{
    return Twips(logicalDpiX(), logicalDpiY());
}

int FrmInitial::ScaleWidth() const
{
    return twips().fromPixelsX(client->width());
}

int FrmInitial::ScaleHeight() const
{
    return twips().fromPixelsY(client->height());
}

bool FrmInitial::isScheduleCaption(const QString& caption) const
{
    return caption == kOrganisation || caption == kDocumentGuide;
}

bool FrmInitial::usesSecondSchedule() const
{
    return m_state.gAppTitle != Edition::kSelvara && m_state.gAppTitle != Edition::kTolvane;
}

LayoutTab FrmInitial::currentLayoutTab() const
{
    const QString c = SSTab1->Caption();
    if (c == kTopics)
        return LayoutTab::Topics;
    if (c == kLegislation)
        return LayoutTab::Legislation;
    if (c == kHistory)
        return LayoutTab::History;
    return LayoutTab::Schedule;
}

void FrmInitial::Form_Load()
{
    gLoading = true;
    if (FrmWait* wait = m_program.frmWait()) {
        wait->show();
        m_platform.repaintNow(*wait);
    }
    m_platform.setHourglass(true);

    m_state.gDaoDatabase.reset();
    m_state.gDaoWorkspace.clear();

    setWindowTitle(m_state.gAppTitle + QStringLiteral("  ") + Edition::kMakersMark);

    m_state.gTempPath = GetTempFolder(m_platform);
    if (!Paths::EndsWithSeparator(m_state.gTempPath))
        m_state.gTempPath += Paths::Separator();

    SSTab1->setTabsPerRow(4);
    layout.SSTab1.Width = MainLayout::kTabWidth;

    m_state.gViewerPath = Jet::Trim(GetRegString(m_platform.registry(), true, QStringLiteral("\\TARVO"),
                                                 QStringLiteral("Application2Open"), QString()));
    if (!m_state.gViewerPath.isEmpty())
        cmdpicWordlaw->setToolTip(QStringLiteral("Προβολή εγγράφου με ") + m_state.gViewerPath);

    // From here to the showing of the window a failing step is skipped.
    ignoringErrors([this] {
        gOnTabThemata = gOnTabNomoi = gOnTabOrganogramma_P = gOnTabOrganogramma_N = false;
    });
    ignoringErrors([this] {
        LoadHistory();
        m_platform.setHourglass(true);
    });
    ignoringErrors([this] {
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        brwWebBrowser2->Navigate(PageBrowser::kBlank);
        brwWebBrowser3->Navigate(PageBrowser::kBlank);
    });
    ignoringErrors([this] {
        AddTopicRootNodes({}, 0, false, {}, 0, true);
        m_platform.setHourglass(true);
    });
    ignoringErrors([this] {
        AddlawTypeNodes({}, 0, {}, 0, true);
        m_platform.setHourglass(true);
    });
    ignoringErrors([this] {
        const QString& title = m_state.gAppTitle;
        const bool firstTabs = title == Edition::kSelvara || title == Edition::kTolvane;
        SSTab1->setTabVisible(0, !firstTabs);
        SSTab1->setTabEnabled(0, !firstTabs);
        SSTab1->setTabVisible(3, firstTabs);
        SSTab1->setTabEnabled(3, firstTabs);
        if (title == Edition::kSelvara)
            SSTab1->setTabCaption(3, kDocumentGuide);
        if (!firstTabs) {
            lblsearchlaw[0]->setText(QStringLiteral("Αναζήτηση με τον αριθμό του νομοθετήματος"));
            lblsearchlaw[1]->setText(QStringLiteral("Αναζήτηση με λέξεις κλειδιά του νομοθετήματος"));
            lblsearch[1]->setText(QStringLiteral("Αναζήτηση με λέξεις κλειδιά του θέματος"));
            lblsearchschedule[1]->setText(QStringLiteral("Αναζήτηση με λέξεις κλειδιά του τίτλου"));
        }
        m_platform.setHourglass(true);
    });
    ignoringErrors([this] {
        if (usesSecondSchedule())
            AddScheduleRootNodes_N({}, 0, false, {}, 0, true);
        else
            AddScheduleRootNodes_P({}, 0, false, {}, 0, true);
        m_platform.setHourglass(true);
    });
    ignoringErrors([this] {
        const QString& title = m_state.gAppTitle;
        if (title == Edition::kTolvane) {
            imLogo->setPixmap(imLogoTarvoP->pixmap());
            lblsearchschedule[0]->setText(QStringLiteral("Αναζήτηση στο Οργανόγραμμα"));
            txtsearchSchedule[0]->setToolTip(
                QStringLiteral("Αναζήτηση στους τίτλους των θεμάτων που εμφανίζονται στο δέντρο του Οργανογράμματος."));
        } else if (title == Edition::kKestrin) {
            imLogo->setPixmap(imLogoTarvoN->pixmap());
        }
    });

    gLoading = false;
    m_program.unloadFrmWait();
    m_platform.setHourglass(false);
    show();

    SSTab1_Click(0);
    for (QLineEdit* box : {txtsearchSchedule[0], txtsearchSchedule[1], txtsearch[0], txtsearch[1], txtsearchlaw[0], txtsearchlaw[1]})
        box->clear();
    m_platform.setHourglass(false);
}

void FrmInitial::SSTab1_Click(int)
{
    cmdpicprintabstr->setVisible(true);
    ignoringErrors([this] {
        for (RichTextBox* box : {rtbWord, rtbWordLawTopic, rtbWordLaw}) {
            box->setVisible(false);
            box->setEnabled(false);
        }
        brwWebBrowserLawFile->setVisible(false);
    });
    const QString c = SSTab1->Caption();
    if (isScheduleCaption(c)) {
        lbllaw->setText(QStringLiteral(" Υπόδειγμα"));
        wIsSchedule = true;
    } else {
        lbllaw->setText(QStringLiteral(" Νομοθέτημα"));
        wIsSchedule = false;
    }
    gOnTabThemata = gOnTabNomoi = gOnTabOrganogramma_P = gOnTabOrganogramma_N = false;
    ArrangeTab();

    if (isScheduleCaption(c)) {
        if (usesSecondSchedule()) {
            gOnTabOrganogramma_N = true;
            m_state.gLawId = m_state.gLawIdOrganogramma_N;
            tvwTreeschedule_Click(1);
            txtsearchSchedule[1]->setFocus();
        } else {
            gOnTabOrganogramma_P = true;
            m_state.gLawId = m_state.gLawIdOrganogramma_P;
            tvwTreeschedule_Click(0);
            txtsearchSchedule[0]->setFocus();
        }
    } else if (c == kHistory) {
        brwWebBrowser3->Navigate(PageBrowser::kBlank);
        lsthistory->setFocus();
    } else if (c == kTopics) {
        gOnTabThemata = true;
        m_state.gLawId = m_state.gLawIdThemata;
        txtsearch[0]->setFocus();
        tvwTree_Click();
    } else if (c == kLegislation) {
        gOnTabNomoi = true;
        m_state.gLawId = m_state.gLawIdNomoi;
        txtsearchlaw[0]->setFocus();
        tvwTreelaw_Click();
    }
}

void FrmInitial::ArrangeTab()
{
    const QString c = SSTab1->Caption();
    const bool topics = c == kTopics;
    const bool legislation = c == kLegislation;
    const bool history = c == kHistory;
    const bool schedule = isScheduleCaption(c);

    cmbLawsAbstracts->clear();

    frSearch->setVisible(topics);
    frsearchlaw->setVisible(legislation);
    frSearchSchedule[0]->setVisible(false);
    frSearchSchedule[1]->setVisible(false);
    if (schedule)
        frSearchSchedule[m_state.gAppTitle == Edition::kKestrin ? 1 : 0]->setVisible(true);

    lblDocument->setVisible(schedule);

    layout.ArrangeSearchRow(currentLayoutTab(), m_state.gAppTitle == Edition::kKestrin);
    cmdsearch[0]->setVisible(!history);
    cmdsearch[1]->setVisible(legislation || topics);

    cmdpicprintabstr->setVisible(!legislation && !history);
    cmdpiclawhist->setVisible(history || legislation);
    cmdpicsavewholelaw->setVisible(legislation);
    Cmddelete->setVisible(history);
    brwWebBrowser1->setVisible(!legislation && !history);
    brwWebBrowser2->setVisible(!legislation && !history);
    if (topics) {
        if (brwWebBrowserLawFile->isHidden() && !rtbWordLawTopic->isEnabled()) {
            rtbWordLawTopic->setVisible(false);
            brwWebBrowser2->setVisible(true);
        } else if (!brwWebBrowserLawFile->isHidden()) {
            layout.brwWebBrowserLawFile = layout.brwWebBrowser2;
        }
    }
    brwWebBrowser3->setVisible(history || legislation);
    picDrag2->setVisible(!brwWebBrowser2->isHidden());
    sspLaw->setVisible(!brwWebBrowser2->isHidden());
    cmdpichistory->setVisible(topics);
    cmdpiclaw->setVisible(topics);
    cmdpicWordlaw->setVisible(schedule);
    ApplyLayout();

    if (topics) {
        SetTabOrder({txtsearch[0], cmdsearch[0], txtsearch[1], cmdsearch[1], tvwTree, cmdpicprintabstr, cmdpiclaw, cmdpichistory});
    } else if (legislation) {
        SetTabOrder({txtsearchlaw[0], cmdsearch[0], txtsearchlaw[1], cmdsearch[1], cmbLawsAbstracts, tvwTreelaw,
                     cmdpiclawhist, cmdpicsavewholelaw});
    } else if (schedule) {
        const int i = usesSecondSchedule() ? 1 : 0;
        SetTabOrder({txtsearchSchedule[i], cmdsearch[0], cmdsearch[1], tvwTreeschedule[i], cmdpicprintabstr, cmdpiclaw,
                     cmdpichistory});
    } else if (history) {
        SetTabOrder({lsthistory, cmdpiclawhist, Cmddelete});
    }
}

void FrmInitial::SetTabOrder(const QList<QWidget*>& controls)
{
    for (qsizetype i = 0; i + 1 < controls.size(); ++i)
        QWidget::setTabOrder(controls[i], controls[i + 1]);
}

void FrmInitial::cmdtoolbar_Click(int Index)
{
    switch (Index) {
    case 3:
        ExitApplication();
        break;
    default:
        break;
    }
}

void FrmInitial::ExitApplication()
{
    m_program.unloadFrmHotBrowser();
    close();
}

void FrmInitial::Form_Unload()
{
    m_unloaded = true;
    save_history();
    m_program.unloadFrmHotBrowser();
}

void FrmInitial::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_unloaded) {
        guarded([this] { Form_Unload(); });
        m_platform.endProgram(ExitStatus::Normal);
    }
}

void FrmInitial::Form_Activate()
{
    m_state.gMainActive = 1;
}

void FrmInitial::Form_Deactivate()
{
    m_state.gMainActive = 0;
}

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
    if (!layout.Form_Resize(ScaleWidth(), ScaleHeight(), t.fromPixelsY(SSTab1->tabStripHeight())))
        return;

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
        gOnTabNomoi = true;
        m_state.gLawId = m_state.gLawIdNomoi;
        brwWebBrowser3->Navigate(PageBrowser::kBlank);
    }
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
    place(imLogoStrech, layout.imLogoStrech);
    place(imLogo, layout.imLogo);
    place(SSTab1, layout.SSTab1);
    place(picDrag, layout.picDrag);
    place(picDrag2, layout.picDrag2);
    place(sspAbstract, layout.sspAbstract);
    place(sspLaw, layout.sspLaw);
    place(brwWebBrowser1, layout.brwWebBrowser1);
    place(brwWebBrowser2, layout.brwWebBrowser2);
    place(brwWebBrowser3, layout.brwWebBrowser3);
    place(brwWebBrowserLawFile, layout.brwWebBrowserLawFile);
    place(rtbWord, layout.rtbWord);
    place(rtbWordLaw, layout.rtbWordLaw);
    place(rtbWordLawTopic, layout.rtbWordLawTopic);
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

void FrmInitial::AddTopicRootNodes(const QList<qint32>& found, int foundCount, bool expandFlag,
                                   const QList<qint32>& expand, int expandLast, bool fullMode)
{
    FillHierarchy(*m_state.gAdoConnection, *tvwTree, TopicHierarchy(),
                  {found, foundCount, expandFlag, expand, expandLast}, fullMode);
}

void FrmInitial::AddChildrenNodes(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                                  const QList<qint32>& init_topid, int l_count_initid)
{
    QSet<qint32> ancestors{ParentId};
    AddHierarchyChildren(*m_state.gAdoConnection, *tvwTree, TopicHierarchy(), ParentId,
                         {init_topid, l_count_initid, false, a, l_count}, l_init_tree, ancestors);
}

void FrmInitial::toggleNode(TreeView& tree, QTreeWidgetItem* node)
{
    if (node->childCount() == 0)
        return;
    if (TreeView::Image(node) == QLatin1String("open")) {
        tree.SetImage(node, QStringLiteral("closed"));
        node->setExpanded(false);
    } else {
        tree.SetImage(node, QStringLiteral("open"));
        node->setExpanded(true);
    }
}

void FrmInitial::tvwTree_Click()
{
    QTreeWidgetItem* node = tvwTree->SelectedItem();
    if (!node) {
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        brwWebBrowser2->setVisible(true);
        brwWebBrowser2->Navigate(PageBrowser::kBlank);
        brwWebBrowserLawFile->setVisible(false);
        rtbWordLawTopic->setVisible(false);
        return;
    }
    ShowTopicPage(node);
}

void FrmInitial::tvwTree_KeyDown(int KeyCode)
{
    if (KeyCode == 38 || KeyCode == 40)
        tvwTree_Click();
}

void FrmInitial::tvwTree_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        tvwTree_Click();
}

void FrmInitial::tvwTree_MouseUp(const QPoint& position)
{
    if (!tvwTree->HitTest(position))
        tvwTree->SetSelectedItem(nullptr);
}

void FrmInitial::ShowTopicPage(QTreeWidgetItem* node)
{
    const qint32 id = TreeView::Key(node).mid(1).toInt();
    gScheduleAbstract = 1;
    m_state.gLawNodeKind.clear();
    toggleNode(*tvwTree, node);

    const TopicPage page = BuildTopicPage(*m_state.gAdoConnection, id, m_state.gAppTitle);

    brwWebBrowser2->Navigate(PageBrowser::kBlank);
    brwWebBrowser2->setVisible(true);
    brwWebBrowserLawFile->setVisible(false);
    rtbWordLawTopic->setVisible(false);

    switch (page.outcome) {
    case TopicPage::Outcome::NoAbstracts:
        // Nothing is shown, so no law and no abstract remain current.
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        gAbstract = 0;
        m_state.gLawId = 0;
        m_state.gLawIdThemata = 0;
        return;
    case TopicPage::Outcome::FirstAbstractNull:
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        gAbstract = 0;
        return;
    case TopicPage::Outcome::Built:
        break;
    }
    gAbstract = 1;
    brwWebBrowser1->SetBodyHtml(page.html);
    m_state.gLawId = 0;
    m_state.gLawIdThemata = 0;
    set_style(*brwWebBrowser1);
}

void FrmInitial::ShowPageHtml(PageBrowser& target)
{
    if (m_state.gPageHtml.isEmpty())
        return;
    m_state.gPageHtml = RewriteImageSources(m_state.gPageHtml, m_state.gAppPath);
    target.SetBodyHtml(m_state.gPageHtml);
    set_style(target);
}

void FrmInitial::set_style(PageBrowser& my_browser)
{
    my_browser.ApplyPageStyle();
}

void FrmInitial::AddlawTypeNodes(const QList<qint32>& foundLaws, int foundLawCount, const QList<qint32>& foundTypes,
                                 int foundTypeCount, bool fullMode)
{
    AddLawTypeLevel(*m_state.gAdoConnection, m_sqlTools, *tvwTreelaw, foundLaws, foundLawCount, foundTypes,
                    foundTypeCount, fullMode);
}

void FrmInitial::AddlawChildrenNodes(qint32 ParentId, const QList<qint32>&, int, bool l_init_tree,
                                     const QList<qint32>& init_topid, int l_count_initid)
{
    AddLawLevel(*m_state.gAdoConnection, m_sqlTools, *tvwTreelaw, ParentId, l_init_tree, init_topid, l_count_initid);
}

void FrmInitial::ShowLawNode(QTreeWidgetItem* node)
{
    cmbLawsAbstracts->clear();
    const QString key = TreeView::Key(node);
    const qint32 id = key.mid(1).toInt();
    toggleNode(*tvwTreelaw, node);
    m_state.gLawId = id;
    m_state.gLawIdNomoi = id;
    m_state.gLawNodeKind = key.startsWith(u'p') ? QStringLiteral("p") : QString();
    if (wIsSchedule)
        navigate_to_hotbrowserSchedule(QStringLiteral("not_history"));
    else
        navigate_to_hotbrowser(QStringLiteral("not_history"), false);
    if (!m_state.gPageHtml.isEmpty()) {
        m_state.gPageHtml = RewriteImageSources(m_state.gPageHtml, m_state.gAppPath);
        brwWebBrowser3->SetBodyHtml(m_state.gPageHtml);
    }
    if (!brwWebBrowser3->BodyHtml().isEmpty())
        set_style(*brwWebBrowser3);
}

void FrmInitial::tvwTreelaw_Click()
{
    cmbLawsAbstracts->clear();
    if (QTreeWidgetItem* node = tvwTreelaw->SelectedItem()) {
        ShowLawNode(node);
        return;
    }
    brwWebBrowser3->setVisible(true);
    brwWebBrowser3->Navigate(PageBrowser::kBlank);
    brwWebBrowserLawFile->setVisible(false);
    rtbWordLaw->setVisible(false);
}

void FrmInitial::tvwTreelaw_DblClick()
{
    cmbLawsAbstracts->clear();
}

void FrmInitial::tvwTreelaw_KeyDown(int KeyCode)
{
    if (KeyCode == 38 || KeyCode == 40)
        tvwTreelaw_Click();
}

void FrmInitial::tvwTreelaw_MouseUp(const QPoint& position)
{
    if (!tvwTreelaw->HitTest(position))
        tvwTreelaw->SetSelectedItem(nullptr);
}

qint32 FrmInitial::historyLawId() const
{
    const QListWidgetItem* entry = lsthistory->currentItem();
    return entry && entry->isSelected() ? entry->data(Qt::UserRole).toInt() : 0;
}

void FrmInitial::navigate_to_hotbrowser(const QString& brwname, bool HotBrowser)
{
    m_platform.setHourglass(true);
    ignoringErrors([this] {
        for (RichTextBox* box : {rtbWordLawTopic, rtbWordLaw}) {
            box->setVisible(false);
            box->setEnabled(false);
        }
        brwWebBrowserLawFile->setVisible(false);
    });
    ignoringErrors([this] {
        const QString c = SSTab1->Caption();
        if (c == kTopics)
            brwWebBrowser2->setVisible(true);
        else if (c == kLegislation || c == kHistory)
            brwWebBrowser3->setVisible(true);
    });
    const bool fromHistory = brwname != QLatin1String("not_history");
    const qint32 lawId = fromHistory ? historyLawId() : m_state.gLawId;
    Database& db = *m_state.gAdoConnection;

    QString page;
    // A type node names a type, not a law: it has no page and no topics.
    const bool typeNode = m_state.gLawNodeKind == QLatin1String("p");
    if (!typeNode) {
        const LawPage built = BuildLawPage(db, m_sqlTools, LawQueries(), lawId, fromHistory);
        if (built.documentId)
            ShowLawFile(built.documentId, fromHistory ? false : HotBrowser);
        page = built.html;
    }
    m_state.gPageHtml = page;

    if (!typeNode) {
        QList<RelatedTopic> topics;
        for (int i = 0; i < cmbLawsAbstracts->count(); ++i)
            topics.append({cmbLawsAbstracts->itemText(i), cmbLawsAbstracts->itemData(i).toInt()});
        const qsizetype listed = topics.size();
        AppendRelatedTopics(db, lawId, fromHistory, topics);
        for (qsizetype i = listed; i < topics.size(); ++i)
            cmbLawsAbstracts->addItem(topics[i].descr, topics[i].topicId);
    }

    ProgressBar1->UpdateStatus(1.0, true);
    PlaceAtBottom(ProgressBar1, client->rect(), false);
    m_platform.setHourglass(false);
    if (cmbLawsAbstracts->count() >= 1)
        cmbLawsAbstracts->setCurrentIndex(0);
}

void FrmInitial::navigate_to_hotbrowserSchedule(const QString& brwname)
{
    ignoringErrors([this] {
        rtbWord->setVisible(false);
        rtbWord->setEnabled(false);
    });
    const qint32 id = brwname == QLatin1String("not_history") ? m_state.gLawId : historyLawId();
    if (m_state.gLawNodeKind == QLatin1String("p")) {
        m_state.gPageHtml.clear();
        return;
    }
    const LawPage built = BuildLawPage(*m_state.gAdoConnection, m_sqlTools, TemplateQueries(), id, false);
    QString page = built.html;
    if (built.assembled && Jet::Trim(built.body).isEmpty() && built.lastGroupId > 0) {
        page.clear();
        ShowScheduleFile(built.lastGroupId, page);
    }
    if (built.hasRecord)
        lblDocument->setText(built.recordTitle);
    m_state.gPageHtml = page;
}

void FrmInitial::PlaceAtBottom(QWidget* control, const QRect& reference, bool visible)
{
    control->setGeometry(reference.left(), reference.top() + reference.height() - control->height(),
                         reference.width(), control->height());
    control->setVisible(visible);
}

void FrmInitial::ShowLawFile(qint32, bool)
{
}

void FrmInitial::ShowScheduleFile(qint32, QString& html)
{
    html.clear();
}

void FrmInitial::brwWebBrowser1_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    const std::optional<qint32> id = LinkId(URL);
    if (!id)
        return;
    Cancel = true;
    m_state.gLawId = *id;
    m_state.gLawIdThemata = *id;
    if (wIsSchedule)
        navigate_to_hotbrowserSchedule(QStringLiteral("not_history"));
    else
        navigate_to_hotbrowser(QStringLiteral("not_history"), false);
    ShowPageHtml(*brwWebBrowser2);
}

void FrmInitial::brwLawPage_BeforeNavigate2(const QString& URL, bool& Cancel)
{
    const std::optional<qint32> id = LinkId(URL);
    if (!id)
        return;
    m_state.gLawId = *id;
    m_state.gLawIdHotBrowser = *id;
    Cancel = true;
    m_program.unloadFrmHotBrowser();
    if (wIsSchedule)
        navigate_to_hotbrowserSchedule(QStringLiteral("not_history"));
    else
        navigate_to_hotbrowser(QStringLiteral("not_history"), true);
    m_program.showFrmHotBrowser();
}

void FrmInitial::brwWebBrowser3_GotFocus()
{
    m_state.gMainActive = 1;
}

void FrmInitial::brwWebBrowserLawFile_NavigateComplete2()
{
    set_style(*brwWebBrowserLawFile);
}

void FrmInitial::LoadHistory()
{
    bool opened = false;
    const QStringList lines = ReadHistoryLines(Paths::Join(m_state.gAppPath, Paths::kHistoryFile), &opened);
    if (!opened)
        return;
    for (const auto& [title, id] : HistoryEntries(*m_state.gAdoConnection, lines)) {
        auto* entry = new QListWidgetItem(title, lsthistory);
        entry->setData(Qt::UserRole, id);
    }
}

void FrmInitial::save_history()
{
    QList<qint32> ids;
    for (int i = 0; i < lsthistory->count(); ++i)
        ids.append(lsthistory->item(i)->data(Qt::UserRole).toInt());
    WriteHistoryFile(Paths::Join(m_state.gAppPath, Paths::kHistoryFile), ids);
}

void FrmInitial::cmdpicsavewholelaw_Click()
{
}

void FrmInitial::addScheduleRootNodes(int index, const SearchMarks& marks, bool fullMode)
{
    FillHierarchy(*m_state.gAdoConnection, *tvwTreeschedule[index], ScheduleHierarchy(), marks, fullMode);
}

void FrmInitial::addScheduleChildren(int index, qint32 parentId, const SearchMarks& marks, bool fullMode)
{
    QSet<qint32> ancestors{parentId};
    AddHierarchyChildren(*m_state.gAdoConnection, *tvwTreeschedule[index], ScheduleHierarchy(), parentId, marks,
                         fullMode, ancestors);
}

void FrmInitial::AddScheduleRootNodes_P(const QList<qint32>& found, int foundCount, bool ancestorsFound,
                                        const QList<qint32>& ancestors, int lastAncestor, bool fullMode)
{
    addScheduleRootNodes(0, {found, foundCount, ancestorsFound, ancestors, lastAncestor}, fullMode);
}

void FrmInitial::AddScheduleRootNodes_N(const QList<qint32>& found, int foundCount, bool ancestorsFound,
                                        const QList<qint32>& ancestors, int lastAncestor, bool fullMode)
{
    addScheduleRootNodes(1, {found, foundCount, ancestorsFound, ancestors, lastAncestor}, fullMode);
}

void FrmInitial::AddChildrenNodesSchedule_P(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                                            const QList<qint32>& init_topid, int l_count_initid)
{
    addScheduleChildren(0, ParentId, {init_topid, l_count_initid, false, a, l_count}, l_init_tree);
}

void FrmInitial::AddChildrenNodesSchedule_N(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                                            const QList<qint32>& init_topid, int l_count_initid)
{
    addScheduleChildren(1, ParentId, {init_topid, l_count_initid, false, a, l_count}, l_init_tree);
}

void FrmInitial::tvwTreeschedule_Click(int Index)
{
    if (QTreeWidgetItem* node = tvwTreeschedule[Index]->SelectedItem()) {
        if (Index == 0)
            ShowScheduleNode_P(node);
        else
            ShowScheduleNode_N(node);
    } else {
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        brwWebBrowser2->Navigate(PageBrowser::kBlank);
        rtbWord->setPlainText(QString());
        cmdpicWordlaw->setIcon(imListDocuments->picture(DocumentImageIndex(QStringLiteral("0"))));
    }
    lblDocument->setText(QString());
}

void FrmInitial::tvwTreeschedule_KeyDown(int Index, int KeyCode, int)
{
    if (KeyCode == 38 || KeyCode == 40)
        tvwTreeschedule_Click(Index);
}

void FrmInitial::tvwTreeschedule_MouseUp(int Index, const QPoint& position)
{
    if (!tvwTreeschedule[Index]->HitTest(position))
        tvwTreeschedule[Index]->SetSelectedItem(nullptr);
}

void FrmInitial::ShowScheduleNode_P(QTreeWidgetItem* node)
{
    showScheduleNode(0, node);
}

void FrmInitial::ShowScheduleNode_N(QTreeWidgetItem* node)
{
    showScheduleNode(1, node);
}

void FrmInitial::showScheduleNode(int index, QTreeWidgetItem* node)
{
    const bool first = index == 0;
    const qint32 id = TreeView::Key(node).mid(1).toInt();
    m_state.gLawNodeKind.clear();
    toggleNode(*tvwTreeschedule[index], node);
    ignoringErrors([this] {
        rtbWord->setVisible(false);
        rtbWord->setEnabled(false);
    });
    cmdpicprintabstr->setVisible(true);
    if (first) {
        gDocumentType.clear();
        ignoringErrors([this] { cmdpicWordlaw->setIcon(imListDocuments->picture(DocumentImageIndex(QStringLiteral("0")))); });
    }

    const ScheduleNodePage page = BuildScheduleNodePage(*m_state.gAdoConnection, id);
    brwWebBrowser2->Navigate(PageBrowser::kBlank);
    switch (page.outcome) {
    case ScheduleNodePage::Outcome::NoAbstracts:
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        break;
    case ScheduleNodePage::Outcome::StoredDocument:
        brwWebBrowser1->setVisible(false);
        brwWebBrowser2->setVisible(false);
        if (!SaveBlobBodyFile(DocumentSql::ScheduleAbstractDocument(page.documentAbstractId)).isEmpty())
            cmdpicprintabstr->setVisible(false);
        return;
    case ScheduleNodePage::Outcome::FirstAbstractNull:
        brwWebBrowser1->setVisible(true);
        brwWebBrowser2->setVisible(true);
        brwWebBrowser1->Navigate(PageBrowser::kBlank);
        gScheduleAbstract = 0;
        return;
    case ScheduleNodePage::Outcome::Built:
        brwWebBrowser1->setVisible(true);
        brwWebBrowser2->setVisible(true);
        gScheduleAbstract = 1;
        break;
    }
    brwWebBrowser1->SetBodyHtml(page.html);
    if (first) {
        m_state.gLawId = 0;
        m_state.gLawIdThemata = 0;
    }
    set_style(*brwWebBrowser1);
}

QString FrmInitial::SaveBlobBodyFile(const QString& query)
{
    return WriteBlobFile(*m_state.gAdoConnection, query, m_state.gTempPath + QStringLiteral("BlobBody.rtf"));
}

QString FrmInitial::SaveBlobSubBodyFile(const QString& query, const QString& type, ProgressControl* progress)
{
    return WriteBlobFile(*m_state.gAdoConnection, query, m_state.gTempPath + QStringLiteral("BlobSubBody.") + type,
                         [this, progress] {
                             if (progress) {
                                 const double elapsed = SecondsSinceMidnight() - m_state.gBlobStartTime;
                                 progress->UpdateStatus(BlobProgressFraction(elapsed), false);
                             }
                         });
}

void FrmInitial::wireSearchBox(QLineEdit* box, int buttonIndex)
{
    box->setProperty("searchButton", buttonIndex);
    box->installEventFilter(this);
    connect(box, &QLineEdit::returnPressed, this, [this] {
        if (m_defaultSearch)
            m_defaultSearch->click();
    });
}

bool FrmInitial::eventFilter(QObject* watched, QEvent* event)
{
    const QVariant button = watched->property("searchButton");
    if (button.isValid() && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        QPushButton* b = cmdsearch[button.toInt()];
        if (event->type() == QEvent::FocusIn) {
            m_defaultSearch = b;
            b->setDefault(true);
        } else if (m_defaultSearch == b) {
            m_defaultSearch = nullptr;
            b->setDefault(false);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmInitial::cmdsearch_Click(int Index)
{
    m_platform.setHourglass(true);
    struct Default {
        Platform& p;
        ~Default() { p.setHourglass(false); }
    } pointerBack{m_platform};

    auto blank = [](std::initializer_list<PageBrowser*> pages) {
        for (PageBrowser* b : pages)
            b->Navigate(PageBrowser::kBlank);
    };
    auto emptied = [](TreeView* tree) {
        if (tree->Count() > 0 || tree->topLevelItemCount() > 0)
            tree->Clear();
    };
    for (int i = 0; i < 2; ++i) {
        // Index 0 of the schedule trees is the _P tree, 1 the _N tree.
        const bool current = i == 0 ? gOnTabOrganogramma_P : gOnTabOrganogramma_N;
        if (Index != 0 || !current)
            continue;
        const QString text = Jet::Trim(txtsearchSchedule[i]->text());
        emptied(tvwTreeschedule[i]);
        blank({brwWebBrowser3, brwWebBrowser1, brwWebBrowser2});
        if (text.isEmpty())
            addScheduleRootNodes(i, {}, true);
        else
            scheduleSearch(i, text);
    }
    if (Index == 0 && gOnTabThemata) {
        const QString text = Jet::Trim(txtsearch[0]->text());
        blank({brwWebBrowser1, brwWebBrowser2});
        TreeView_with_search_titles(text);
    }
    if (Index == 1 && gOnTabThemata) {
        const QString text = Jet::Trim(txtsearch[1]->text());
        emptied(tvwTree);
        blank({brwWebBrowser1, brwWebBrowser2});
        if (text.isEmpty())
            AddTopicRootNodes({}, 0, false, {}, 0, true);
        else
            TreeView_with_search(text, true);
    }
    if (gOnTabNomoi && (Index == 0 || Index == 1)) {
        // Button 0 searches the titles, button 1 the keywords.
        const QString text = Jet::Trim(txtsearchlaw[Index]->text());
        emptied(tvwTreelaw);
        blank({brwWebBrowser3});
        if (text.isEmpty())
            AddlawTypeNodes({}, 0, {}, 0, true);
        else
            TreeView_with_law_search(text, Index == 1);
    }
}

void FrmInitial::TreeView_with_search(const QString& l_text, bool pKeyWords)
{
    m_platform.setHourglass(true);
    static const SearchCriteria criteria;
    const QString cond = pKeyWords
        ? criteria.BuildSearchCondition(QStringLiteral("KEYS.descr"), FoldSearchText(l_text), 5, 0, 0, 0, QString()).trimmed()
        : criteria.BuildSearchCondition(QStringLiteral("ucase(topic.descr)"), Jet::UCase(l_text), 5, 0, 0, 0, QString()).trimmed();
    const QString query = pKeyWords ? SearchSql::TopicKeywords(cond) : SearchSql::TopicTitles(cond);
    const SearchMarks marks = CollectHierarchyHits(*m_state.gAdoConnection, query, u"topic_id", u"topic_id_parent",
                                                   &SearchSql::TopicAncestor);
    AddTopicRootNodes(marks.found, marks.foundCount, marks.expandTopLevel, marks.expand, marks.expandLast, false);
    m_platform.setHourglass(false);
}

void FrmInitial::TreeView_with_search_titles(const QString& l_text)
{
    m_platform.setHourglass(true);
    MarkMatchingTitles(*tvwTree, l_text);
    m_platform.setHourglass(false);
}

void FrmInitial::TreeView_with_law_search(const QString& l_text, bool pKeyWords)
{
    static const SearchCriteria criteria;
    const QString cond = pKeyWords
        ? criteria.BuildSearchCondition(QStringLiteral("KEYS.descr"), FoldSearchText(l_text), 5, 0, 0, 0, QString()).trimmed()
        : criteria.BuildSearchCondition(QStringLiteral("law.title"), l_text, 5, 0, 0, 0, QString()).trimmed();
    const LawHits hits = CollectLawHits(*m_state.gAdoConnection,
                                        pKeyWords ? SearchSql::LawKeywords(cond) : SearchSql::LawTitles(cond));
    AddlawTypeNodes(hits.laws, static_cast<int>(hits.laws.size()), hits.types, static_cast<int>(hits.types.size()), false);
}

void FrmInitial::scheduleSearch(int index, const QString& l_text)
{
    static const SearchCriteria criteria;
    const QString cond = criteria.BuildSearchCondition(QStringLiteral("Schedule.descr"), l_text, 5, 0, 0, 0, QString()).trimmed();
    const SearchMarks marks = CollectHierarchyHits(*m_state.gAdoConnection, SearchSql::Schedule(cond), u"Schedule_id",
                                                   u"Schedule_id_parent", &SearchSql::ScheduleAncestor);
    addScheduleRootNodes(index, marks, false);
}

void FrmInitial::TreeView_with_Schedule_search_P(const QString& l_text)
{
    scheduleSearch(0, l_text);
}

void FrmInitial::TreeView_with_Schedule_search_N(const QString& l_text)
{
    scheduleSearch(1, l_text);
}
