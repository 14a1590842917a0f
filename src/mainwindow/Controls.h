#pragma once

#include <QFrame>
#include <QHash>
#include <QIcon>
#include <QProgressBar>
#include <QTabBar>
#include <QTextEdit>
#include <QDeadlineTimer>
#include <QTreeWidget>

#include <deque>
#include <functional>
#include <vector>

// Controls of the windows that Qt has no exact counterpart for.

// Keyed pictures; keys may be empty, indexes start at 1.
class ImageList : public QObject {
    Q_OBJECT
public:
    explicit ImageList(const QString& name, QObject* parent = nullptr);
    void add(const QString& key, const QIcon& picture);
    QIcon picture(const QString& key) const;
    QIcon picture(int index) const;
    int count() const { return static_cast<int>(m_pictures.size()); }

private:
    QList<QPair<QString, QIcon>> m_pictures;
};

// A tree whose nodes carry a key, unique in the tree, and the key of their
// picture. Mouse and key events arrive in the order the handlers expect:
// MouseUp before Click, one Click per click, Click not raised by the
// expand buttons.
class TreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TreeView(const QString& name, QWidget* parent = nullptr);
    ~TreeView() override;

    void setImageList(const ImageList* images) { m_images = images; }

    // Adds a node under the node of parentKey (empty: at the top level).
    // Throws when the key is taken or the parent is not in the tree.
    QTreeWidgetItem* Add(const QString& parentKey, const QString& key, const QString& text, const QString& image);
    // The node of the key; a tree with children still unread reads them all first.
    QTreeWidgetItem* Node(const QString& key) const;

    // While a Fill lives, new top-level nodes (and all below them) are built
    // outside the tree and join it in one step when it ends, laid out once;
    // expansions asked for meanwhile are made then, each opened node's
    // children read first (see SetPending). An error that ends a fill early
    // still leaves the nodes added so far in the tree.
    class Fill {
    public:
        explicit Fill(TreeView& tree);
        ~Fill();
        Fill(const Fill&) = delete;
        Fill& operator=(const Fill&) = delete;

    private:
        TreeView& m_tree;
        bool m_outer;
        bool m_updates;
    };
    // Opens or closes a node, now or, during a fill, when the fill ends.
    void SetExpanded(QTreeWidgetItem* node, bool expanded);
    // The nodes, every one read first.
    int Count() const;
    bool Empty() const { return m_nodes.isEmpty() && m_otherNodes.isEmpty(); }
    int CountRead() const { return static_cast<int>(m_nodes.size() + m_otherNodes.size()); }
    // The node of the key if it is read already; nothing is read for it.
    QTreeWidgetItem* NodeIfRead(const QString& key) const { return nodeOf(key); }
    void Clear();

    // A node whose children are not read yet carries the work that reads
    // them. It runs, whole, when the node is opened, for each child of a
    // node opened, when a key is looked up that the tree lacks (Node), or
    // when the rest of the tree is asked for (FillAll); otherwise in idle
    // time, a step at a time (FillStep). The work returns true when done;
    // asked for one node (oneNode), it may stop after adding the first.
    struct Budget {
        QDeadlineTimer until;
        bool oneNode = false;
    };
    using Work = std::function<bool(QTreeWidgetItem* node, const Budget& budget)>;
    void SetPending(QTreeWidgetItem* node, Work work);
    bool HasPending() const { return !m_pending.isEmpty(); }
    // Runs the node's work now (whole, or until it has added a node); an
    // error ends every pending fill of the tree and passes on.
    void FillNode(QTreeWidgetItem* node, bool oneNode = false);
    // Reads the children of every node opened since the fill began, and of
    // their children, so that what shows is whole. Errors pass on.
    void FillOpened();
    // Runs pending work until the deadline; false when none is left. An
    // error ends the tree's pending fills quietly.
    bool FillStep(QDeadlineTimer until);
    // Runs all pending work; errors end it quietly.
    void FillAll();
    void DropPending();

    static QString Key(const QTreeWidgetItem* node);
    static QString Image(const QTreeWidgetItem* node);
    void SetImage(QTreeWidgetItem* node, const QString& image);
    // The image list's picture of the key.
    QIcon Picture(const QString& key) const;

    // The selected node, or null.
    QTreeWidgetItem* SelectedItem() const;
    void SetSelectedItem(QTreeWidgetItem* node);
    QTreeWidgetItem* HitTest(const QPoint& position) const;

    // The found style of a search hit, and the normal style.
    static void SetFoundStyle(QTreeWidgetItem* node);
    // The most characters a node shows of its text.
    static constexpr qsizetype kMaxNodeText = 500;
    // The nodes drawn as found.
    int FoundCount() const;
    static void SetNormalStyle(QTreeWidgetItem* node);
    static bool HasFoundStyle(const QTreeWidgetItem* node);
    // Scrolls the first node in the found style, in tree order, into view.
    void ScrollToFirstFound();

signals:
    void Click();
    void DblClick();
    void KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void KeyPress(int charCode);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The whole title of the node under the pointer.
    bool viewportEvent(QEvent* event) override;

private:
    // The column follows the widest title shown, once events are handled.
    void scheduleColumnFit();
    void fitColumn();
    bool m_fitPending = false;
    bool m_filling = false;
    QList<QTreeWidgetItem*> m_pendingTop;
    QList<QPair<QTreeWidgetItem*, bool>> m_pendingExpand;
    // Work on nodes whose children are unread, and its order (first set,
    // first done, so that the idle fill goes level by level).
    QHash<QTreeWidgetItem*, Work> m_pending;
    std::deque<QTreeWidgetItem*> m_pendingOrder;
    // Nodes opened during a fill, whose children and grandchildren must be read.
    std::vector<QTreeWidgetItem*> m_opened;
    void revealOpened();
    // Nodes by key: a key as the trees make them ("c12345") packed in 64
    // bits, any other by its text.
    QHash<quint64, QTreeWidgetItem*> m_nodes;
    QHash<QString, QTreeWidgetItem*> m_otherNodes;
    QTreeWidgetItem* nodeOf(const QString& key) const;
    // Children made during a fill under nodes already in the tree join
    // them in one step each (a row at a time, the view hears of every one).
    QTreeWidgetItem* m_waitingParent = nullptr;
    QList<QTreeWidgetItem*> m_waitingChildren;
    void attachWaiting();
    // A cleared tree of up to 16,000 nodes (the topics, the guide) is freed
    // once events are handled, so a search shows its hits without waiting
    // for it; a larger one (the laws) is freed at once, that two large trees
    // never stand in memory together.
    static constexpr qsizetype kFreeLaterNodes = 16000;
    std::vector<QTreeWidgetItem*> m_discarded;
    void freeDiscarded();
    const ImageList* m_images = nullptr;
    bool m_pressOnButton = false;
    bool m_afterDoubleClick = false;
};

// A key of a letter and a number ("l123") packed in 64 bits, or 0 for any
// other key; and the text of a packed key.
quint64 PackKey(QStringView key);
QString UnpackKey(quint64 packed);

// The tab control: a strip of tabs over a surface whose children are placed
// in the control's own coordinates; only the current tab's page is shown.
class SSTab : public QWidget {
    Q_OBJECT
public:
    explicit SSTab(const QString& name, QWidget* parent = nullptr);

    int addTab(const QString& caption);
    QWidget* page(int index) const { return m_pages.value(index); }
    int count() const { return static_cast<int>(m_pages.size()); }

    int Tab() const;
    // Makes the tab current; raises Click with the previous tab when it changes
    // (the design's first tab is set without it).
    void setTab(int index, bool raiseClick = true);
    // The caption of the current tab.
    QString Caption() const;
    QString TabCaption(int index) const;
    void setTabCaption(int index, const QString& caption);
    bool TabVisible(int index) const;
    void setTabVisible(int index, bool visible);
    bool TabEnabled(int index) const;
    void setTabEnabled(int index, bool enabled);
    void setTabsPerRow(int perRow);
    int TabsPerRow() const { return m_tabsPerRow; }
    QTabBar* tabBar() const { return m_bar; }
    int tabStripHeight() const;
    // The width, in pixels, at which every visible caption still fits whole
    // on one row at the smallest font the captions take.
    int minimumRowWidth() const;
    void setColours(const QColor& back, const QColor& fore);

signals:
    void Click(int previousTab);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showCurrentPage();
    void sizeTabs();

    QTabBar* m_bar;
    QList<QWidget*> m_pages;
    int m_tabsPerRow = 4;
    static constexpr double kSmallestCaption = 7.0;
    int m_current = -1;
    bool m_quiet = false;
};

// A flat panel of buttons.
class Panel : public QFrame {
    Q_OBJECT
public:
    Panel(const QString& name, QWidget* parent = nullptr);
    void setBackColour(const QColor& colour);
};

// A bar the user drags with the left button; reports moves in its own coordinates.
class SplitterBar : public QWidget {
    Q_OBJECT
public:
    SplitterBar(const QString& name, Qt::CursorShape cursor, QWidget* parent = nullptr);

signals:
    void MouseMove(int button, Qt::KeyboardModifiers shift, const QPoint& position);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The progress control of attached documents.
class ProgressControl : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressControl(const QString& name, QWidget* parent = nullptr);
    void UpdateStatus(double fraction, bool finished);
};

// A read-only rich-text view.
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(const QString& name, QWidget* parent = nullptr);
    // Zoom, find and the context menu.
    class ReadingTools& Tools() const { return *m_tools; }
    // Shows an rtf file; throws AppError when it cannot be read as rtf.
    void LoadFile(const QString& path);
    // Shows rtf text; throws AppError when it is not rtf.
    void SetTextRTF(const QByteArray& rtf);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void replaceDocument(QTextDocument* loaded);
    // A table wider than the view shrinks to it rather than need sideways scrolling.
    void fitTables();
    class ReadingTools* m_tools;
};

// A title as stored (an HTML fragment) as a line of plain text.
QString PlainTitle(const QString& html);

class QToolButton;
// A button of a toolbar or a button panel: a picture and a tool tip.
QToolButton* PictureButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& toolTip);

// Keeps a top-level window within the available screen: no larger than it,
// centred over `over` (or the screen when `over` is empty) and moved back
// inside it, leaving room for the window frame.
void PlaceOnScreen(QWidget& window, const QRect& over = QRect());
