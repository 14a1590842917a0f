#include "mainwindow/FrmInitial.h"

#include "documents/CommonDialog.h"
#include "mainwindow/Controls.h"
#include "mainwindow/Pictures.h"
#include "pages/PageBrowser.h"
#include "startup/Edition.h"
#include "startup/ErrorReport.h"
#include "startup/Program.h"
#include "startup/Platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

const QString FrmInitial::kTopics = QStringLiteral("Θέματα");
const QString FrmInitial::kLegislation = QStringLiteral("Νομοθετήματα");
const QString FrmInitial::kOrganisation = QStringLiteral("Οργανόγραμμα");
const QString FrmInitial::kDocumentGuide = QStringLiteral("Οδηγός Εγγράφων");
const QString FrmInitial::kHistory = QStringLiteral("Ιστορικό");

namespace {

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
        cmdtoolbar[i] = PictureButton(sspToolbar, indexed("cmdtoolbar", i), toolbarIcons[i], toolbarTexts[i]);
    cmdFullText = PictureButton(sspToolbar, QStringLiteral("cmdFullText"), Pictures::SearchTexts(),
                                QStringLiteral("Αναζήτηση στα κείμενα (Ctrl+Shift+F)"));
    lblFullText = label(sspToolbar, QStringLiteral("lblFullText"), QString());

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
    // The tab's brown text on the tab's brown is too faint to read; the
    // labels take a darker brown of the same hue (over 5:1).
    for (QFrame* f : {frSearch, frsearchlaw, frSearchSchedule[0], frSearchSchedule[1]}) {
        QPalette p = f->palette();
        p.setColor(QPalette::WindowText, QColor(62, 38, 28));
        f->setPalette(p);
    }

    lsthistory = new QListWidget(SSTab1->page(4));
    lsthistory->viewport()->setProperty("historyTips", true);
    lsthistory->viewport()->installEventFilter(this);
    lsthistory->setObjectName(QStringLiteral("lsthistory"));

    for (int i = 0; i < 2; ++i) {
        cmdsearch[i] = new QPushButton(QStringLiteral("Αναζήτηση"), client);
        cmdsearch[i]->setObjectName(indexed("cmdsearch", i));
    }

    picDrag = new SplitterBar(QStringLiteral("picDrag"), Qt::SizeHorCursor, client);
    picDrag2 = new SplitterBar(QStringLiteral("picDrag2"), Qt::SizeVerCursor, client);

    sspAbstract = new Panel(QStringLiteral("sspAbstract"), client);
    cmdpiclawhist = PictureButton(sspAbstract, QStringLiteral("cmdpiclawhist"), Pictures::Print(),
                                  QStringLiteral("Εκτύπωση Τρέχοντος Νομοθετήματος"));
    cmdpicsavewholelaw = PictureButton(sspAbstract, QStringLiteral("cmdpicsavewholelaw"), Pictures::SaveToHistory(),
                                       QStringLiteral("Αποθήκευση Τρέχοντος Νομοθετήματος στο Ιστορικό"));
    cmdpicprintabstr = PictureButton(sspAbstract, QStringLiteral("cmdpicprintabstr"), Pictures::Print(),
                                     QStringLiteral("Εκτύπωση Τρέχουσας Περίληψης"));
    Cmddelete = PictureButton(sspAbstract, QStringLiteral("Cmddelete"), Pictures::Delete(),
                              QStringLiteral("Διαγραφή από τη λίστα Ιστορικού του Επιλεγμένου Νομοθετήματος"));

    sspLaw = new Panel(QStringLiteral("sspLaw"), client);
    cmdpichistory = PictureButton(sspLaw, QStringLiteral("cmdpichistory"), Pictures::SaveToHistory(),
                                  QStringLiteral("Αποθήκευση Τρέχοντος Νομοθετήματος στο Ιστορικό"));
    cmdpiclaw = PictureButton(sspLaw, QStringLiteral("cmdpiclaw"), Pictures::Print(),
                              QStringLiteral("Εκτύπωση Τρέχοντος Νομοθετήματος"));
    cmdpicWordlaw = PictureButton(sspLaw, QStringLiteral("cmdpicWordlaw"), imListDocuments->picture(3),
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
    rtbAbstract = new RichTextBox(QStringLiteral("rtbAbstract"), client);
    for (RichTextBox* box : {rtbWord, rtbWordLaw, rtbWordLawTopic, rtbAbstract}) {
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
    connect(cmdFullText, &QToolButton::clicked, this, [this] { guarded([this] { OpenFullTextWindow(); }); });
    // The keys of any program with tabs and a help page.
    for (const auto& [keys, step] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                     {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                     {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                                     {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                                     {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        auto* tab = new QShortcut(keys, this);
        connect(tab, &QShortcut::activated, this, [this, step = step] { guarded([=, this] { moveTab(step); }); });
    }
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { guarded([this] { cmdtoolbar_Click(0); }); });
    auto* remove = new QShortcut(QKeySequence::Delete, lsthistory, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] { guarded([this] { Cmddelete_Click(); }); });
    auto* searchTexts = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), this);
    connect(searchTexts, &QShortcut::activated, this, [this] { guarded([this] { OpenFullTextWindow(); }); });

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
    connect(cmdpiclaw, &QToolButton::clicked, this, [this] { guarded([this] { cmdpiclaw_Click(); }); });
    connect(cmdpiclawhist, &QToolButton::clicked, this, [this] { guarded([this] { cmdpiclawhist_Click(); }); });
    connect(cmdpicprintabstr, &QToolButton::clicked, this, [this] { guarded([this] { cmdpicprintabstr_Click(); }); });
    connect(cmdpichistory, &QToolButton::clicked, this, [this] { guarded([this] { cmdpichistory_Click(); }); });
    connect(cmdpicsavewholelaw, &QToolButton::clicked, this, [this] { guarded([this] { cmdpicsavewholelaw_Click(); }); });
    connect(Cmddelete, &QToolButton::clicked, this, [this] { guarded([this] { Cmddelete_Click(); }); });
    // A click shows its entry even when it is the current one already; the
    // arrow keys show the entry they move to.
    connect(lsthistory, &QListWidget::itemClicked, this, [this] { guarded([this] { lsthistory_Click(); }); });
    connect(lsthistory, &QListWidget::currentItemChanged, this, [this] {
        if (QApplication::mouseButtons() == Qt::NoButton)
            guarded([this] { lsthistory_Click(); });
    });
    connect(cmdpicWordlaw, &QToolButton::clicked, this, [this] { guarded([this] { cmdpicWordlaw_Click(); }); });
    connect(cmbLawsAbstracts, &QComboBox::activated, this, [this](int index) {
        guarded([=, this] { cmbLawsAbstracts_Click(index); });
    });
    // A blank law page names no law, so neither does the related-topics list.
    connect(brwWebBrowser3, &PageBrowser::NavigateComplete2, this, [this](const QString& url) {
        if (url == PageBrowser::kBlank)
            cmbLawsAbstracts->clear();
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

void FrmInitial::moveTab(int step)
{
    QList<int> visible;
    for (int i = 0; i < SSTab1->count(); ++i)
        if (SSTab1->TabVisible(i))
            visible << i;
    if (visible.size() < 2)
        return;
    const qsizetype at = std::max<qsizetype>(0, visible.indexOf(SSTab1->Tab()));
    SSTab1->setTab(visible[(at + step + visible.size()) % visible.size()]);
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
