#include "pages/ReadingSetup.h"

#include "documents/Printing.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/PageBrowser.h"
#include "pages/ReadingTools.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QShortcut>

void SetUpReadingViews(Program& program, QWidget& window, const QList<PageBrowser*>& pages,
                       const QList<RichTextBox*>& texts)
{
    Dialogs& dialogs = program.platform().dialogs();
    const auto searchTexts = [&program](const QString& words) {
        if (FrmInitial* main = program.frmInitial())
            main->OpenFullTextWindow(words);
    };
    for (PageBrowser* page : pages) {
        page->Tools().setZoomMemory(&program.zoomMemory());
        page->Tools().setSearchTexts(searchTexts);
        page->Tools().setPrint([&dialogs, page] {
            RunPrintCommand(dialogs, [&] { BrowserPrint(dialogs, *page, PrintEnabled(*page)); });
        });
    }
    for (RichTextBox* text : texts) {
        text->Tools().setZoomMemory(&program.zoomMemory());
        text->Tools().setSearchTexts(searchTexts);
        text->Tools().setPrint([&dialogs, text, &window] {
            RunPrintCommand(dialogs, [&] { PrintAfterDialog(dialogs, *text->document(), window.windowTitle()); });
        });
    }
    auto* find = new QShortcut(QKeySequence::Find, &window);
    QObject::connect(find, &QShortcut::activated, &window, [&window] { ReadingTools::FindInWindow(&window); });
}
