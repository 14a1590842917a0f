#include "windows/AuxWindow.h"

#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/Twips.h"
#include "startup/ErrorReport.h"
#include "startup/Program.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

AuxWindow::AuxWindow(Program& program, const QString& name)
    : QWidget(program.frmInitial(), Qt::Window), m_program(program), m_state(program.state())
{
    setObjectName(name);
}

void AuxWindow::ShowModeless()
{
    if (!m_placed) {
        m_placed = true;
        // Over the main window, as far as the screen lets it.
        const QWidget* over = parentWidget();
        PlaceOnScreen(*this, over ? over->frameGeometry() : QRect());
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void AuxWindow::guarded(const std::function<void()>& handler)
{
    RunEventHandler(m_program.platform().dialogs(), m_state.gAppTitle, handler);
}

int AuxWindow::ScaleWidth() const
{
    return Twips(logicalDpiX(), logicalDpiY()).fromPixelsX(width());
}

int AuxWindow::ScaleHeight() const
{
    return Twips(logicalDpiX(), logicalDpiY()).fromPixelsY(height());
}

void AuxWindow::place(QWidget* control, const TwipRect& r) const
{
    const Twips t(logicalDpiX(), logicalDpiY());
    control->setGeometry(t.toPixelsX(r.Left), t.toPixelsY(r.Top), t.toPixelsX(r.Width), t.toPixelsY(r.Height));
}

void AuxWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_closeButton) {
        // A push button with the focus is the one Enter means, as in dialogs.
        if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget()); focused && focused->window() == this)
            focused->click();
        else
            m_closeButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AuxWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_unloaded) {
        m_unloaded = true;
        guarded([this] { Form_Unload(); });
    }
}
