#pragma once

#include <QObject>

// The printer and file dialog control of a window: its settings persist
// between uses.
class CommonDialog : public QObject {
    Q_OBJECT
public:
    explicit CommonDialog(const QString& name, QObject* parent = nullptr) : QObject(parent) { setObjectName(name); }

    bool CancelError = false;
    int Flags = 0;
};
