#pragma once

#include <QWidget>

class QLabel;

// Shown while start-up and the main window's load run.
class FrmWait : public QWidget {
    Q_OBJECT
public:
    explicit FrmWait(QWidget* parent = nullptr);

    QLabel* lblWait;
};
