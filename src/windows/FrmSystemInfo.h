#pragma once

#include "windows/AuxLayout.h"
#include "windows/AuxWindow.h"

class PageBrowser;
class Panel;
class QCheckBox;
class QPushButton;
class QToolButton;

// The welcome page shown at start until the user asks not to see it again.
class FrmSystemInfo : public AuxWindow {
    Q_OBJECT
public:
    explicit FrmSystemInfo(Program& program);

    Panel* sspToolbar;
    QToolButton* cmdtoolbar[3];
    PageBrowser* brwWebBrowser;
    QCheckBox* chkSysInfo;
    QPushButton* cmdClose;

    AuxLayout::SystemInfo layout;

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void cmdClose_Click();
    void cmdtoolbar_Click(int Index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
};

// The toolbar actions the information window shares with the main window.
void ShowHelpWindow(Program& program);
void ShowAboutWindow(Program& program);
