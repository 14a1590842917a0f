#include "startup/FrmWait.h"

#include <QLabel>
#include <QVBoxLayout>

FrmWait::FrmWait(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral("Παρακαλώ Περιμένετε . . ."));
    lblWait = new QLabel(QStringLiteral("Παρακαλώ περιμένετε..."), this);
    lblWait->setObjectName(QStringLiteral("lblWait"));
    lblWait->setAlignment(Qt::AlignCenter);
    QFont font = lblWait->font();
    font.setPointSize(font.pointSize() + 4);
    font.setBold(true);
    lblWait->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 30);
    layout->addWidget(lblWait);
    setFixedSize(sizeHint().expandedTo(QSize(360, 120)));
}
