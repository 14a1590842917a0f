#pragma once

#include "windows/AuxLayout.h"
#include "windows/AuxWindow.h"

class PageBrowser;
class Panel;
class QToolButton;

// The installed help pages, with a way back to the start page and a print.
class FrmHelp : public AuxWindow {
    Q_OBJECT
public:
    explicit FrmHelp(Program& program);

    Panel* sspToolbar;
    QToolButton* cmdtoolbar[3];
    PageBrowser* brwWebBrowserhelp;

    AuxLayout::Help layout;

    // gAppPath + "/help/law_help.html"
    QString StartPage() const;

    void Form_Load();
    void Form_Resize();
    void cmdtoolbar_Click(int Index);
    void PrintHelpPage();

protected:
    void resizeEvent(QResizeEvent* event) override;
};
