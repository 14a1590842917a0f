#pragma once

#include "startup/Platform.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
struct AppState;

// Tells the user which regional settings do not suit the program, and offers
// to write suitable ones. Either button ends the program.
class FrmWrongRegionalSettings : public QWidget {
    Q_OBJECT
public:
    FrmWrongRegionalSettings(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // What follows a repair; without it the program ends, as after a close.
    std::function<void()> onRepaired;

    bool SetRegStrValueControlPanel(const QString& KeyParam, const QString& ParamValue);

    QString gOSName;

    QLabel* lbNotes[1];
    QLabel* lbNumbers[4];
    QLabel* lbDate[2];
    QLabel* lbHours[2];
    QLabel* lbOSInfo;
    QLabel* lbApplication[1];
    QPushButton* cmdUpdateReg;
    QPushButton* cmdExit;

    static const QColor kNavy;
    static const QColor kDarkRed;

    void cmdUpdateReg_Click();
    void cmdExit_Click();

protected:
    // Enter presses the button with the focus (the repair, as the window
    // opens), Esc the close button.
    void keyPressEvent(QKeyEvent* event) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void markWrong(QLabel* label, bool withText);

    AppState& m_state;
    Platform& m_platform;
    bool m_ending = false;
};
