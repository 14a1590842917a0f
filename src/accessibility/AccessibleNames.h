#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Gives every control a Greek accessible name and description before it
// first shows: a screen reader does not read every tooltip, and a picture
// button, tree or page view has no text of its own to read.
//
// A control's own name wins; then the program's names for its views; then
// what the control shows (a button's text, its tooltip, the label that
// names a box, its placeholder); a view without any takes its window's title.
class AccessibleNames : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    static void Name(QWidget* widget);
    // The program's name for the control of that object name, or empty.
    static QString KnownName(const QString& objectName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
