#include "windows/FrmSetSysParam.h"

#include "data/Database.h"
#include "data/JetFunctions.h"
#include "documents/CommonDialog.h"
#include "documents/DocumentIcons.h"
#include "documents/OfficeApplication.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "startup/Platform.h"
#include "startup/Program.h"
#include "startup/Registry.h"
#include "windows/SettingsSql.h"
#include "windows/StartupSwitch.h"
#include "windows/ViewerProgram.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

FrmSetSysParam::FrmSetSysParam(Program& program)
    : AuxWindow(program, QStringLiteral("frmSetSysParam"))
{
    setWindowTitle(QStringLiteral("Ορισμός Παραμέτρων Εφαρμογής"));

    cmdFileName = new QPushButton(QStringLiteral("Θέση εφαρμογής προβολής εγγράφων"), this);
    cmdFileName->setObjectName(QStringLiteral("cmdFileName"));
    tbFileName = new QLineEdit(this);
    tbFileName->setObjectName(QStringLiteral("tbFileName"));
    tbFileName->setAccessibleName(QStringLiteral("Θέση εφαρμογής προβολής εγγράφων"));
    chksysdisp1 = new QCheckBox(
        QStringLiteral("Απόκρυψη Οθόνης με Γενικές Πληροφορίες Εφαρμογής κατά την Εκκίνηση της εφαρμογής"), this);
    chksysdisp1->setObjectName(QStringLiteral("chksysdisp1"));
    chksysdisp1->setTristate(false);
    cmdSetSysParamOK = new QPushButton(QStringLiteral("Κλείσιμο"), this);
    cmdSetSysParamOK->setObjectName(QStringLiteral("cmdSetSysParamOK"));
    cdToFile = new CommonDialog(QStringLiteral("cdToFile"), this);
    setCloseButton(cmdSetSysParamOK);

    auto* grid = new QGridLayout(this);
    grid->addWidget(cmdFileName, 0, 0);
    grid->addWidget(tbFileName, 0, 1);
    grid->addWidget(chksysdisp1, 1, 0, 1, 2);
    grid->addWidget(cmdSetSysParamOK, 2, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    tbFileName->setMinimumWidth(320);

    connect(cmdFileName, &QPushButton::clicked, this, [this] { guarded([this] { cmdFileName_Click(); }); });
    connect(cmdSetSysParamOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdSetSysParamOK_Click(); }); });
    Form_Load();
}

void FrmSetSysParam::Form_Load()
{
    tbFileName->setText(m_state.gViewerPath);
    tbFileName->setFocus();
}

void FrmSetSysParam::cmdFileName_Click()
{
    FileRequest request;
    request.title = QStringLiteral("Θέση εφαρμογής προβολής εγγράφων");
#ifdef Q_OS_WIN
    request.fileName = QStringLiteral("EXCEL.EXE");
    request.filters = {QStringLiteral("EXCEL.EXE"), QStringLiteral("Όλα τα αρχεία (*)")};
#else
    // No program here is called EXCEL.EXE: nothing is proposed, and only
    // programs are listed.
    request.programsOnly = true;
    request.filters = {QStringLiteral("Προγράμματα (*)")};
#endif
    const QString chosen = m_program.platform().dialogs().openFileName(request);
    // A cancelled dialog leaves the path as it was.
    if (chosen.isEmpty() || !acceptViewer(chosen))
        return;
    tbFileName->setText(chosen);
}

bool FrmSetSysParam::acceptViewer(const QString& path)
{
    if (IsViewerProgram(path))
        return true;
    MessageRequest message;
    message.icon = MsgIcon::Exclamation;
    message.title = windowTitle();
    message.prompt = QStringLiteral("Το «") + path
        + QStringLiteral("» δεν είναι πρόγραμμα που μπορεί να εκτελεστεί.\rΕπιλέξτε το αρχείο του προγράμματος "
                         "με το οποίο θέλετε να ανοίγουν τα έγγραφα, ή αφήστε το πεδίο κενό.");
    m_program.platform().dialogs().messageBox(message);
    return false;
}

void FrmSetSysParam::cmdSetSysParamOK_Click()
{
    const QString viewer = Jet::Trim(tbFileName->text());
    if (!viewer.isEmpty() && !acceptViewer(viewer)) {
        tbFileName->setFocus();
        return;
    }
    m_state.gViewerPath = viewer;
    // A failed store is not reported: the path still holds for this run.
    SetRegString(m_program.platform().registry(), QStringLiteral("\\TARVO"), QStringLiteral("Application2Open"),
                 m_state.gViewerPath);
    if (FrmInitial* main = m_program.frmInitial()) {
        if (!m_state.gViewerPath.isEmpty()) {
            main->cmdpicWordlaw->setToolTip(QStringLiteral("Προβολή εγγράφου με ") + m_state.gViewerPath);
            main->cmdpicWordlaw->setIcon(main->imListDocuments->picture(DocumentImageIndex(QStringLiteral("0"))));
        } else if (!main->gDocumentType.isEmpty()) {
            // The viewer named there no longer opens the document.
            main->cmdpicWordlaw->setToolTip(QStringLiteral("Προβολή εγγράφου με ")
                                            + OfficeProgramName(main->gDocumentType));
        }
    }
    if (m_state.gDbEnabled) {
        const int value = chksysdisp1->checkState() == Qt::Checked ? 1 : chksysdisp1->checkState() == Qt::PartiallyChecked ? 2 : 0;
        StartupSwitch::Store(*m_state.gAdoConnection, m_program.platform().registry(),
                             SettingsSql::UpdateFromSettings(value), value);
    }
    if (chksysdisp1->checkState() == Qt::Checked)
        m_program.unloadFrmSystemInfo();
    close();
}
