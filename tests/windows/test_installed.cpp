// What an installed, read-only program keeps elsewhere, and its command line.
#include "data/Database.h"
#include "startup/CommandLine.h"
#include "startup/Edition.h"
#include "startup/HeadlessPlatform.h"
#include "windows/SettingsSql.h"
#include "windows/StartupSwitch.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

qint32 storedInDatabase(const QString& path)
{
    Database db(QStringLiteral("check"));
    db.open(path, true);
    Recordset rs = db.execute(QStringLiteral("SELECT sys_info_display FROM system_law_parameters"));
    return rs.toLong(u"sys_info_display");
}

} // namespace

TEST(StartupSwitch, AReadOnlyDatabaseIsLeftAloneAndTheSettingsKeepTheValue)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edudataD.mdb"));
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "CREATE TABLE system_law_parameters (sys_info_display INTEGER); "
                      "INSERT INTO system_law_parameters VALUES (0);", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    HeadlessPlatform platform;
    RegistryStore& reg = platform.registry();
    EXPECT_FALSE(StartupSwitch::UserValue(reg));

    Database readOnly(QStringLiteral("installed"));
    readOnly.open(path, true);
    ASSERT_TRUE(readOnly.isReadOnly());
    StartupSwitch::Store(readOnly, reg, SettingsSql::UpdateFromSystemInfo(1), 1);
    EXPECT_EQ(StartupSwitch::UserValue(reg), 1);
    EXPECT_EQ(storedInDatabase(path), 0);

    // Writable again: the database takes the value, and the settings, read
    // first, do not contradict it.
    Database writable(QStringLiteral("build"));
    writable.open(path, false);
    ASSERT_FALSE(writable.isReadOnly());
    StartupSwitch::Store(writable, reg, SettingsSql::UpdateFromSettings(0), 0);
    EXPECT_EQ(storedInDatabase(path), 0);
    EXPECT_EQ(StartupSwitch::UserValue(reg), 0);
    StartupSwitch::Store(writable, reg, SettingsSql::UpdateFromSettings(2), 2);
    EXPECT_EQ(storedInDatabase(path), 2);
    EXPECT_EQ(StartupSwitch::UserValue(reg), 2);
}

TEST(CommandLine, VersionAndHelpAreAnsweredAndAnythingElseStartsTheProgram)
{
    const auto version = AnswerCommandLine({QStringLiteral("selvara"), QStringLiteral("--version")}, QString());
    ASSERT_TRUE(version);
    EXPECT_EQ(version->text, Edition::kBuiltTitle + u' ' + VersionNumber() + u'\n');
    EXPECT_EQ(VersionNumber(2, 9), QStringLiteral("2.09"));
    const auto help = AnswerCommandLine({QStringLiteral("selvara"), QStringLiteral("-h")}, QStringLiteral("/usr/share/selvara"));
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->text.contains(QStringLiteral("Χρήση:")));
    EXPECT_TRUE(help->text.contains(QStringLiteral("/usr/share/selvara")));
    EXPECT_EQ(help->status, 0);
    EXPECT_FALSE(AnswerCommandLine({QStringLiteral("selvara"), QStringLiteral("-platform"), QStringLiteral("xcb")}, QString()));
    EXPECT_FALSE(AnswerCommandLine({QStringLiteral("selvara")}, QString()));
}
