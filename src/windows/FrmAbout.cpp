#include "windows/FrmAbout.h"

#include "mainwindow/Pictures.h"
#include "startup/CommandLine.h"
#include "startup/Edition.h"
#include "startup/Platform.h"
#include "startup/Program.h"
#include "windows/FrmIZelkor.h"
#include "windows/FrmSystemInfo.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#ifndef SELVARA_UPDATES_URL
#define SELVARA_UPDATES_URL ""
#endif
#ifndef SELVARA_CONTACT_EMAIL
#define SELVARA_CONTACT_EMAIL ""
#endif
#ifndef SELVARA_VERSION_MAJOR
#define SELVARA_VERSION_MAJOR 0
#endif
#ifndef SELVARA_VERSION_MINOR
#define SELVARA_VERSION_MINOR 0
#endif

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

QString FrmAbout::VersionText(int major, int minor)
{
    return QStringLiteral("Έκδοση: ") + VersionNumber(major, minor);
}

FrmAbout::FrmAbout(Program& program)
    : AuxWindow(program, QStringLiteral("frmAbout"))
{
    setWindowTitle(QStringLiteral("Για την εφαρμογή"));
    setMouseTracking(true);

    imLogo = label(this, QStringLiteral("imLogo"), QString());
    imLogo->setPixmap(Pictures::EditionLogo(m_state.gAppTitle));
    // The logo is drawn for the program's brown toolbar.
    imLogo->setAutoFillBackground(true);
    QPalette brown = imLogo->palette();
    brown.setColor(QPalette::Window, QColor(146, 132, 131));
    imLogo->setPalette(brown);
    imLogo->setMargin(8);
    lbTitle = label(this, QStringLiteral("lbTitle"), m_state.gAppTitle);
    QFont big = lbTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lbTitle->setFont(big);
    lbVersion = label(this, QStringLiteral("lbVersion"), QString());
    lbC = label(this, QStringLiteral("lbC"), QString());
    lbContact[0] = label(this, QStringLiteral("lbContact(0)"), QStringLiteral("ΖΕΛΚΟΡ"));
    lbContact[1] = label(this, QStringLiteral("lbContact(1)"), QStringLiteral("Λογισμικό νομοθεσίας για την εκπαίδευση"));
    const QString email = QStringLiteral(SELVARA_CONTACT_EMAIL);
    lbContact[2] = label(this, QStringLiteral("lbContact(2)"), QStringLiteral("Ηλεκτρονικό ταχυδρομείο: ") + email);
    lbContact[2]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbContact[2]->setVisible(!email.isEmpty());

    const QString webTexts[4] = {QStringLiteral("Αναβάθμιση Νέας Έκδοσης"), QStringLiteral("Δήλωση περί απορρήτου"),
                                 QStringLiteral("Άδεια Χρήσης Λογισμικού"),
                                 QStringLiteral("Εμφάνιση Γενικών Πληροφοριών Εφαρμογής")};
    for (int i = 0; i < 4; ++i) {
        lbWeb[i] = label(this, QStringLiteral("lbWeb(%1)").arg(i), webTexts[i]);
        QPalette link = lbWeb[i]->palette();
        link.setColor(QPalette::WindowText, QColor(0, 0, 160));
        lbWeb[i]->setPalette(link);
        lbWeb[i]->setCursor(Qt::PointingHandCursor);
        lbWeb[i]->setMouseTracking(true);
        // Reachable from the keyboard too: Tab to it, Space or Enter opens it.
        lbWeb[i]->setFocusPolicy(Qt::TabFocus);
        lbWeb[i]->installEventFilter(this);
    }
    cmdOK = new QPushButton(QStringLiteral("Κλείσιμο"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->installEventFilter(this);
    setCloseButton(cmdOK);
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });

    auto* text = new QVBoxLayout;
    for (QLabel* l : {lbTitle, lbVersion, lbC})
        text->addWidget(l);
    text->addSpacing(12);
    for (QLabel* l : lbContact)
        text->addWidget(l);
    text->addSpacing(12);
    for (QLabel* l : lbWeb)
        text->addWidget(l);
    text->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(20);
    grid->addWidget(imLogo, 0, 0, Qt::AlignTop);
    grid->addLayout(text, 0, 1);
    grid->addWidget(cmdOK, 1, 1, Qt::AlignRight);
    for (QLabel* l : {lbTitle, lbVersion, lbC, lbContact[0], lbContact[1], lbContact[2]}) {
        l->setMouseTracking(true);
        l->installEventFilter(this);
    }
    imLogo->setMouseTracking(true);

    Form_Load();
}

void FrmAbout::Form_Load()
{
    lbVersion->setText(VersionText(SELVARA_VERSION_MAJOR, SELVARA_VERSION_MINOR));
    lbC->setText(Edition::kMakersMark);
    // Enter closes the window, as its button says, until the user moves on.
    cmdOK->setFocus();
}

void FrmAbout::cmdOK_Click()
{
    close();
}

QUrl FrmAbout::UpdatesAddress() const
{
    const QString address = QStringLiteral(SELVARA_UPDATES_URL);
    if (!address.isEmpty())
        return QUrl(address);
    return QUrl::fromLocalFile(m_state.gAppPath + QStringLiteral("/help/release_notes.html"));
}

void FrmAbout::lbWeb_Click(int Index)
{
    switch (Index) {
    case 0: {
        const QUrl address = UpdatesAddress();
        if (address.isLocalFile() && !QFileInfo(address.toLocalFile()).isFile()) {
            m_program.platform().dialogs().messageBox(
                {MsgIcon::Exclamation, MsgButtons::Ok, windowTitle(),
                 QStringLiteral("Δεν βρέθηκε η σελίδα με τα νέα κάθε έκδοσης:\r") + address.toLocalFile()});
            return;
        }
        m_program.platform().openUrl(address);
        break;
    }
    case 1:
    case 2: {
        FrmIZelkor& text = m_program.loadFrmIZelkor();
        text.init(Index);
        text.ShowModeless();
        break;
    }
    case 3: m_program.loadFrmSystemInfo().ShowModeless(); break;
    default: break;
    }
}

void FrmAbout::lbWeb_MouseMove(int Index)
{
    for (int i = 0; i < 4; ++i) {
        QFont f = lbWeb[i]->font();
        f.setUnderline(i == Index);
        lbWeb[i]->setFont(f);
    }
}

void FrmAbout::Form_MouseMove()
{
    lbWeb_MouseMove(-1);
}

void FrmAbout::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    AuxWindow::mouseMoveEvent(event);
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    int index = -1;
    for (int i = 0; i < 4; ++i)
        if (watched == lbWeb[i])
            index = i;
    const QEvent::Type type = event->type();
    if (index < 0) {
        if (type == QEvent::MouseMove || type == QEvent::Enter)
            Form_MouseMove();
        return AuxWindow::eventFilter(watched, event);
    }
    switch (type) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::FocusIn:
        lbWeb_MouseMove(index);
        break;
    case QEvent::Leave:
    case QEvent::FocusOut:
        Form_MouseMove();
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && lbWeb[index]->rect().contains(mouse->position().toPoint())) {
            guarded([=, this] { lbWeb_Click(index); });
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            guarded([=, this] { lbWeb_Click(index); });
            return true;
        }
        break;
    }
    default:
        break;
    }
    return AuxWindow::eventFilter(watched, event);
}
