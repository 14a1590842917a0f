#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

// The main window as the user left it: its place and size when not
// maximised, whether it was maximised, and its two splitters (in twips).
struct WindowMemory {
    QRect normal;
    bool maximized = false;
    int tabWidth = 0;
    int splitTop = 0;
};

// As one settings value, and back; nothing for a value that is not one.
QString WriteWindowMemory(const WindowMemory& memory);
std::optional<WindowMemory> ReadWindowMemory(const QString& text);

// The rectangle moved (and, if it must, made smaller) so that it lies wholly
// on the available area of the screen that holds most of it, or of the first
// screen when none does.
QRect KeepOnScreen(const QRect& wanted, const QList<QRect>& screens);
