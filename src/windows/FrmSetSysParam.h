#pragma once

#include "windows/AuxWindow.h"

class CommonDialog;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The program's two user settings: the document viewer and whether the
// information window opens at start.
class FrmSetSysParam : public AuxWindow {
    Q_OBJECT
public:
    explicit FrmSetSysParam(Program& program);

    QLineEdit* tbFileName;
    QPushButton* cmdFileName;
    QCheckBox* chksysdisp1;
    QPushButton* cmdSetSysParamOK;
    CommonDialog* cdToFile;

    void Form_Load();
    void cmdFileName_Click();
    void cmdSetSysParamOK_Click();

private:
    // Says so when the path is not a program; true when it may be stored.
    bool acceptViewer(const QString& path);
};
