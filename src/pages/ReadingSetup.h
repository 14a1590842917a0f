#pragma once

#include <QList>

class PageBrowser;
class Program;
class QWidget;
class RichTextBox;

// Gives a window's page and text views their kept zoom and a print of their
// own in the context menu, and the window its Ctrl+F.
void SetUpReadingViews(Program& program, QWidget& window, const QList<PageBrowser*>& pages,
                       const QList<RichTextBox*>& texts);
