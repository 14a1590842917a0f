#include "documents/Printing.h"

#include "documents/TableWidths.h"
#include "pages/PageBrowser.h"
#include "startup/AppError.h"
#include "startup/Dialogs.h"
#include "startup/ErrorReport.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTextDocument>

QString PdfFileName(const QString& heading)
{
    QString name = heading.simplified();
    name.replace(QStringLiteral(" — "), QStringLiteral(" "));
    for (const QChar c : {u'/', u'\\', u':', u'*', u'?', u'"', u'<', u'>', u'|'})
        name.replace(c, u'-');
    name.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f]")));
    // A name a file system takes whole, cut at a word.
    if (name.size() > 120)
        name = name.left(name.lastIndexOf(u' ', 120) > 60 ? name.lastIndexOf(u' ', 120) : 120);
    while (name.startsWith(u'.') || name.startsWith(u'-'))
        name.remove(0, 1);
    return (name.trimmed().isEmpty() ? QStringLiteral("Νομοθέτημα") : name.trimmed()) + QStringLiteral(".pdf");
}

void PrintWithHeading(QPrinter& printer, const QTextDocument& document, const QString& heading)
{
    const std::unique_ptr<QTextDocument> doc(document.clone());
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(482, QStringLiteral("Printer error"));
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    QFont small = doc->defaultFont();
    small.setPointSizeF(8.5);
    const QFontMetricsF metrics(small, &printer);
    const qreal band = metrics.height() * 2.2;
    const QSizeF body(page.width(), page.height() - 2 * band);
    doc->documentLayout()->setPaintDevice(&printer);
    doc->setPageSize(body);
    const int pages = doc->pageCount();
    const QString header = metrics.elidedText(heading, Qt::ElideRight, body.width());
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            throw AppError(482, QStringLiteral("Printer error"));
        painter.save();
        painter.translate(0, band - i * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * body.height(), body.width(), body.height());
        painter.setClipRect(context.clip);
        doc->documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(small);
        painter.setPen(QColor(60, 60, 60));
        painter.drawText(QRectF(0, 0, body.width(), band * 0.75), Qt::AlignLeft | Qt::AlignVCenter, header);
        painter.drawLine(QPointF(0, band * 0.8), QPointF(body.width(), band * 0.8));
        painter.drawText(QRectF(0, page.height() - band * 0.75, body.width(), band * 0.75), Qt::AlignCenter,
                         QStringLiteral("Σελίδα %1 από %2").arg(i + 1).arg(pages));
    }
    painter.end();
}

bool PrintAfterDialog(Dialogs& dialogs, const QTextDocument& document, const QString& title, PrintLabel* label)
{
    // Pages give their sizes in pixels, which a high-resolution printer would
    // take as its own dots: printed at screen resolution they keep their size.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setDocName(title);
    if (label && !label->heading.isEmpty()) {
        const QString file = PdfFileName(label->heading);
        // The dialog names its PDF file after the document.
        printer.setDocName(file.chopped(4));
        // Where no printer is set up the PDF file is what the user prints to:
        // proposed in the folder used last time.
        if (QPrinterInfo::defaultPrinter().isNull()) {
            const QString folder = label->pdfFolder.isEmpty() ? QDir::homePath() : label->pdfFolder;
            printer.setOutputFileName(QDir(folder).filePath(file));
        }
    }
    if (!dialogs.printDialog(printer))
        return false;
    if (label && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        label->pdfFolder = QFileInfo(printer.outputFileName()).absolutePath();
    // Tables shrunk to fit a view print at the widths the document gives them.
    const std::unique_ptr<QTextDocument> unfitted = UnfittedCopy(document);
    const QTextDocument& shown = unfitted ? *unfitted : document;
    if (label && !label->heading.isEmpty())
        PrintWithHeading(printer, shown, label->heading);
    else
        shown.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        throw AppError(482, QStringLiteral("Printer error"));
    return true;
}

bool PrintEnabled(const PageBrowser& page)
{
    return !page.document()->isEmpty();
}

void BrowserPrint(Dialogs& dialogs, PageBrowser& page, bool enabled, PrintLabel* label)
{
    if (!enabled) {
        Report::PrintCommand(dialogs, QStringLiteral("The Print command is currently disabled."));
        return;
    }
    page.Flush();
    PrintAfterDialog(dialogs, *page.document(), page.documentTitle(), label);
}

void RunPrintCommand(Dialogs& dialogs, const std::function<void()>& command)
{
    try {
        command();
    } catch (const AppError& e) {
        Report::PrintCommand(dialogs, QStringLiteral("Print command Error: ") + e.description());
    } catch (const std::exception& e) {
        Report::PrintCommand(dialogs, QStringLiteral("Print command Error: ") + QString::fromLocal8Bit(e.what()));
    }
}

void PrintShownLaw(Dialogs& dialogs, QTextEdit& text, PageBrowser& page, PageBrowser& file, const QString& title,
                   PrintLabel* label)
{
    RunPrintCommand(dialogs, [&] {
        if (!text.isHidden()) {
            PrintAfterDialog(dialogs, *text.document(), title, label);
            return;
        }
        const bool enabled = PrintEnabled(!file.isHidden() ? file : page);
        if (!page.isHidden())
            BrowserPrint(dialogs, page, enabled, label);
        else if (!file.isHidden())
            BrowserPrint(dialogs, file, enabled, label);
    });
}
