#pragma once

#include "mainwindow/MainLayout.h"

#include <QWidget>

class CommonDialog;
class PageBrowser;
class Panel;
class Program;
class QToolButton;
class RichTextBox;
struct AppState;

// The law viewer: one law outside the main window. Links followed inside it
// replace its page in place.
class FrmHotBrowser : public QWidget {
    Q_OBJECT
public:
    explicit FrmHotBrowser(Program& program, QWidget* parent = nullptr);
    ~FrmHotBrowser() override;

    Panel* sspLaw;
    QToolButton* cmdpicsavewholelaw;
    QToolButton* cmdhotconnprint;
    PageBrowser* brwhotbrowser;
    PageBrowser* brwFilehotbrowser;
    RichTextBox* rtbhotBrowser;
    CommonDialog* cdPrintRTF;

    struct Geometry {
        TwipRect sspLaw, cmdpicsavewholelaw, cmdhotconnprint, brwhotbrowser, brwFilehotbrowser, rtbhotBrowser;
    };
    // The resize rules in twips; saveVisible tells whether the save button shows.
    static void Layout(Geometry& g, int W, int H, bool saveVisible);
    Geometry geometry;

    void Form_Load();
    void Form_Activate();
    void Form_Deactivate();
    void Form_Resize();
    void Form_Unload();
    void brwhotbrowser_DocumentComplete();
    void brwhotbrowser_BeforeNavigate2(const QString& URL, bool& Cancel);
    void cmdpicsavewholelaw_Click();
    void cmdhotconnprint_Click();

    bool unloaded() const { return m_unloaded; }
    // Puts the document views away and shows the page view.
    void ShowPageView();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Esc closes the viewer (once the find bar, which takes Esc first, is shut).
    void keyPressEvent(QKeyEvent* event) override;

private:
    void guarded(const std::function<void()>& handler);

    Program& m_program;
    AppState& m_state;
    bool m_unloaded = false;
};
