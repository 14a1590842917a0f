#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class QDialog;
class QPrinter;

enum class MsgIcon { None, Critical, Exclamation, Information, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgResult { Ok, Cancel, Yes, No };

struct MessageRequest {
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString title;   // empty: the application's name shows
    QString prompt;  // line breaks are carriage returns
};

// The open-file dialog: what it proposes.
struct FileRequest {
    QString title;
    QString folder;       // empty: the dialog's own default
    QString fileName;     // the name proposed
    QStringList filters;  // name filters, the first one chosen
    bool programsOnly = false;  // list only files that can be run (and folders)
};

// Every message box and every modal window goes through here, so that tests
// can record them instead of blocking on them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgResult messageBox(const MessageRequest& request) = 0;
    // Shows the window modally and returns when it has closed.
    virtual void showModal(QDialog& dialog) = 0;
    // The printer dialog: the user chooses a printer, or a PDF file, for the
    // printer given. False when cancelled.
    virtual bool printDialog(QPrinter& printer) = 0;
    // The file the user chose, or empty when cancelled.
    virtual QString openFileName(const FileRequest& request) = 0;
};

// The real boxes and windows.
class QtDialogs : public Dialogs {
public:
    MsgResult messageBox(const MessageRequest& request) override;
    void showModal(QDialog& dialog) override;
    bool printDialog(QPrinter& printer) override;
    QString openFileName(const FileRequest& request) override;
};

class QMessageBox;
// The box messageBox shows, not yet shown.
QMessageBox* BuildMessageBox(const MessageRequest& request);

// A prompt's carriage returns as the line breaks a widget understands.
QString PromptForDisplay(const QString& prompt);
