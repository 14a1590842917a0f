#include "mainwindow/FrmInitial.h"

#include "data/Database.h"
#include "data/JetFunctions.h"
#include "documents/HandedFiles.h"
#include "mainwindow/Controls.h"
#include "mainwindow/LawTreeFill.h"
#include "mainwindow/WindowMemory.h"
#include "pages/PageBrowser.h"
#include "pages/ReadingSetup.h"
#include "startup/Edition.h"
#include "startup/FrmWait.h"
#include "startup/Paths.h"
#include "startup/Platform.h"
#include "startup/Program.h"
#include "startup/Registry.h"
#include "mainwindow/TreeSql.h"
#include "windows/FrmSetSysParam.h"
#include "windows/FrmSystemInfo.h"
#include "windows/StartupSwitch.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QScreen>

#include <algorithm>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

void FrmInitial::Form_Load()
{
    const Database::ReadTransaction reading(*m_state.gAdoConnection);
    gLoading = true;
    if (FrmWait* wait = m_program.frmWait()) {
        wait->show();
        m_platform.repaintNow(*wait);
    }
    m_platform.setHourglass(true);

    m_state.gDaoDatabase.reset();
    m_state.gDaoWorkspace.clear();

    setWindowTitle(m_state.gAppTitle + QStringLiteral("  ") + Edition::kMakersMark);

    const QString help = m_state.gAppPath + QStringLiteral("/help");
    for (PageBrowser* page : {brwWebBrowser1, brwWebBrowser2, brwWebBrowser3, brwWebBrowserLawFile})
        page->setLinkPolicy({help}, [this](const QUrl& url) { m_platform.openUrl(url); });
    // Stored html documents name their pictures as the help folder holds them.
    brwWebBrowserLawFile->setPictureFolders({help});
    SetUpReadingViews(m_program, *this, {brwWebBrowser1, brwWebBrowser2, brwWebBrowser3, brwWebBrowserLawFile},
                      {rtbWord, rtbWordLaw, rtbWordLawTopic, rtbAbstract});

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
        // The legislation tab is not the first shown: its tree is read once
        // the window is up (in idle time, or at once when the tab is chosen
        // or a law is looked up in it).
        auto types = std::make_shared<std::deque<QTreeWidgetItem*>>();
        auto started = std::make_shared<bool>(false);
        tvwTreelaw->SetPending(tvwTreelaw->invisibleRootItem(), [this, types, started](QTreeWidgetItem*, const TreeView::Budget& budget) {
            if (!std::exchange(*started, true))
                for (QTreeWidgetItem* type : AddLawTypesLazily(*m_state.gAdoConnection, m_sqlTools, *tvwTreelaw, {}, 0, {}, 0, true))
                    types->push_back(type);
            // Each type with its first law, so that it shows its expander.
            while (!types->empty() && !budget.until.hasExpired()) {
                tvwTreelaw->FillNode(types->front(), true);
                types->pop_front();
            }
            return types->empty();
        });
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
    ignoringErrors([this] {
        if (const auto kept = StartupSwitch::UserValue(m_platform.registry())) {
            if (*kept == 0)
                m_program.loadFrmSystemInfo().ShowModeless();
            return;
        }
        Recordset rs = m_state.gAdoConnection->execute(TreeSql::SysInfoDisplay());
        if (!rs.eof() && rs.toLong(u"sys_info_display") == 0 && !rs.isNull(u"sys_info_display"))
            m_program.loadFrmSystemInfo().ShowModeless();
        rs.close();
    });
    ignoringErrors([this] {
        DeleteTempFiles();
        RemoveHandedCopies(m_state.gTempPath);
    });

    gLoading = false;
    m_program.unloadFrmWait();
    m_platform.setHourglass(false);
    FitToScreen();
    const std::optional<WindowMemory> memory = restoreWindowMemory();
    show();
    // The splitters once the window has its size, which their rules read.
    if (memory)
        restoreSplitters(*memory);
    // The welcome page was opened before the window showed; it stays in front.
    if (FrmSystemInfo* info = m_program.frmSystemInfo())
        info->ShowModeless();

    SSTab1_Click(0);
    for (QLineEdit* box : {txtsearchSchedule[0], txtsearchSchedule[1], txtsearch[0], txtsearch[1], txtsearchlaw[0], txtsearchlaw[1]})
        box->clear();
    m_platform.setHourglass(false);
    scheduleTreeFill();
    scheduleFullTextIndex();
}

void FrmInitial::SSTab1_Click(int)
{
    cmdpicprintabstr->setVisible(true);
    ignoringErrors([this] {
        for (RichTextBox* box : {rtbWord, rtbWordLawTopic, rtbWordLaw, rtbAbstract}) {
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
        // Back on a tab, its tree stays open and closed as it was left.
        if (usesSecondSchedule()) {
            gOnTabOrganogramma_N = true;
            m_state.gLawId = m_state.gLawIdOrganogramma_N;
            showKeepingOpenState([this] { tvwTreeschedule_Click(1); });
            txtsearchSchedule[1]->setFocus();
        } else {
            gOnTabOrganogramma_P = true;
            m_state.gLawId = m_state.gLawIdOrganogramma_P;
            showKeepingOpenState([this] { tvwTreeschedule_Click(0); });
            txtsearchSchedule[0]->setFocus();
        }
    } else if (c == kHistory) {
        brwWebBrowser3->Navigate(PageBrowser::kBlank);
        lsthistory->setFocus();
    } else if (c == kTopics) {
        gOnTabThemata = true;
        const qint32 lawShown = m_state.gLawIdThemata;
        m_state.gLawId = lawShown;
        txtsearch[0]->setFocus();
        showKeepingOpenState([this] { tvwTree_Click(); });
        // The law the topic's link showed below it comes back too.
        if (lawShown != 0 && tvwTree->SelectedItem()) {
            bool cancel = false;
            brwWebBrowser1_BeforeNavigate2(QStringLiteral("#") + QString::number(lawShown), cancel);
        }
    } else if (c == kLegislation) {
        ignoringErrors([this] { tvwTreelaw->FillNode(tvwTreelaw->invisibleRootItem()); });
        gOnTabNomoi = true;
        m_state.gLawId = m_state.gLawIdNomoi;
        txtsearchlaw[0]->setFocus();
        showKeepingOpenState([this] { tvwTreelaw_Click(); });
        if (m_state.gLawNodeKind == QLatin1String("p") && m_state.gLawIdNomoi != 0)
            showNomoiLaw();
    }
    // Another tab's count would speak of a tree not shown.
    showSearchCount(false);
}

void FrmInitial::showNomoiLaw()
{
    // A type folder is selected: its tab shows the law it showed before.
    const QString kind = std::exchange(m_state.gLawNodeKind, QString());
    m_state.gLawId = m_state.gLawIdNomoi;
    navigate_to_hotbrowser(QStringLiteral("not_history"), false);
    ShowPageHtml(*brwWebBrowser3);
    m_state.gLawNodeKind = kind;
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
    // On the schedule tabs it prints the template shown; without it there
    // would be no way to print one.
    cmdpiclaw->setVisible(topics || schedule);
    cmdpicWordlaw->setVisible(schedule);
    ApplyLayout();

    // The tab's own order, with what else is on screen where it sits: the
    // toolbar above it, the page views after the buttons of their panels.
    const QList<QWidget*> toolbar{cmdFullText, cmdtoolbar[0], cmdtoolbar[1], cmdtoolbar[2], cmdtoolbar[3]};
    if (topics) {
        SetTabOrder(toolbar + QList<QWidget*>{txtsearch[0], cmdsearch[0], txtsearch[1], cmdsearch[1], tvwTree,
                                              cmdpicprintabstr, brwWebBrowser1, cmdpiclaw, cmdpichistory,
                                              brwWebBrowser2, rtbWordLawTopic, brwWebBrowserLawFile});
    } else if (legislation) {
        SetTabOrder(toolbar + QList<QWidget*>{txtsearchlaw[0], cmdsearch[0], txtsearchlaw[1], cmdsearch[1],
                                              cmbLawsAbstracts, tvwTreelaw, cmdpiclawhist, cmdpicsavewholelaw,
                                              brwWebBrowser3, rtbWordLaw, brwWebBrowserLawFile});
    } else if (schedule) {
        const int i = usesSecondSchedule() ? 1 : 0;
        SetTabOrder(toolbar + QList<QWidget*>{txtsearchSchedule[i], cmdsearch[0], cmdsearch[1], tvwTreeschedule[i],
                                              cmdpicprintabstr, brwWebBrowser1, rtbAbstract, cmdpiclaw, cmdpichistory,
                                              cmdpicWordlaw, brwWebBrowser2, rtbWord});
    } else if (history) {
        SetTabOrder(toolbar + QList<QWidget*>{lsthistory, cmdpiclawhist, Cmddelete, brwWebBrowser3, rtbWordLaw,
                                              brwWebBrowserLawFile});
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
    case 0: ShowHelpWindow(m_program); break;
    case 1: ShowAboutWindow(m_program); break;
    case 2: OpenSettingsWindow(); break;
    case 3: ExitApplication(); break;
    default: break;
    }
}

void FrmInitial::OpenSettingsWindow()
{
    FrmSetSysParam& settings = m_program.loadFrmSetSysParam();
    // Each opening shows what is stored now.
    settings.Form_Load();
    std::optional<qint32> value = StartupSwitch::UserValue(m_platform.registry());
    if (!value) {
        Recordset rs = m_state.gAdoConnection->execute(TreeSql::SysInfoDisplayForSettings());
        if (!rs.eof())
            value = rs.toLong(u"sys_info_display");
    }
    if (value)
        settings.chksysdisp1->setCheckState(*value == 1 ? Qt::Checked : *value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    settings.ShowModeless();
}

void FrmInitial::ExitApplication()
{
    m_program.unloadAuxiliaryWindows();
    close();
}

void FrmInitial::Form_Unload()
{
    m_unloaded = true;
    // What the trees had still to read is given up, its statements closed.
    for (TreeView* tree : {tvwTree, tvwTreelaw, tvwTreeschedule[0], tvwTreeschedule[1]})
        tree->DropPending();
    keepWindowMemory();
    save_history();
    m_program.unloadAuxiliaryWindows();
    DeleteTempFiles();
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
