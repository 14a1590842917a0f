#include "mainwindow/FrmInitial.h"

#include "startup/Edition.h"
#include "startup/FrmWait.h"
#include "startup/Program.h"

#include <QCloseEvent>

FrmInitial::FrmInitial(Program& program, QWidget* parent)
    : QMainWindow(parent), m_program(program), m_state(program.state()), m_platform(program.platform())
{
    setObjectName(QStringLiteral("frmInitial"));
    resize(1024, 768);
}

FrmInitial::~FrmInitial() = default;

void FrmInitial::Show()
{
    Form_Load();
}

void FrmInitial::Form_Load()
{
    gLoading = true;
    if (m_program.frmWait()) {
        m_program.frmWait()->show();
        m_platform.repaintNow(*m_program.frmWait());
    }
    m_platform.setHourglass(true);

    // The start-up test opening is over.
    m_state.gDaoDatabase.reset();
    m_state.gDaoWorkspace.clear();

    setWindowTitle(m_state.gAppTitle + QStringLiteral("  ") + Edition::kMakersMark);

    gLoading = false;
    m_program.unloadFrmWait();
    m_platform.setHourglass(false);
    show();
}

void FrmInitial::Form_Unload()
{
}

void FrmInitial::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
    m_platform.endProgram(ExitStatus::Normal);
}
