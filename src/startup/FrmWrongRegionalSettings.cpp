#include "startup/FrmWrongRegionalSettings.h"

#include "data/JetFunctions.h"
#include "startup/AppState.h"
#include "startup/Edition.h"
#include "startup/ErrorReport.h"
#include "startup/Regional.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

const QColor FrmWrongRegionalSettings::kNavy(0, 0, 128);
const QColor FrmWrongRegionalSettings::kDarkRed(192, 0, 0);

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
}

QString indexed(const char* name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

} // namespace

FrmWrongRegionalSettings::FrmWrongRegionalSettings(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), m_state(state), m_platform(platform)
{
    setObjectName(QStringLiteral("frmWrongRegionalSettings"));
    setWindowTitle(QStringLiteral("Έλεγχος τοπικών ρυθμίσεων Η/Υ"));

    lbApplication[0] = makeLabel(this, indexed("lbApplication", 0), QString(), kDarkRed);
    QFont big = lbApplication[0]->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lbApplication[0]->setFont(big);

    lbNotes[0] = makeLabel(this, indexed("lbNotes", 0),
        QStringLiteral("Μετά τον έλεγχο των τοπικών ρυθμίσεων διαπιστώθηκε ότι οι ρυθμίσεις του υπολογιστή σας, "
                       "είναι λανθασμένες και δεν θα μπορέσετε να χρησιμοποιήσετε σωστά την εφαρμογή. Από ")
            + Regional::SettingsPlace(m_platform.osVersion().isWindows, qEnvironmentVariable("XDG_CURRENT_DESKTOP"))
            + QStringLiteral(" θα πρέπει να ορίσετε τα εξής:"),
        palette().color(QPalette::WindowText));

    const QString numbers[4] = {
        QStringLiteral("Η μορφή των Αριθμών πρέπει να είναι η ακόλουθη: 123.456.789,00"),
        QStringLiteral("Η μορφή της Νομισματικής Μονάδας πρέπει να είναι η ακόλουθη: 123.456.789,00"),
        QStringLiteral("Το σύμβολο της υποδιαστολής πρέπει να είναι κόμμα"),
        QStringLiteral("Το σύμβολο ομαδοποίησης ψηφίων πρέπει να είναι τελεία"),
    };
    for (int i = 0; i < 4; ++i)
        lbNumbers[i] = makeLabel(this, indexed("lbNumbers", i), numbers[i], kNavy);
    lbDate[0] = makeLabel(this, indexed("lbDate", 0),
                          QStringLiteral("Η μορφή της Ημερομηνίας πρέπει να είναι η ακόλουθη: ηη/μμ/εεεε"), kNavy);
    lbDate[1] = makeLabel(this, indexed("lbDate", 1),
                          QStringLiteral("Το διαχωριστικό ημερομηνίας πρέπει να είναι η κάθετος  /"), kNavy);
    lbHours[0] = makeLabel(this, indexed("lbHours", 0),
                           QStringLiteral("Η μορφή της Ώρας πρέπει να είναι η ακόλουθη: ΩΩ:λλ:δδ (24 ώρες)"), kNavy);
    lbHours[1] = makeLabel(this, indexed("lbHours", 1),
                           QStringLiteral("Το διαχωριστικό ώρας πρέπει να είναι η άνω κάτω τελεία :"), kNavy);
    lbOSInfo = makeLabel(this, QStringLiteral("lbOSInfo"), QStringLiteral("Λειτουργικό: "), kNavy);

    cmdUpdateReg = new QPushButton(QStringLiteral("Διόρθωση των ρυθμίσεων αυτόματα"), this);
    cmdUpdateReg->setObjectName(QStringLiteral("cmdUpdateReg"));
    cmdExit = new QPushButton(QStringLiteral("Κλείσιμο"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    connect(cmdUpdateReg, &QPushButton::clicked, this, [this] {
        RunEventHandler(m_platform.dialogs(), m_state.gAppTitle, [this] { cmdUpdateReg_Click(); });
    });
    connect(cmdExit, &QPushButton::clicked, this, [this] {
        RunEventHandler(m_platform.dialogs(), m_state.gAppTitle, [this] { cmdExit_Click(); });
    });

    cmdUpdateReg->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(lbApplication[0]);
    layout->addWidget(lbNotes[0]);
    auto group = [&](const QString& title, std::initializer_list<QLabel*> labels) {
        auto* box = new QGroupBox(title, this);
        auto* inner = new QVBoxLayout(box);
        for (QLabel* l : labels)
            inner->addWidget(l);
        layout->addWidget(box);
    };
    group(QStringLiteral("Αριθμοί"), {lbNumbers[0], lbNumbers[1], lbNumbers[2], lbNumbers[3]});
    group(QStringLiteral("Ημερομηνία"), {lbDate[0], lbDate[1]});
    group(QStringLiteral("Ώρα"), {lbHours[0], lbHours[1]});
    layout->addWidget(lbOSInfo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdUpdateReg);
    buttons->addWidget(cmdExit);
    layout->addLayout(buttons);
    resize(640, sizeHint().height());

    Form_Load();
}

void FrmWrongRegionalSettings::markWrong(QLabel* label, bool withText)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, lbApplication[0]->palette().color(QPalette::WindowText));
    label->setPalette(p);
    if (withText)
        label->setText(QStringLiteral("ERROR [") + label->text() + QStringLiteral("]"));
}

void FrmWrongRegionalSettings::Form_Load()
{
    const OsVersion version = m_platform.osVersion();
    gOSName = GetWindowsVersionName(version);
    lbOSInfo->setText(lbOSInfo->text() + QStringLiteral(" ") + gOSName);

    const bool harnel = m_state.gAppTitle == Edition::kHarnel;
    if (IsRepairableWindowsVersion(gOSName))
        cmdUpdateReg->setVisible(!harnel);

    if (m_state.gDecimalSep == m_state.gThousandSep)
        for (QLabel* l : lbNumbers)
            markWrong(l, true);

    if (!harnel) {
        if (m_state.gDateSep != QLatin1String("/") || m_state.gLongDateOrder != QLatin1String("1")) {
            markWrong(lbDate[0], true);
            markWrong(lbDate[1], true);
        }
    } else {
        const bool sepOk = m_state.gDateSep == QLatin1String("-") || m_state.gDateSep == QLatin1String(".")
            || m_state.gDateSep == QLatin1String("/");
        if (!sepOk || m_state.gLongDateOrder != QLatin1String("1")) {
            markWrong(lbDate[0], false);
            markWrong(lbDate[1], false);
        }
    }

    if (m_state.gTimeSep != QLatin1String(":") || Jet::Val(m_state.gTimeFormat) != 1.0) {
        markWrong(lbHours[0], true);
        markWrong(lbHours[1], true);
    }

    setWindowTitle(windowTitle() + QStringLiteral("  ") + Edition::kMakersMark);
    lbApplication[0]->setText(m_state.gAppTitle);
}

bool FrmWrongRegionalSettings::SetRegStrValueControlPanel(const QString& KeyParam, const QString& ParamValue)
{
    RegistryStore& reg = m_platform.registry();
    RegistryStore::Open open = reg.openKey(Hive::CurrentUser, Regional::kInternationalKey, true);
    if (open == RegistryStore::Open::NotFound) {
        CreateRegKey(reg, Regional::kInternationalKey);
        open = reg.openKey(Hive::CurrentUser, Regional::kInternationalKey, true);
    }
    if (open != RegistryStore::Open::Ok)
        return false;
    return reg.setValue(Hive::CurrentUser, Regional::kInternationalKey, KeyParam,
                        ParamValue.isEmpty() ? QStringLiteral(" ") : ParamValue);
}

void FrmWrongRegionalSettings::cmdUpdateReg_Click()
{
    for (const auto& [name, value] : RepairValues(gOSName, m_platform.osVersion().isWindows))
        SetRegStrValueControlPanel(name, value);
    Report::Confirmation(m_platform.dialogs(), QStringLiteral("Η διόρθωση των τοπικών ρυθμίσεων ολοκληρώθηκε επιτυχώς"));
    m_ending = true;
    close();
    if (onRepaired)
        onRepaired();
    else
        m_platform.endProgram(ExitStatus::RegionalSettings);
}

void FrmWrongRegionalSettings::cmdExit_Click()
{
    m_ending = true;
    close();
    m_platform.endProgram(ExitStatus::RegionalSettings);
}

void FrmWrongRegionalSettings::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_ending) {
        m_ending = true;
        m_platform.endProgram(ExitStatus::RegionalSettings);
    }
}

void FrmWrongRegionalSettings::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cmdExit->click();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (cmdExit->hasFocus())
            cmdExit->click();
        else
            cmdUpdateReg->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
