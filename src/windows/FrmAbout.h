#pragma once

#include "windows/AuxWindow.h"

class QLabel;
class QPushButton;

// The program's version, its maker and four links.
class FrmAbout : public AuxWindow {
    Q_OBJECT
public:
    explicit FrmAbout(Program& program);

    QLabel* imLogo;
    QLabel* lbTitle;
    QLabel* lbVersion;
    QLabel* lbC;
    QLabel* lbContact[3];
    QLabel* lbWeb[4];
    QPushButton* cmdOK;

    // "Έκδοση: " + major + "." + the minor version in two digits.
    static QString VersionText(int major, int minor);
    // Where lbWeb(0) leads: the build's address for new versions, or the
    // release notes among the help pages when the build names none.
    QUrl UpdatesAddress() const;

    void Form_Load();
    void cmdOK_Click();
    void lbWeb_Click(int Index);
    void lbWeb_MouseMove(int Index);
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
