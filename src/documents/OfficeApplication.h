#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class OfficeDocument;

// Word and Excel as the document routines drive them, carried out by an
// office suite (LibreOffice) started as a separate process.
//
// A visible application hands its documents to the user: each opens as a new,
// untitled document based on the file, in the user's own office program, and
// the program never closes, quits or kills it afterwards — whatever the user
// types there is the user's. An invisible application prints: it runs the
// suite headless, in an instance of its own, and ends that instance once the
// print job is done.
class OfficeApplication {
public:
    enum class Kind { Word, Excel };

    // The object of "Word.Application" or "Excel.Application"; null when the
    // class is unknown or no office program is installed (program empty or
    // not executable). printProfile holds the settings of the private,
    // headless instance that prints.
    static std::unique_ptr<OfficeApplication> CreateObject(const QString& className, const QString& program,
                                                           const QString& printProfile);

    Kind kind() const { return m_kind; }
    QString program() const { return m_program; }

    // Only a visible application shows its documents in a window; an
    // invisible one opens them to print them.
    bool Visible = false;
    // Kept for the callers' sake; the office suite places its own window.
    int WindowState = 0;

    // Documents.Open and WorkBooks.Add: for the user, both make a new untitled
    // document from the file, so that saving asks where and the file itself is
    // never edited. Null when the office program could not be started.
    std::unique_ptr<OfficeDocument> DocumentsOpen(const QString& path) { return open(path); }
    std::unique_ptr<OfficeDocument> WorkBooksAdd(const QString& path) { return open(path); }
    // The windows handed to the user stay; a print's own instance has already
    // ended by the time its call returned.
    void Quit() {}

    // The arguments a document handed to the user is opened with (without
    // the program).
    QStringList argumentsFor(const QString& path) const;
    // Runs the office program headless in the printing instance with the
    // arguments, waits for it and ends whatever of it is left.
    bool runHeadless(QStringList arguments) const;

private:
    OfficeApplication(Kind kind, QString program, QString printProfile);
    std::unique_ptr<OfficeDocument> open(const QString& path);

    Kind m_kind;
    QString m_program;
    QString m_printProfile;
};

// A document opened through the office layer: for the user, a window that is
// the user's from then on; for printing, the file the headless instance reads.
class OfficeDocument {
public:
    OfficeDocument(const OfficeApplication& app, QString path, qint64 handedProcess)
        : m_app(app), m_path(std::move(path)), m_handedProcess(handedProcess) {}

    // Prints on the printer of that name, or on the default printer when the
    // name is empty. False when the office program failed. A spreadsheet is
    // printed fitted to the page's width.
    bool PrintOut(const QString& printerName);
    // Writes the document as a PDF file in place of a printer.
    bool ExportPdf(const QString& pdfPath);

    // The office suite brings its own window forward when it opens a file.
    void Activate() {}
    // The window is the user's: nothing of it is closed, and nothing would be
    // saved anyway, whatever saveChanges says.
    void Close(bool) {}
    // The process started for a document handed to the user (0 for a print).
    qint64 handedProcess() const { return m_handedProcess; }

private:
    // The file to print: for a spreadsheet a copy whose pages are as wide as
    // the sheet, made in folder; the file itself when that cannot be done.
    QString printable(const QString& folder) const;

    const OfficeApplication& m_app;
    QString m_path;
    qint64 m_handedProcess = 0;
};

// Releases the document and the application. Neither call closes anything the
// user was handed.
void ReleaseOffice(std::unique_ptr<OfficeApplication>& app, std::unique_ptr<OfficeDocument>& document);

// Ends a process started by this layer together with every process it
// started (the office suite's launcher hands over to a child).
class QProcess;
void EndOfficeProcess(QProcess* process);

// Starts the viewer the user configured with the file as its one argument,
// never through a shell, so blanks in either path cannot split or add
// arguments. False when it could not be started.
bool StartViewer(const QString& viewer, const QString& file);

// The office suite's program on this machine, or empty.
QString FindOfficeProgram();

// What opens a document of the type when no viewer is set, as the user knows
// it, and the Debian package that installs it.
QString OfficeProgramName(const QString& type);
QString OfficePackage(const QString& type);

// A flat spreadsheet document (fods) whose every page style prints the sheet
// one page wide, as many pages tall as it needs.
QByteArray FitSheetWidthToPage(const QByteArray& fods);
