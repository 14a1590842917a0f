#include "startup/FrmWrongVersion.h"

#include "startup/Edition.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

QString FrmWrongVersion::ToolTipText()
{
    return QStringLiteral("Λανθασμένη Έκδοση της εφαρμογής!") + QString(205, u' ')
        + QStringLiteral("Επιχειρήσατε να \"ανοίξετε\" την εφαρμογή με παλαιότερη έκδοση από την 2.9")
        + QString(131, u' ')
        + QStringLiteral("Παρακαλούμε εγκαταστήστε την έκδοση 2.9 ή μία μεταγενέστερη");
}

FrmWrongVersion::FrmWrongVersion(const QString& appTitle, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWrongVersion"));
    setWindowTitle(QStringLiteral("Λανθασμένη έκδοση εφαρμογής"));

    lbApplication[0] = new QLabel(this);
    lbApplication[0]->setObjectName(QStringLiteral("lbApplication(0)"));
    QFont big = lbApplication[0]->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lbApplication[0]->setFont(big);
    QPalette red = lbApplication[0]->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lbApplication[0]->setPalette(red);

    // The fixed-width label breaks its lines at the long runs of blanks; line
    // breaks give the same picture in a label that collapses blanks.
    lbToolTip = new QLabel(this);
    lbToolTip->setObjectName(QStringLiteral("lbToolTip"));
    lbToolTip->setWordWrap(true);
    lbToolTip->setFixedWidth(560);
    lbToolTip->setText(ToolTipText().replace(QRegularExpression(QStringLiteral(" {2,}")), QStringLiteral("\n")));

    cmdExit = new QPushButton(QStringLiteral("Κλείσιμο"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setDefault(true);
    connect(cmdExit, &QPushButton::clicked, this, &FrmWrongVersion::cmdExit_Click);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(14);
    layout->addWidget(lbApplication[0]);
    layout->addWidget(lbToolTip);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExit);
    layout->addLayout(buttons);

    Form_Load(appTitle);
}

void FrmWrongVersion::Form_Load(const QString& appTitle)
{
    setWindowTitle(appTitle + QStringLiteral(" ") + Edition::kMakersMark);
    lbApplication[0]->setText(appTitle);
}

void FrmWrongVersion::cmdExit_Click()
{
    accept();
}

void FrmWrongVersion::reject()
{
    cmdExit_Click();
}
