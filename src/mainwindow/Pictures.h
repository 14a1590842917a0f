#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the windows, drawn here so that the program carries no
// image files of its own.
namespace Pictures {

QPixmap EditionLogo(const QString& title);
QPixmap LogoStrip();
QIcon FolderOpen();
QIcon FolderClosed();
// The document icons: the Word mark, the Excel mark, a blank document.
QIcon WordDocument();
QIcon ExcelDocument();
QIcon BlankDocument();
QIcon Help();
QIcon About();
// Back to a start page.
QIcon Home();
QIcon Settings();
QIcon Exit();
QIcon SaveToHistory();
QIcon Print();
QIcon Delete();
// A magnifier over a page: the search in every text.
QIcon SearchTexts();

} // namespace Pictures
