#pragma once

#include <QMainWindow>

class Program;
struct AppState;
class Platform;

// The main window: it lives for the whole run, and closing it ends the program.
class FrmInitial : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmInitial(Program& program, QWidget* parent = nullptr);
    ~FrmInitial() override;

    // Loads the window and shows it.
    void Show();

    bool gLoading = false;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    Program& m_program;
    AppState& m_state;
    Platform& m_platform;
};
