// The regional-settings check, its window and the repair.
#include "mainwindow/FrmInitial.h"
#include "startup/AppState.h"
#include "startup/DesktopPlatform.h"
#include "startup/Edition.h"
#include "startup/FrmWrongRegionalSettings.h"
#include "startup/Program.h"
#include "startup/Regional.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

AppState stateWith(const LocaleValues& v, const QString& title = QStringLiteral("Selvara"))
{
    AppState s;
    s.gAppTitle = title;
    Regional::StoreSnapshot(s, v);
    return s;
}

LocaleValues greek()
{
    return TestPlatform::GreekLocale();
}

bool isMarked(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText) == FrmWrongRegionalSettings::kDarkRed;
}

bool hasErrorText(const QLabel* label)
{
    return label->text().startsWith(QStringLiteral("ERROR [")) && label->text().endsWith(u']');
}

OsVersion windows(int platformId, int major, int minor)
{
    OsVersion v;
    v.isWindows = true;
    v.known = true;
    v.platformId = platformId;
    v.major = major;
    v.minor = minor;
    return v;
}

} // namespace

TEST(RegionalCheck, GreekConventionsPass)
{
    EXPECT_FALSE(RegionalSettingsWrong(stateWith(greek())));
}

TEST(RegionalCheck, EachRuleAloneMakesTheSettingsWrong)
{
    LocaleValues v = greek();
    v.thousandSep = QStringLiteral(",");
    EXPECT_TRUE(RegionalSettingsWrong(stateWith(v)));
    v = greek();
    v.timeFormat = QStringLiteral("0");
    EXPECT_TRUE(RegionalSettingsWrong(stateWith(v)));
    v = greek();
    v.longDateOrder = QStringLiteral("0");
    EXPECT_TRUE(RegionalSettingsWrong(stateWith(v)));
    v = greek();
    v.dateSep = QStringLiteral("-");
    EXPECT_TRUE(RegionalSettingsWrong(stateWith(v)));
    v = greek();
    v.timeSep = QStringLiteral(".");
    EXPECT_TRUE(RegionalSettingsWrong(stateWith(v)));
    // A fresh machine's C locale: month-first dates.
    EXPECT_TRUE(RegionalSettingsWrong(stateWith(TestPlatform::CLocale())));
}

TEST(RegionalSnapshot, OneCharacterEachAndABlankForEmpty)
{
    TestPlatform p;
    LocaleValues raw = {QStringLiteral(",x"), QString(), QStringLiteral("1"), QStringLiteral("/"), QStringLiteral("10"), QStringLiteral(":")};
    const LocaleValues s = Regional::Snapshot(raw, p.registry());
    EXPECT_EQ(s.decimalSep, QStringLiteral(","));
    EXPECT_EQ(s.thousandSep, QStringLiteral(" "));
    EXPECT_EQ(s.timeFormat, QStringLiteral("1"));
}

TEST(RegionalSnapshot, StoredRegionalValuesOverlayTheLocale)
{
    TestPlatform p;
    p.currentUser().setValue(QStringLiteral("Control Panel/International/sDecimal"), QStringLiteral(","));
    p.currentUser().setValue(QStringLiteral("Control Panel/International/sThousand"), QStringLiteral("."));
    p.currentUser().setValue(QStringLiteral("Control Panel/International/sLongDate"), QStringLiteral("dddd, d MMMM yyyy"));
    const LocaleValues s = Regional::Snapshot(TestPlatform::CLocale(), p.registry());
    EXPECT_EQ(s.decimalSep, QStringLiteral(","));
    EXPECT_EQ(s.thousandSep, QStringLiteral("."));
    EXPECT_EQ(s.longDateOrder, QStringLiteral("1"));
    EXPECT_EQ(s.dateSep, QStringLiteral("/"));
}

TEST(RegionalSnapshot, LongDatePicturesGiveTheirOrder)
{
    EXPECT_EQ(Regional::LongDateOrderOf(QStringLiteral("dddd, d MMMM yyyy")), QStringLiteral("1"));
    EXPECT_EQ(Regional::LongDateOrderOf(QStringLiteral("dddd, MMMM d, yyyy")), QStringLiteral("0"));
    EXPECT_EQ(Regional::LongDateOrderOf(QStringLiteral("yyyy'年'M'月'd'日'")), QStringLiteral("2"));
    EXPECT_EQ(Regional::LongDateOrderOf(QStringLiteral("'day' dd 'of' MMMM yyyy")), QStringLiteral("1"));
}

TEST(PosixLocale, FormatsGiveOrderClockAndSeparators)
{
    QString order, sep, clock, tsep;
    DateFormatValues(QStringLiteral("%m/%d/%y"), &order, &sep);
    EXPECT_EQ(order, QStringLiteral("0"));
    EXPECT_EQ(sep, QStringLiteral("/"));
    DateFormatValues(QStringLiteral("%d/%m/%Y"), &order, &sep);
    EXPECT_EQ(order, QStringLiteral("1"));
    DateFormatValues(QStringLiteral("%d.%m.%Y"), &order, &sep);
    EXPECT_EQ(sep, QStringLiteral("."));
    DateFormatValues(QStringLiteral("%F"), &order, &sep);
    EXPECT_EQ(order, QStringLiteral("2"));
    EXPECT_EQ(sep, QStringLiteral("-"));
    DateFormatValues(QStringLiteral("%D"), &order, &sep);
    EXPECT_EQ(order, QStringLiteral("0"));
    TimeFormatValues(QStringLiteral("%H:%M:%S"), &clock, &tsep);
    EXPECT_EQ(clock, QStringLiteral("1"));
    EXPECT_EQ(tsep, QStringLiteral(":"));
    TimeFormatValues(QStringLiteral("%r"), &clock, &tsep);
    EXPECT_EQ(clock, QStringLiteral("0"));
    TimeFormatValues(QStringLiteral("%OI.%M %p"), &clock, &tsep);
    EXPECT_EQ(clock, QStringLiteral("0"));
    EXPECT_EQ(tsep, QStringLiteral("."));
    TimeFormatValues(QStringLiteral("%T"), &clock, &tsep);
    EXPECT_EQ(clock, QStringLiteral("1"));
}

TEST(WindowsVersionName, TheTableAndTheOtherSystems)
{
    EXPECT_EQ(GetWindowsVersionName(windows(0, 3, 1)), QStringLiteral("Win32s on Windows 3.1"));
    EXPECT_EQ(GetWindowsVersionName(windows(1, 4, 0)), QStringLiteral("Windows 95"));
    EXPECT_EQ(GetWindowsVersionName(windows(1, 4, 90)), QStringLiteral("Windows Me"));
    EXPECT_EQ(GetWindowsVersionName(windows(1, 4, 10)), QStringLiteral("Windows 98"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 3, 51)), QStringLiteral("Windows NT 3.5"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 4, 0)), QStringLiteral("Windows NT 4.0"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 5, 0)), QStringLiteral("Windows 2000"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 5, 1)), QStringLiteral("Windows XP"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 5, 2)), QStringLiteral("Windows Server 2003"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 6, 0)), QStringLiteral("Windows Vista/Server 2008"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 6, 1)), QStringLiteral("Windows 7/Server 2008 R2"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 6, 2)), QStringLiteral("Windows 8"));
    EXPECT_EQ(GetWindowsVersionName(windows(2, 10, 0)), QStringLiteral("Windows NT"));
    EXPECT_EQ(GetWindowsVersionName(windows(3, 1, 0)), QString());
    OsVersion unknown = windows(2, 6, 1);
    unknown.known = false;
    EXPECT_EQ(GetWindowsVersionName(unknown), QStringLiteral("Αδυναμία αναγνώρισης έκδοσης Windows."));
    OsVersion debian;
    debian.known = true;
    debian.productName = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(GetWindowsVersionName(debian), QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
}

TEST(RepairValues, GroupsByVersionInTableOrder)
{
    EXPECT_EQ(RepairValues(QStringLiteral("Windows 8"), true).size(), 21);
    EXPECT_EQ(RepairValues(QStringLiteral("Windows 7/Server 2008 R2"), true).size(), 21);
    EXPECT_EQ(RepairValues(QStringLiteral("Windows Vista/Server 2008"), true).size(), 20);
    EXPECT_EQ(RepairValues(QStringLiteral("Windows XP"), true).size(), 18);
    EXPECT_TRUE(RepairValues(QStringLiteral("Windows 98"), true).isEmpty());
    EXPECT_TRUE(RepairValues(kUnknownWindowsVersion, true).isEmpty());

    const auto all = RepairValues(QStringLiteral("Debian GNU/Linux 12 (bookworm)"), false);
    ASSERT_EQ(all.size(), 21);
    EXPECT_EQ(all.first(), (QPair<QString, QString>{QStringLiteral("iTime"), QStringLiteral("1")}));
    EXPECT_EQ(all[11], (QPair<QString, QString>{QStringLiteral("sLongDate"), QStringLiteral("dddd, d MMMM yyyy")}));
    EXPECT_EQ(all[17].first, QStringLiteral("sMonThousandSep"));
    EXPECT_EQ(all[18], (QPair<QString, QString>{QStringLiteral("LocaleName"), QStringLiteral("el-GR")}));
    EXPECT_EQ(all.last(), (QPair<QString, QString>{QStringLiteral("sShortTime"), QStringLiteral("HH:mm")}));
}

class RegionalWindow : public ::testing::Test {
protected:
    std::unique_ptr<FrmWrongRegionalSettings> open(const LocaleValues& v, const QString& title = QStringLiteral("Selvara"))
    {
        state = stateWith(v, title);
        return std::make_unique<FrmWrongRegionalSettings>(state, platform);
    }

    TestPlatform platform;
    AppState state;
};

TEST_F(RegionalWindow, TextsAtLoad)
{
    LocaleValues v = greek();
    v.timeFormat = QStringLiteral("0");
    auto w = open(v);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Έλεγχος τοπικών ρυθμίσεων Η/Υ  ") + Edition::kMakersMark);
    EXPECT_EQ(w->lbApplication[0]->text(), QStringLiteral("Selvara"));
    EXPECT_EQ(w->lbOSInfo->text(), QStringLiteral("Λειτουργικό:  Debian GNU/Linux 12 (bookworm)"));
    EXPECT_EQ(w->lbDate[1]->text(), QStringLiteral("Το διαχωριστικό ημερομηνίας πρέπει να είναι η κάθετος  /"));
    EXPECT_EQ(w->cmdUpdateReg->text(), QStringLiteral("Διόρθωση των ρυθμίσεων αυτόματα"));
    EXPECT_EQ(w->cmdExit->text(), QStringLiteral("Κλείσιμο"));
    EXPECT_FALSE(w->cmdUpdateReg->isHidden());
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lbNumbers(3)")), w->lbNumbers[3]);
}

TEST_F(RegionalWindow, EqualSeparatorsMarkTheFourNumberLabels)
{
    LocaleValues v = greek();
    v.thousandSep = QStringLiteral(",");
    auto w = open(v);
    for (QLabel* l : w->lbNumbers) {
        EXPECT_TRUE(isMarked(l));
        EXPECT_TRUE(hasErrorText(l)) << l->text().toStdString();
    }
    EXPECT_EQ(w->lbNumbers[2]->text(), QStringLiteral("ERROR [Το σύμβολο της υποδιαστολής πρέπει να είναι κόμμα]"));
    for (QLabel* l : {w->lbDate[0], w->lbDate[1], w->lbHours[0], w->lbHours[1]}) {
        EXPECT_FALSE(isMarked(l));
        EXPECT_EQ(l->palette().color(QPalette::WindowText), FrmWrongRegionalSettings::kNavy);
    }
}

TEST_F(RegionalWindow, ATwelveHourClockMarksTheTimeLabels)
{
    LocaleValues v = greek();
    v.timeFormat = QStringLiteral("0");
    auto w = open(v);
    EXPECT_TRUE(hasErrorText(w->lbHours[0]));
    EXPECT_TRUE(hasErrorText(w->lbHours[1]));
    EXPECT_FALSE(isMarked(w->lbNumbers[0]));
    EXPECT_FALSE(isMarked(w->lbDate[0]));
}

TEST_F(RegionalWindow, MonthFirstDatesMarkTheDateLabels)
{
    LocaleValues v = greek();
    v.longDateOrder = QStringLiteral("0");
    auto w = open(v);
    EXPECT_TRUE(isMarked(w->lbDate[0]));
    EXPECT_TRUE(hasErrorText(w->lbDate[1]));
    EXPECT_FALSE(isMarked(w->lbHours[0]));
}

TEST_F(RegionalWindow, TheLooserEditionOnlyColoursDates)
{
    LocaleValues v = greek();
    v.dateSep = QStringLiteral("-");
    auto dashes = open(v, Edition::kHarnel);
    EXPECT_FALSE(isMarked(dashes->lbDate[0]));

    v.dateSep = QStringLiteral("x");
    auto other = open(v, Edition::kHarnel);
    EXPECT_TRUE(isMarked(other->lbDate[0]));
    EXPECT_FALSE(hasErrorText(other->lbDate[0]));
}

TEST_F(RegionalWindow, OnTheListedWindowsVersionsTheLooserEditionHidesTheRepair)
{
    platform.os = windows(2, 5, 1);
    auto w = open(greek(), Edition::kHarnel);
    EXPECT_TRUE(w->cmdUpdateReg->isHidden());
    auto selvara = open(greek());
    EXPECT_FALSE(selvara->cmdUpdateReg->isHidden());
}

TEST_F(RegionalWindow, OnWindows98TheRepairWritesNothingYetConfirms)
{
    platform.os = windows(1, 4, 10);
    auto w = open(TestPlatform::CLocale());
    w->cmdUpdateReg_Click();
    platform.currentUser().sync();
    EXPECT_TRUE(platform.currentUser().allKeys().isEmpty());
    ASSERT_EQ(platform.recorder.messages.size(), 1);
    EXPECT_EQ(platform.endedWith, QList<int>{ExitStatus::RegionalSettings});
}

TEST(RegionalText, TheDesktopsOwnPlaceForFormats)
{
    EXPECT_EQ(Regional::SettingsPlace(true, QString()),
              QStringLiteral("την επιλογή Έναρξη, Ρυθμίσεις, Πίνακας Ελέγχου, Τοπικές Ρυθμίσεις"));
    EXPECT_EQ(Regional::SettingsPlace(false, QStringLiteral("ubuntu:GNOME")),
              QStringLiteral("τις Ρυθμίσεις, Περιοχή και γλώσσα, Μορφές"));
    EXPECT_EQ(Regional::SettingsPlace(false, QStringLiteral("KDE")),
              QStringLiteral("τις Ρυθμίσεις συστήματος, Περιοχή και γλώσσα"));
    EXPECT_FALSE(Regional::SettingsPlace(false, QString()).contains(QStringLiteral("Πίνακας Ελέγχου")));
}

TEST_F(RegionalWindow, ClosingByTheFrameEndsTheProgramOnce)
{
    auto w = open(TestPlatform::CLocale());
    w->show();
    w->close();
    EXPECT_EQ(platform.endedWith, QList<int>{ExitStatus::RegionalSettings});
}

TEST(RegionalRepair, AfterTheRepairTheNextStartReachesTheMainWindow)
{
    TestPlatform platform;
    platform.locale = TestPlatform::CLocale();
    TestDatabase::Create(QDir(platform.appFolder).filePath(QStringLiteral("edudataD.mdb")),
                         QStringLiteral("INSERT INTO system_law_parameters VALUES (1);"));
    {
        Program first(platform);
        ASSERT_TRUE(first.Main());
        ASSERT_NE(first.frmWrongRegionalSettings(), nullptr);
        first.frmWrongRegionalSettings()->cmdUpdateReg->click();
        ASSERT_EQ(platform.recorder.messages.size(), 1);
        const MessageRequest& m = platform.recorder.messages[0];
        EXPECT_EQ(m.icon, MsgIcon::None);
        EXPECT_EQ(m.title, QString());
        EXPECT_EQ(m.prompt, QStringLiteral("Η διόρθωση των τοπικών ρυθμίσεων ολοκληρώθηκε επιτυχώς"));
        // The start goes on to the main window, with the repaired values.
        EXPECT_TRUE(platform.endedWith.isEmpty());
        EXPECT_FALSE(first.frmWrongRegionalSettings()->isVisible());
        ASSERT_NE(first.frmInitial(), nullptr);
        EXPECT_TRUE(first.frmInitial()->isVisible());
        EXPECT_EQ(first.state().gDecimalSep, QStringLiteral(","));
        first.frmInitial()->close();
    }
    QSettings written(platform.currentUser().fileName(), QSettings::IniFormat);
    written.beginGroup(QStringLiteral("Control Panel/International"));
    EXPECT_EQ(written.childKeys().size(), 21);
    EXPECT_EQ(written.value(QStringLiteral("sCountry")).toString(), QStringLiteral("Ελλάδα"));
    written.endGroup();

    Program second(platform);
    ASSERT_TRUE(second.Main());
    EXPECT_EQ(second.frmWrongRegionalSettings(), nullptr);
    ASSERT_NE(second.frmInitial(), nullptr);
    EXPECT_TRUE(second.frmInitial()->isVisible());
    EXPECT_EQ(second.state().gDecimalSep, QStringLiteral(","));
    EXPECT_EQ(second.state().gLongDateOrder, QStringLiteral("1"));
}
