#pragma once

#include "windows/AuxWindow.h"

class QPushButton;
class RichTextBox;

// One of the two fixed texts of the about window: the privacy statement or
// the software licence.
class FrmIZelkor : public AuxWindow {
    Q_OBJECT
public:
    explicit FrmIZelkor(Program& program);

    RichTextBox* txt;
    QPushButton* cmdExit;

    // 1 the privacy statement, 2 the licence; called before the window shows.
    void init(int pChoice);
    int selector() const { return m_selector; }

    void Form_Load();
    void Form_Resize();

    // The stored rtf of a selector (0 or 1); empty for any other.
    static QByteArray Document(int selector);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The window loads as it first shows, after init.
    void showEvent(QShowEvent* event) override;

private:
    int m_selector = -1;
    bool m_loaded = false;
};
