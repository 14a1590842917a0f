#pragma once

#include "mainwindow/HierarchyFill.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/Twips.h"
#include "data/SqlTools.h"
#include "history/HistoryFile.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class CommonDialog;
class ImageList;
class PageBrowser;
class Panel;
class Platform;
class Program;
class ProgressControl;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class QTreeWidgetItem;
class RichTextBox;
class SplitterBar;
class SSTab;
class TreeView;
struct AppState;
namespace FullText {
struct Hit;
}

// The main window: it lives for the whole run, and closing it ends the program.
class FrmInitial : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmInitial(Program& program, QWidget* parent = nullptr);
    ~FrmInitial() override;

    // Loads the window and shows it.
    void Show();

    // Tab captions the routines tell tabs apart by.
    static const QString kTopics;
    static const QString kLegislation;
    static const QString kOrganisation;
    static const QString kDocumentGuide;
    static const QString kHistory;

    // --- controls ---
    QWidget* client;
    SSTab* SSTab1;
    TreeView* tvwTree;
    TreeView* tvwTreelaw;
    TreeView* tvwTreeschedule[2];
    QListWidget* lsthistory;
    QFrame* frSearch;
    QFrame* frsearchlaw;
    QFrame* frSearchSchedule[2];
    QLineEdit* txtsearch[2];
    QLineEdit* txtsearchlaw[2];
    QLineEdit* txtsearchSchedule[2];
    QLabel* lblsearch[2];
    QLabel* lblsearchlaw[3];
    QLabel* lblsearchschedule[2];
    QPushButton* cmdsearch[2];
    QComboBox* cmbLawsAbstracts;
    PageBrowser* brwWebBrowser1;
    PageBrowser* brwWebBrowser2;
    PageBrowser* brwWebBrowser3;
    PageBrowser* brwWebBrowserLawFile;
    RichTextBox* rtbWord;
    RichTextBox* rtbWordLaw;
    RichTextBox* rtbWordLawTopic;
    // An entry of the document guide whose guidance is a stored document,
    // shown where the entry's page would be.
    RichTextBox* rtbAbstract;
    Panel* sspLaw;
    QToolButton* cmdpichistory;
    QToolButton* cmdpiclaw;
    QToolButton* cmdpicWordlaw;
    QLabel* lbllaw;
    QLabel* lblDocument;
    Panel* sspAbstract;
    QToolButton* cmdpiclawhist;
    QToolButton* cmdpicsavewholelaw;
    QToolButton* cmdpicprintabstr;
    QToolButton* Cmddelete;
    Panel* sspToolbar;
    QToolButton* cmdtoolbar[4];
    // The search in every text, and how its index is coming on.
    QToolButton* cmdFullText;
    QLabel* lblFullText;
    QLabel* imLogoStrech;
    QLabel* imLogo;
    QLabel* imLogoTarvoP;
    QLabel* imLogoTarvoN;
    ImageList* imListTree;
    ImageList* imListDocuments;
    ImageList* imListReports;
    SplitterBar* picDrag;
    SplitterBar* picDrag2;
    ProgressControl* ProgressBar1;
    CommonDialog* cdPrintRTF;

    // --- public members ---
    bool gOnTabThemata = false;
    bool gOnTabNomoi = false;
    bool gOnTabOrganogramma_P = false;
    bool gOnTabOrganogramma_N = false;
    bool wIsSchedule = false;
    qint16 gAbstract = 0;
    qint16 gScheduleAbstract = 0;
    bool gLoading = false;

    // The geometry the layout rules keep, in twips.
    MainLayout layout;

    // --- routines ---
    void SSTab1_Click(int PreviousTab);
    void ArrangeTab();
    void SetTabOrder(const QList<QWidget*>& controls);
    void cmdtoolbar_Click(int Index);
    void OpenSettingsWindow();
    void ExitApplication();
    void Form_Resize();
    void picDrag_MouseMove(int Button, int Shift, int x, int y);
    void picDrag2_MouseMove(int Button, int Shift, int x, int y);

    void AddTopicRootNodes(const QList<qint32>& found, int foundCount, bool expandFlag,
                           const QList<qint32>& expand, int expandLast, bool fullMode);
    void AddChildrenNodes(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                          const QList<qint32>& init_topid, int l_count_initid);
    void tvwTree_Click();
    void tvwTree_KeyDown(int KeyCode);
    void tvwTree_KeyPress(int KeyAscii);
    void tvwTree_MouseUp(const QPoint& position);
    // A topic picked in the related-topics list: shown on the topics tab,
    // selected, with its branch open.
    void cmbLawsAbstracts_Click(int index);
    void ShowTopicPage(QTreeWidgetItem* node);

    void set_style(PageBrowser& my_browser);
    // Writes gPageHtml, its pictures redirected, into the page and styles it;
    // an empty gPageHtml leaves the page as it was.
    void ShowPageHtml(PageBrowser& target);

    void AddlawTypeNodes(const QList<qint32>& foundLaws, int foundLawCount, const QList<qint32>& foundTypes,
                         int foundTypeCount, bool fullMode);
    void AddlawChildrenNodes(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                             const QList<qint32>& init_topid, int l_count_initid);
    void ShowLawNode(QTreeWidgetItem* node);
    void tvwTreelaw_Click();
    void tvwTreelaw_DblClick();
    void tvwTreelaw_KeyDown(int KeyCode);
    void tvwTreelaw_MouseUp(const QPoint& position);

    // Builds the page of the current law (or of the selected history entry)
    // into gPageHtml and lists the topics linked to it.
    void navigate_to_hotbrowser(const QString& brwname, bool HotBrowser);
    // The same for a template of the document guide.
    void navigate_to_hotbrowserSchedule(const QString& brwname);
    void PlaceAtBottom(QWidget* control, const QRect& reference, bool visible);
    void ShowLawFile(qint32 LawId, bool HotBrowser);
    void ShowScheduleFile(qint32 id, QString& html);

    void brwWebBrowser1_BeforeNavigate2(const QString& URL, bool& Cancel);
    // The law pages of the main window; both open the law viewer.
    void brwLawPage_BeforeNavigate2(const QString& URL, bool& Cancel);
    void brwWebBrowser3_GotFocus();
    void brwWebBrowserLawFile_NavigateComplete2();

    // The schedule trees: the _P routines serve tvwTreeschedule(0), the _N
    // routines tvwTreeschedule(1); each pair is one routine.
    void AddScheduleRootNodes_P(const QList<qint32>& found, int foundCount, bool ancestorsFound,
                                const QList<qint32>& ancestors, int lastAncestor, bool fullMode);
    void AddScheduleRootNodes_N(const QList<qint32>& found, int foundCount, bool ancestorsFound,
                                const QList<qint32>& ancestors, int lastAncestor, bool fullMode);
    void AddChildrenNodesSchedule_P(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                                    const QList<qint32>& init_topid, int l_count_initid);
    void AddChildrenNodesSchedule_N(qint32 ParentId, const QList<qint32>& a, int l_count, bool l_init_tree,
                                    const QList<qint32>& init_topid, int l_count_initid);
    void tvwTreeschedule_Click(int Index);
    void tvwTreeschedule_KeyDown(int Index, int KeyCode, int Shift);
    void tvwTreeschedule_MouseUp(int Index, const QPoint& position);
    void ShowScheduleNode_P(QTreeWidgetItem* node);
    void ShowScheduleNode_N(QTreeWidgetItem* node);
    QString gDocumentType;

    // Searches.
    void cmdsearch_Click(int Index);
    void TreeView_with_search(const QString& l_text, bool pKeyWords);
    void TreeView_with_search_titles(const QString& l_text);
    void TreeView_with_law_search(const QString& l_text, bool pKeyWords);
    void TreeView_with_Schedule_search_P(const QString& l_text);
    void TreeView_with_Schedule_search_N(const QString& l_text);

    // The search in every text: its window, with the words given; a result
    // opened where the program shows it, the forms found marked.
    void OpenFullTextWindow(const QString& text = QString());
    // Returns the window it shows in.
    QWidget* OpenFullTextHit(const FullText::Hit& hit, const QString& shown, const QStringList& forms);
    // Starts the index now, or once the window is idle.
    void startFullTextIndex();
    void scheduleFullTextIndex();
    // The trees read what they have not read yet in idle time, a step of
    // at most 10 ms at a time, while the window answers its events.
    void scheduleTreeFill();
    void fillTreesStep();
    void LoadHistory();
    void save_history();
    void cmdpichistory_Click();
    void cmdpicsavewholelaw_Click();
    void lsthistory_Click();
    void Cmddelete_Click();

    // Attached documents.
    QString SaveBlobSubBodyFile(const QString& query, const QString& type, ProgressControl* progress);
    QString SaveBlobBodyFile(const QString& query);
    void UpdateBlobProgress(ProgressControl* progress);
    bool StartOfficeApplication(const QString& type, bool Visible);
    // What the document button opens a document of the type with, by the
    // name the user knows it.
    QString documentOpener(const QString& type) const;
    void cmdpicWordlaw_Click();
    void DeleteTempFiles();

    // Printing.
    void cmdpiclaw_Click();
    void cmdpiclawhist_Click();
    void cmdpicprintabstr_Click();

    // Twips of the client area.
    int ScaleWidth() const;
    int ScaleHeight() const;
    Twips twips() const;
    // Applies the kept geometry to the widgets.
    void ApplyLayout();
    // What the tab control needs for its tab row and search row, in twips.
    int MinimumTabWidth() const;
    // The first size and place: within the available screen, never smaller
    // than the layout needs.
    void FitToScreen();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void wireEvents();
    void Form_Load();
    void Form_Activate();
    void Form_Deactivate();
    void Form_Unload();
    // Runs an event handler under the top-level error report.
    void guarded(const std::function<void()>& handler);
    // Runs a load step; a failure skips it.
    void ignoringErrors(const std::function<void()>& step);
    LayoutTab currentLayoutTab() const;
    bool isScheduleCaption(const QString& caption) const;
    bool usesSecondSchedule() const;
    void toggleNode(TreeView& tree, QTreeWidgetItem* node);

    qint32 historyLawId() const;
    HistoryStore historyStore() const;
    // Adds gLawId to the history unless it is there already.
    void keepInHistory();
    void printTemplate();
    void addScheduleRootNodes(int index, const SearchMarks& marks, bool fullMode);
    void addScheduleChildren(int index, qint32 parentId, const SearchMarks& marks, bool fullMode);
    void showScheduleNode(int index, QTreeWidgetItem* node);
    void scheduleSearch(int index, const QString& l_text);
    // Enter in a search box starts the search of the button it belongs to.
    void wireSearchBox(QLineEdit* box, int buttonIndex);
    bool eventFilter(QObject* watched, QEvent* event) override;
    QPushButton* m_defaultSearch = nullptr;

    Program& m_program;
    AppState& m_state;
    SqlTools m_sqlTools;
    Platform& m_platform;
    bool m_unloaded = false;
    // While set, showing a node's page leaves its branch open or closed as
    // it is: arrow keys and returns to a tab only show.
    bool m_keepOpenState = false;
    bool m_treeFillQueued = false;
    void showKeepingOpenState(const std::function<void()>& show);
    void showNomoiLaw();
    // How many nodes the current tab's last search marked, on the status
    // line; the text index's own word, while it has one, stays unless a
    // search asks.
    void showSearchCount(bool overIndex = true);
    // A law's print, with its number and title on every page.
    void printLaw(qint32 lawId, class QTextEdit& text, PageBrowser& page);
    // The window's place, size and splitters, kept between runs.
    void keepWindowMemory();
    std::optional<struct WindowMemory> restoreWindowMemory();
    void restoreSplitters(const struct WindowMemory& memory);
    // The next (1) or previous (-1) visible tab, round.
    void moveTab(int step);
    // A history file the load stopped short of, kept aside at the first save.
    QString m_historyToKeep;
};
