#pragma once

#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class OfficeDocument;

// Word and Excel as the document routines drive them, carried out by an
// office suite (LibreOffice) started as a separate process per document.
// Every document runs in an instance of its own, so that closing it ends the
// process we started and never a window the user opened himself.
class OfficeApplication {
public:
    enum class Kind { Word, Excel };

    // The object of "Word.Application" or "Excel.Application"; null when the
    // class is unknown or no office program is installed (program empty or
    // not executable). profileFolder holds the private instance's settings.
    static std::unique_ptr<OfficeApplication> CreateObject(const QString& className, const QString& program,
                                                           const QString& profileFolder);
    ~OfficeApplication();
    OfficeApplication(const OfficeApplication&) = delete;
    OfficeApplication& operator=(const OfficeApplication&) = delete;

    Kind kind() const { return m_kind; }
    QString program() const { return m_program; }

    // Only a visible application shows its documents in a window; an
    // invisible one opens them to print them.
    bool Visible = false;
    // Kept for the callers' sake; the office suite places its own window.
    int WindowState = 0;

    // Documents.Open: the file itself, for editing.
    std::unique_ptr<OfficeDocument> DocumentsOpen(const QString& path);
    // WorkBooks.Add: a new untitled document based on the file, which itself
    // stays untouched.
    std::unique_ptr<OfficeDocument> WorkBooksAdd(const QString& path);
    // Ends every process this application started that still runs.
    void Quit();

    // The arguments a document would be opened with (without the program).
    QStringList argumentsFor(const QString& path, bool asNewDocument) const;
    // Runs the office program headless with the arguments and waits for it.
    bool runHeadless(QStringList arguments) const;

private:
    OfficeApplication(Kind kind, QString program, QString profileFolder);
    std::unique_ptr<OfficeDocument> start(const QString& path, bool asNewDocument);

    Kind m_kind;
    QString m_program;
    QString m_profileFolder;
    QList<QPointer<QProcess>> m_processes;
};

// A document open in the office suite: the process that shows it, or for
// an invisible application the file it will print.
class OfficeDocument {
public:
    OfficeDocument(const OfficeApplication& app, QProcess* process, QString path)
        : m_app(app), m_process(process), m_path(std::move(path)) {}
    ~OfficeDocument() = default;

    // Prints on the printer of that name, or on the default printer when the
    // name is empty. False when the office program failed.
    bool PrintOut(const QString& printerName);
    // Writes the document as a PDF file in place of a printer.
    bool ExportPdf(const QString& pdfPath);

    // The office suite brings its own window forward when it opens a file.
    void Activate() {}
    // Closes the document; nothing is saved, whatever saveChanges says, since
    // the file is a temporary copy.
    void Close(bool saveChanges);
    bool running() const;
    qint64 processId() const;

private:
    const OfficeApplication& m_app;
    QPointer<QProcess> m_process;
    QString m_path;
};

// Closes the open document without saving, quits the application and
// releases both; each step may find its object gone already.
void ReleaseOffice(std::unique_ptr<OfficeApplication>& app, std::unique_ptr<OfficeDocument>& document);

// Ends a process started by this layer together with every process it
// started (the office suite's launcher hands over to a child).
void EndOfficeProcess(QProcess* process);

// Starts the viewer the user configured with the file as its one argument,
// never through a shell, so blanks in either path cannot split or add
// arguments. False when it could not be started.
bool StartViewer(const QString& viewer, const QString& file);

// The office suite's program on this machine, or empty.
QString FindOfficeProgram();
