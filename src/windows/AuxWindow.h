#pragma once

#include <QWidget>

#include <functional>

class Program;
struct TwipRect;
class QAbstractButton;
struct AppState;

// What the settings, information, help, about and text windows share: they
// are modeless and stay in front of the main window, Esc closes them and Enter presses their close button (or the
// push button that has the focus), and their handlers run under the
// program's error report.
class AuxWindow : public QWidget {
    Q_OBJECT
public:
    AuxWindow(Program& program, const QString& name);

    bool unloaded() const { return m_unloaded; }
    // Shows the window and brings it to the front.
    void ShowModeless();

protected:
    void setCloseButton(QAbstractButton* button) { m_closeButton = button; }
    // The window has placed itself; the first showing leaves it where it is.
    void markPlaced() { m_placed = true; }
    void guarded(const std::function<void()>& handler);
    // The inner size in twips, and a control put where the rules say.
    int ScaleWidth() const;
    int ScaleHeight() const;
    void place(QWidget* control, const TwipRect& r) const;
    // Runs once when the window closes, however it closes.
    virtual void Form_Unload() {}

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    Program& m_program;
    AppState& m_state;

private:
    QAbstractButton* m_closeButton = nullptr;
    bool m_unloaded = false;
    bool m_placed = false;
};
