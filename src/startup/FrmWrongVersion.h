#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Refuses a database of an older version.
class FrmWrongVersion : public QDialog {
    Q_OBJECT
public:
    FrmWrongVersion(const QString& appTitle, QWidget* parent = nullptr);

    // The label's text with its runs of blanks, as the label lays it out.
    static QString ToolTipText();

    QLabel* lbApplication[1];
    QLabel* lbToolTip;
    QPushButton* cmdExit;

private:
    void Form_Load(const QString& appTitle);
    void cmdExit_Click();
    // Esc closes the window as its button does.
    void reject() override;
};
