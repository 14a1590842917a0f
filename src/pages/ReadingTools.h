#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QLabel;
class QLineEdit;
class QMenu;
class QTextEdit;
class QWidget;
class ZoomMemory;

// What a reader expects of a page or text view beyond what it shows: a Greek
// context menu, zoom (Ctrl + wheel, Ctrl +, Ctrl −, Ctrl 0) and a find bar
// (Ctrl+F, F3, Shift+F3, Esc). It lives as a child of its view.
class ReadingTools : public QObject {
    Q_OBJECT
public:
    // kind: the views that share a zoom level ("page", "document", ...);
    // bottomMargin keeps the view's text above the find bar.
    ReadingTools(QTextEdit* view, QString kind, std::function<void(int)> bottomMargin);

    // Where zoom levels are kept between runs (null: not kept).
    void setZoomMemory(ZoomMemory* memory);
    // Adds the view's own print to its context menu.
    void setPrint(std::function<void()> print) { m_print = std::move(print); }
    // Adds the search in every text to its context menu, given the words
    // selected (if any).
    void setSearchTexts(std::function<void(const QString&)> search) { m_searchTexts = std::move(search); }

    int zoom() const { return m_zoom; }
    void setZoom(int percent);
    void zoomIn();
    void zoomOut();

    // New text in the view: the zoom and the find bar's marks apply to it.
    void contentChanged();

    void openFind();
    // Opens the find bar showing `shown` with every occurrence of any of the
    // forms marked, the current one the first at or after `placeFirst`.
    void openFindOn(const QString& shown, const QStringList& forms, const QString& placeFirst = QString());
    void closeFind();
    bool findOpen() const;
    // Moves to the next or previous hit; false when there is none.
    bool findNext(bool backwards = false);
    int hitCount() const { return static_cast<int>(m_hits.size()); }
    QLineEdit* findBox() const { return m_findBox; }

    // The Ctrl+F of a window: the find bar of its view that had the focus
    // last, or of its largest visible view.
    static void FindInWindow(QWidget* window);

    // The context menu of a line edit, in Greek.
    static void TranslateStandardMenu(QMenu& menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFindBar();
    void showFindBar();
    void placeFindBar();
    void search();
    void markHits();
    void showMenu(const QPoint& globalPos, const QPoint& viewportPos);
    void applyZoom();

    QTextEdit* m_view;
    QObject* m_viewport = nullptr;
    QString m_kind;
    std::function<void(int)> m_bottomMargin;
    std::function<void()> m_print;
    std::function<void(const QString&)> m_searchTexts;
    ZoomMemory* m_memory = nullptr;
    int m_zoom = 100;
    double m_appliedRatio = 1.0;  // of the sizes the text names itself
    double m_baseFontPoints = 0;
    qint64 m_focusedAt = 0;

    QWidget* m_bar = nullptr;
    QLineEdit* m_findBox = nullptr;
    QLabel* m_findCount = nullptr;
    QList<qsizetype> m_hits;
    QList<qsizetype> m_lengths;  // each hit's, when they differ; else the box text's
    int m_current = -1;
};

// Gives every line edit of the application a Greek context menu.
class GreekLineEditMenus : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
