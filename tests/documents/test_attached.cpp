// Laws and templates stored as documents, in the main window and the viewer,
// and the document button.
#include "documents/HandedFiles.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/FrmHotBrowser.h"
#include "pages/PageBrowser.h"
#include "startup/AppError.h"
#include "startup/Program.h"
#include "support/QtPrinters.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QThread>
#include <QToolButton>

namespace {

// "Αθήνα" in the Greek code page.
const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES (1, 'Νόμοι', 1, -1, 1), (9, 'Υποδείγματα', 1, -1, 2);
INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, issue_date, BlobType, BlobBody) VALUES
  (1, 'Ν. 1', 1, 'Κείμενο', '<p>Βλ. <a href="#2">έγγραφο</a> και <a href="#3">σελίδα</a></p>', 1, '2001-01-01', NULL, NULL),
  (2, 'Ν. 2', 1, 'Έγγραφο rtf', NULL, 1, '2002-01-01', 'rtf', CAST('{\rtf1\ansi\ansicpg1253 \''c1\''e8\''de\''ed\''e1\par}' AS BLOB)),
  (3, 'Ν. 3', 1, 'Σελίδα html', NULL, 1, '2003-01-01', 'html', CAST('<html><body><p>Εγκύκλιος <img src="mark.png"></p></body></html>' AS BLOB)),
  (4, 'Ν. 4', 1, 'Φύλλο', NULL, 1, '2004-01-01', 'xls', X'D0CF11E0');
INSERT INTO schedule (schedule_id, schedule_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3, IsBlob) VALUES
  (1, 0, 'Υποδείγματα', 1, 0, 0, 0), (2, 0, 'Οδηγίες', 2, 0, 0, -1);
INSERT INTO ScheduleAbstract (Abstract_id, Schedule_id, descr, aa_abstr_flag) VALUES
  (1, 1, '<p><a href="#1">κείμενο</a> <a href="#2">rtf</a> <a href="#3">xlsx</a> <a href="#4">html</a> <a href="#5">κακό</a></p>', 1);
INSERT INTO ScheduleAbstract (Abstract_id, Schedule_id, descr, aa_abstr_flag, BlobBody) VALUES
  (2, 2, NULL, 1, CAST('{\rtf1\ansi\ansicpg1253 \''c1\''e8\''de\''ed\''e1\par}' AS BLOB));
INSERT INTO Schedulelaw (law_id, law_code, type_id, title, descr, all_law_flag, article_code, parag_code, BlobType, BlobBody) VALUES
  (1, 'Υ1', 9, 'Με κείμενο', '<p>κείμενο προτύπου</p>', 1, NULL, NULL, NULL, NULL),
  (2, 'Υ2', 9, 'Αίτηση', NULL, 0, '1', NULL, NULL, CAST('{\rtf1\ansi\ansicpg1253 \''c1\''e8\''de\''ed\''e1\par}' AS BLOB)),
  (3, 'Υ3', 9, 'Βαθμοί', NULL, 0, '1', NULL, 'xlsx', X'504B0304'),
  (4, 'Υ4', 9, 'Ανακοίνωση', NULL, 0, '1', NULL, 'html', CAST('<p>ανακοίνωση</p>' AS BLOB)),
  (5, 'Υ5', 9, 'Κακό', NULL, 0, '1', NULL, '../../escape', X'00');
INSERT INTO topic (topic_id, topic_id_parent, descr) VALUES (1, 0, 'Εκδρομές');
INSERT INTO abstract (abstract_id, topic_id, descr, aa_abstr_flag) VALUES (1, 1, '<p>Περίληψη για τις εκδρομές</p>', 1);
INSERT INTO system_law_parameters VALUES (1);
)SQL");

class Attached : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.started); }
    FrmInitial& w() { return app.window(); }
    AppState& st() { return app.program().state(); }
    QString temp(const char* name) { return st().gTempPath + QLatin1String(name); }
    void showLaw(const char* key)
    {
        SelectTab(w(), FrmInitial::kLegislation);
        TreeView& tree = *w().tvwTreelaw;
        tree.SetSelectedItem(tree.Node(QString::fromLatin1(key)));
        emit tree.Click();
    }
    void showTemplate(const char* link)
    {
        SelectTab(w(), FrmInitial::kDocumentGuide);
        TreeView& tree = *w().tvwTreeschedule[0];
        tree.SetSelectedItem(tree.Node(QStringLiteral("l1")));
        emit tree.Click();
        emit w().brwWebBrowser1->anchorClicked(QUrl(QString::fromLatin1(link)));
    }
    // The printer dialog answered with a PDF file.
    void printInto(const QString& pdf)
    {
        app.platform.recorder.onPrint = [pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
    }
    // An office program that writes its arguments to a file and stays up.
    QString standInOffice(bool waits = true)
    {
        const QString program = QDir(app.platform.scratch.path()).filePath(QStringLiteral("soffice"));
        QFile f(program);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.part\"\nmv \"$0.part\" \"$0.args\"\n")
                + (waits ? "exec sleep 30\n" : ""));
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        return program;
    }

    // What a stand-in program was last started with.
    static QStringList given(const QString& program)
    {
        QFile args(program + QStringLiteral(".args"));
        QDeadlineTimer deadline(5000);
        while (!args.exists() && !deadline.hasExpired())
            QThread::msleep(10);
        args.open(QIODevice::ReadOnly);
        return QString::fromUtf8(args.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    static QByteArray bytesOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }

    TestApp app{kContent};
};

} // namespace

TEST_F(Attached, LawDocumentsTakeThePlaceOfThePageAndGiveItBack)
{
    showLaw("c1");
    EXPECT_FALSE(w().brwWebBrowser3->BodyHtml().isEmpty());

    showLaw("c2");
    EXPECT_TRUE(w().brwWebBrowser3->isHidden());
    ASSERT_FALSE(w().rtbWordLaw->isHidden());
    EXPECT_EQ(w().rtbWordLaw->toPlainText().trimmed(), QStringLiteral("Αθήνα"));
    EXPECT_EQ(w().rtbWordLaw->geometry(), w().brwWebBrowser3->geometry());
    EXPECT_TRUE(QFile::exists(temp("BlobSubBody.rtf")));

    // Its pictures come from the help folder.
    QDir(app.platform.appFolder).mkpath(QStringLiteral("help"));
    QImage mark(4, 3, QImage::Format_RGB32);
    mark.fill(Qt::blue);
    ASSERT_TRUE(mark.save(QDir(app.platform.appFolder).filePath(QStringLiteral("help/mark.png"))));
    showLaw("c3");
    EXPECT_EQ(w().brwWebBrowserLawFile->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("mark.png")))
                  .value<QImage>().size(),
              QSize(4, 3));
    EXPECT_TRUE(w().rtbWordLaw->isHidden());
    ASSERT_FALSE(w().brwWebBrowserLawFile->isHidden());
    EXPECT_TRUE(w().brwWebBrowserLawFile->toPlainText().contains(QStringLiteral("Εγκύκλιος")));
    EXPECT_TRUE(w().brwWebBrowserLawFile->IsStyled());
    // An rtf and an html document leave a file each.
    EXPECT_TRUE(QFile::exists(temp("BlobSubBody.rtf")));
    w().resize(w().width() + 120, w().height() + 80);
    EXPECT_EQ(w().brwWebBrowserLawFile->geometry(), w().brwWebBrowser3->geometry());

    // A kind with no view leaves no earlier page behind either.
    showLaw("c4");
    EXPECT_TRUE(w().brwWebBrowserLawFile->isHidden());
    EXPECT_FALSE(w().brwWebBrowser3->isHidden());
    EXPECT_TRUE(w().brwWebBrowser3->toPlainText().trimmed().isEmpty());

    showLaw("c1");
    EXPECT_FALSE(w().brwWebBrowser3->isHidden());
    EXPECT_TRUE(w().rtbWordLaw->isHidden());
    EXPECT_TRUE(w().brwWebBrowserLawFile->isHidden());
}

TEST_F(Attached, ATypeThatNamesAFolderIsNotWritten)
{
    showTemplate("#5");
    EXPECT_FALSE(QFile::exists(QDir(st().gTempPath).filePath(QStringLiteral("../../escape"))));
    EXPECT_TRUE(QDir(st().gTempPath).entryList({QStringLiteral("BlobSubBody*")}, QDir::Files).isEmpty());
}

TEST_F(Attached, TheViewerShowsALinkedDocumentAndThenThePageAgain)
{
    showLaw("c1");
    emit w().brwWebBrowser3->anchorClicked(QUrl(QStringLiteral("#2")));
    FrmHotBrowser* viewer = app.program().frmhotbrowser();
    ASSERT_TRUE(viewer);
    EXPECT_FALSE(viewer->isHidden());
    EXPECT_FALSE(viewer->rtbhotBrowser->isHidden());
    EXPECT_TRUE(viewer->brwhotbrowser->isHidden());
    EXPECT_EQ(viewer->rtbhotBrowser->toPlainText().trimmed(), QStringLiteral("Αθήνα"));
    // Over the main window, though the document loaded it before it showed.
    EXPECT_TRUE(w().frameGeometry().contains(viewer->frameGeometry().center()));
    // The main window's page stays as it was.
    EXPECT_FALSE(w().brwWebBrowser3->isHidden());

    st().gPageHtml.clear();
    viewer->brwhotbrowser->Navigate(PageBrowser::kBlank);
    viewer->brwhotbrowser->SetBodyHtml(QStringLiteral("<a href=\"#1\">πίσω</a>"));
    viewer->brwhotbrowser->Flush();
    emit viewer->brwhotbrowser->anchorClicked(QUrl(QStringLiteral("#1")));
    EXPECT_TRUE(viewer->rtbhotBrowser->isHidden());
    EXPECT_FALSE(viewer->brwhotbrowser->isHidden());
    EXPECT_TRUE(viewer->brwhotbrowser->toPlainText().contains(QStringLiteral("έγγραφο")));
}

TEST_F(Attached, TemplatesByKind)
{
    // A Null type counts as rtf, with the Word icon and tooltip.
    showTemplate("#2");
    EXPECT_EQ(w().gDocumentType, QStringLiteral("rtf"));
    EXPECT_FALSE(w().rtbWord->isHidden());
    EXPECT_TRUE(w().brwWebBrowser2->isHidden());
    EXPECT_EQ(w().rtbWord->toPlainText().trimmed(), QStringLiteral("Αθήνα"));
    EXPECT_EQ(w().cmdpicWordlaw->toolTip(), QStringLiteral("Προβολή εγγράφου με LibreOffice Writer"));
    EXPECT_EQ(w().cmdpicWordlaw->icon().cacheKey(), w().imListDocuments->picture(1).cacheKey());

    showTemplate("#3");
    EXPECT_EQ(w().gDocumentType, QStringLiteral("xlsx"));
    EXPECT_TRUE(w().rtbWord->isHidden());
    EXPECT_FALSE(w().brwWebBrowser2->isHidden());
    EXPECT_TRUE(w().brwWebBrowser2->BodyHtml().startsWith(
        QStringLiteral("<p>To υπόδειγμα που επιλέξατε να προβάλετε είναι ένα <b>αρχείο excel</b>.</p>")));
    EXPECT_TRUE(w().brwWebBrowser2->BodyHtml().contains(st().gAppPath + QStringLiteral("/help/excel.ico'")));
    EXPECT_TRUE(w().brwWebBrowser2->BodyHtml().endsWith(
        QStringLiteral("εγκατάσταση του <u>LibreOffice Calc</u> στον υπολογιστή σας.")));
    EXPECT_EQ(w().cmdpicWordlaw->toolTip(), QStringLiteral("Προβολή εγγράφου με LibreOffice Calc"));
    EXPECT_EQ(w().cmdpicWordlaw->icon().cacheKey(), w().imListDocuments->picture(2).cacheKey());

    // Written but not shown: a line says where it opens instead of the
    // notice before it.
    showTemplate("#4");
    EXPECT_TRUE(QFile::exists(temp("BlobSubBody.html")));
    EXPECT_EQ(w().brwWebBrowser2->toPlainText().trimmed(),
              QStringLiteral("Το υπόδειγμα που επιλέξατε ανοίγει με το κουμπί «Προβολή εγγράφου» (LibreOffice Writer)."));

    // After a document the page view comes back for a template with text.
    showTemplate("#2");
    showTemplate("#1");
    EXPECT_TRUE(w().rtbWord->isHidden());
    EXPECT_FALSE(w().brwWebBrowser2->isHidden());
    EXPECT_TRUE(w().brwWebBrowser2->toPlainText().contains(QStringLiteral("κείμενο προτύπου")));
}

TEST_F(Attached, TheDocumentButton)
{
    SelectTab(w(), FrmInitial::kDocumentGuide);
    w().cmdpicWordlaw->click();
    ASSERT_EQ(app.platform.recorder.messages.size(), 1);
    EXPECT_EQ(app.platform.recorder.messages[0].title, QStringLiteral("Ανεπιτυχής Προβολή Εγγράφου."));
    EXPECT_EQ(app.platform.recorder.messages[0].icon, MsgIcon::Critical);

    // Without an office program: the not-found message of each kind names
    // the program that would open it and its package.
    showTemplate("#2");
    st().gLawIdThemata = 2;
    w().cmdpicWordlaw->click();
    ASSERT_EQ(app.platform.recorder.messages.size(), 2);
    EXPECT_TRUE(app.platform.recorder.messages[1].title.isEmpty());
    EXPECT_TRUE(app.platform.recorder.messages[1].prompt.startsWith(
        QStringLiteral("Η Εφαρμογή LibreOffice Writer δεν βρέθηκε στον Υπολογιστή σας.\r\n")));
    EXPECT_TRUE(app.platform.recorder.messages[1].prompt.contains(QStringLiteral("«libreoffice-writer»")));
    showTemplate("#3");
    st().gLawIdThemata = 3;
    w().cmdpicWordlaw->click();
    ASSERT_EQ(app.platform.recorder.messages.size(), 3);
    EXPECT_EQ(app.platform.recorder.messages[2].title, QStringLiteral("Ανεπιτυχής Προβολή Εγγράφου"));
    EXPECT_TRUE(app.platform.recorder.messages[2].prompt.startsWith(
        QStringLiteral("Η Εφαρμογή LibreOffice Calc δεν βρέθηκε")));
    EXPECT_TRUE(app.platform.recorder.messages[2].prompt.contains(QStringLiteral("«libreoffice-calc»")));

    // With one: a new document from a copy of the spreadsheet, handed to the
    // user for good: showing another document, printing and leaving the
    // program leave it open, and its copy stays as it was.
    app.platform.officePath = standInOffice();
    w().cmdpicWordlaw->click();
    ASSERT_TRUE(st().gOfficeDocument);
    const qint64 pid = st().gOfficeDocument->handedProcess();
    ASSERT_GT(pid, 0);
    const QString handed = given(app.platform.officePath).value(4);
    EXPECT_TRUE(handed.startsWith(HandedFolder(st().gTempPath)));
    EXPECT_EQ(bytesOf(handed), QByteArray::fromHex("504B0304"));
    showTemplate("#2");
    EXPECT_FALSE(st().gOfficeDocument);
    app.platform.officePath = standInOffice(false);
    printInto(QDir(app.platform.scratch.path()).filePath(QStringLiteral("t.pdf")));
    w().cmdpiclaw->click();
    w().close();
    EXPECT_TRUE(QFile::exists(handed));
    EXPECT_EQ(bytesOf(handed), QByteArray::fromHex("504B0304"));
#ifdef Q_OS_UNIX
    EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), 0);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
#endif
}

TEST_F(Attached, AViewerGetsACopyOfItsOwn)
{
    showTemplate("#2");
    st().gLawIdThemata = 2;
    st().gViewerPath = standInOffice(false);
    w().cmdpicWordlaw->click();
    EXPECT_FALSE(st().gOfficeApp);
    const QStringList args = given(st().gViewerPath);
    ASSERT_EQ(args.size(), 1);
    EXPECT_TRUE(args[0].startsWith(HandedFolder(st().gTempPath)));
    EXPECT_EQ(bytesOf(args[0]), bytesOf(temp("BlobSubBody.rtf")));
}

TEST_F(Attached, TemporaryFilesAreClearedAtUnload)
{
    showLaw("c2");
    for (const char* name : {"BlobBody.rtf", ".~lock.BlobSubBody.rtf#"}) {
        QFile leftover(temp(name));
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    }
    w().close();
    EXPECT_FALSE(QFile::exists(temp(".~lock.BlobSubBody.rtf#")));
    EXPECT_FALSE(QFile::exists(temp("BlobSubBody.rtf")));
    EXPECT_FALSE(QFile::exists(temp("BlobBody.rtf")));
}

TEST_F(Attached, AGuideEntryThatIsADocumentShowsInPlaceOfItsPage)
{
    SelectTab(w(), FrmInitial::kDocumentGuide);
    TreeView& tree = *w().tvwTreeschedule[0];
    tree.SetSelectedItem(tree.Node(QStringLiteral("l2")));
    emit tree.Click();
    EXPECT_TRUE(w().brwWebBrowser1->isHidden());
    ASSERT_FALSE(w().rtbAbstract->isHidden());
    EXPECT_EQ(w().rtbAbstract->toPlainText().trimmed(), QStringLiteral("Αθήνα"));
    EXPECT_EQ(w().rtbAbstract->geometry(), w().brwWebBrowser1->geometry());

    tree.SetSelectedItem(tree.Node(QStringLiteral("l1")));
    emit tree.Click();
    EXPECT_TRUE(w().rtbAbstract->isHidden());
    EXPECT_FALSE(w().brwWebBrowser1->isHidden());
}

TEST(RichTextBoxFiles, EachFileReplacesTheLastInMemory)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.rtf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 one}");
    f.close();
    RichTextBox box(QStringLiteral("rtbWord"));
    box.LoadFile(path);
    const QPointer<QTextDocument> first = box.document();
    box.LoadFile(path);
    EXPECT_FALSE(first);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("one"));
    EXPECT_THROW(box.LoadFile(dir.filePath(QStringLiteral("missing.rtf"))), AppError);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("one"));
}

namespace {

// The height in points of the first word of a PDF file.
double firstWordHeight(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression word(QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\""));
    const QRegularExpressionMatch m = word.match(html);
    return m.hasMatch() ? m.captured(2).toDouble() - m.captured(1).toDouble() : 0.0;
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST_F(Attached, PagesAndTextViewsPrintToPdf)
{
    auto& rec = app.platform.recorder;
    const QString pdf = QDir(app.platform.scratch.path()).filePath(QStringLiteral("out.pdf"));
    printInto(pdf);

    showLaw("c1");
    w().cmdpiclawhist->click();
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("έγγραφο")));
    // Readable on paper, not shrunk to the printer's dots.
    EXPECT_GT(firstWordHeight(pdf), 7.0);

    showLaw("c2");
    w().cmdpiclawhist->click();
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Αθήνα")));

    // Cancel prints nothing and says nothing; the dialog shows every time.
    QFile::remove(pdf);
    rec.onPrint = nullptr;
    w().cmdpiclawhist->click();
    EXPECT_EQ(rec.printDialogs, 3);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(rec.messages.isEmpty());

    SelectTab(w(), FrmInitial::kTopics);
    TreeView& topics = *w().tvwTree;
    topics.SetSelectedItem(topics.Node(QStringLiteral("l1")));
    emit topics.Click();
    printInto(pdf);
    w().cmdpicprintabstr->click();
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Περίληψη για τις εκδρομές")));

    // Nothing shown: the law button asks for a law, a blank page cannot print.
    w().cmdpiclaw->click();
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages[0].title, QStringLiteral("Ανεπιτυχής Εκτύπωση Νομοθετήματος."));
    st().gLawIdThemata = 1;
    w().cmdpiclaw->click();
    ASSERT_EQ(rec.messages.size(), 2);
    EXPECT_EQ(rec.messages[1].prompt, QStringLiteral("The Print command is currently disabled."));
}

TEST_F(Attached, TheViewerPrintsItsDocument)
{
    const QString pdf = QDir(app.platform.scratch.path()).filePath(QStringLiteral("viewer.pdf"));
    printInto(pdf);
    showLaw("c1");
    emit w().brwWebBrowser3->anchorClicked(QUrl(QStringLiteral("#2")));
    ASSERT_TRUE(app.program().frmhotbrowser());
    app.program().frmhotbrowser()->cmdhotconnprint->click();
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Αθήνα")));
}

TEST_F(Attached, TemplatesPrintThroughTheOfficeProgram)
{
    // Writes down its arguments; asked for a PDF, it makes one.
    const QString office = QDir(app.platform.scratch.path()).filePath(QStringLiteral("soffice"));
    QFile f(office);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\nout=; prev=\n"
            "for a in \"$@\"; do [ \"$prev\" = --outdir ] && out=$a; prev=$a; last=$a; done\n"
            "if [ -n \"$out\" ]; then b=$(basename \"$last\"); printf '%%PDF-stand-in' > \"$out/${b%.*}.pdf\"; fi\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
    app.platform.officePath = office;
    const QString pdf = QDir(app.platform.scratch.path()).filePath(QStringLiteral("template.pdf"));
    printInto(pdf);

    showTemplate("#2");
    st().gLawIdThemata = 2;
    ASSERT_FALSE(w().cmdpiclaw->isHidden());
    w().cmdpiclaw->click();
    QFile made(pdf);
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    EXPECT_EQ(made.readAll(), QByteArray("%PDF-stand-in"));
    QFile args(office + QStringLiteral(".args"));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    const QStringList given = QString::fromUtf8(args.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(given.contains(QStringLiteral("--headless")));
    EXPECT_EQ(given.mid(given.size() - 5, 2), (QStringList{QStringLiteral("--convert-to"), QStringLiteral("pdf")}));
    EXPECT_EQ(given.last(), temp("BlobSubBody.rtf"));
    EXPECT_FALSE(st().gOfficeApp);
    EXPECT_TRUE(app.platform.recorder.messages.isEmpty());
}

TEST_F(Attached, TheHistoryShowsAKeptDocumentAndPutsItAwayOnDelete)
{
    showLaw("c2");
    st().gMainActive = 1;
    w().cmdpicsavewholelaw->click();
    SelectTab(w(), FrmInitial::kHistory);
    w().lsthistory->setCurrentRow(0);
    ASSERT_FALSE(w().rtbWordLaw->isHidden());
    EXPECT_EQ(w().rtbWordLaw->toPlainText().trimmed(), QStringLiteral("Αθήνα"));
    w().Cmddelete->click();
    EXPECT_TRUE(w().rtbWordLaw->isHidden());
    EXPECT_FALSE(w().brwWebBrowser3->isHidden());
}
