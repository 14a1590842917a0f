// Settings read and written through the registry routines, and the clean-up of
// an older installation.
#include "startup/Paths.h"
#include "startup/Registry.h"
#include "support/QtPrinters.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kTarvo = QStringLiteral("\\TARVO");
const QString kViewer = QStringLiteral("Application2Open");

QString viewerPath(TestPlatform& p)
{
    return GetRegString(p.registry(), true, kTarvo, kViewer, QString());
}

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

} // namespace

TEST(RegistrySettings, AbsentOrBlankValuesGiveTheDefault)
{
    TestPlatform p;
    EXPECT_EQ(viewerPath(p), QString());
    EXPECT_EQ(GetRegString(p.registry(), true, kTarvo, kViewer, QStringLiteral("dflt")), QStringLiteral("dflt"));
    p.currentUser().setValue(QStringLiteral("Software/ZELKOR/TARVO/Application2Open"), QStringLiteral("    "));
    EXPECT_EQ(GetRegString(p.registry(), true, kTarvo, kViewer, QStringLiteral("dflt")), QStringLiteral("dflt"));
    // The other hive is another store.
    p.currentUser().setValue(QStringLiteral("Software/ZELKOR/TARVO/Application2Open"), QStringLiteral("/usr/bin/x"));
    EXPECT_EQ(GetRegString(p.registry(), false, kTarvo, kViewer, QString()), QString());
}

TEST(RegistrySettings, ValuesAreTrimmedAndCutAtNul)
{
    TestPlatform p;
    p.currentUser().setValue(QStringLiteral("Software/ZELKOR/TARVO/Application2Open"), QStringLiteral("  /usr/bin/soffice  "));
    EXPECT_EQ(viewerPath(p), QStringLiteral("/usr/bin/soffice"));
    p.currentUser().setValue(QStringLiteral("Software/ZELKOR/TARVO/Application2Open"), QStringLiteral("/bin/a") + QChar(u'\0') + QStringLiteral("junk"));
    EXPECT_EQ(viewerPath(p), QStringLiteral("/bin/a"));
    // Longer than the read buffer: the read fails and the default stands.
    p.currentUser().setValue(QStringLiteral("Software/ZELKOR/TARVO/Application2Open"), QString(kRegBufferLength, u'a'));
    EXPECT_EQ(viewerPath(p), QString());
}

TEST(RegistrySettings, KeyAndValueNamesIgnoreCase)
{
    TestPlatform p;
    ASSERT_TRUE(SetRegString(p.registry(), kTarvo, kViewer, QStringLiteral("/opt/viewer")));
    EXPECT_EQ(viewerPath(p), QStringLiteral("/opt/viewer"));
    EXPECT_EQ(GetRegString(p.registry(), true, QStringLiteral("\\tarvo"), QStringLiteral("APPLICATION2OPEN"), QString()),
              QStringLiteral("/opt/viewer"));
    // Writing with another spelling updates the same value.
    ASSERT_TRUE(SetRegString(p.registry(), QStringLiteral("\\Tarvo"), QStringLiteral("application2open"), QStringLiteral("/opt/other")));
    EXPECT_EQ(viewerPath(p), QStringLiteral("/opt/other"));
    p.currentUser().sync();
    EXPECT_EQ(p.currentUser().childGroups(), QStringList{QStringLiteral("Software")});
}

TEST(RegistrySettings, AnEmptyValueIsStoredAsOneBlankAndReadsBackEmpty)
{
    TestPlatform p;
    ASSERT_TRUE(SetRegString(p.registry(), kTarvo, kViewer, QString()));
    EXPECT_EQ(p.currentUser().value(QStringLiteral("Software/ZELKOR/TARVO/Application2Open")).toString(), QStringLiteral(" "));
    EXPECT_EQ(viewerPath(p), QString());
}

TEST(RegistrySettings, StoringIntoAMissingKeyCreatesItAndLasts)
{
    TestPlatform p;
    ASSERT_EQ(p.registry().openKey(Hive::CurrentUser, QStringLiteral("Software\\ZELKOR\\TARVO"), true), RegistryStore::Open::NotFound);
    ASSERT_TRUE(SetRegString(p.registry(), kTarvo, kViewer, QStringLiteral("/usr/bin/soffice")));
    EXPECT_EQ(p.registry().openKey(Hive::CurrentUser, QStringLiteral("SOFTWARE\\ZELKOR\\TARVO"), false), RegistryStore::Open::Ok);
    QSettings reread(p.currentUser().fileName(), QSettings::IniFormat);
    EXPECT_EQ(reread.value(QStringLiteral("Software/ZELKOR/TARVO/Application2Open")).toString(), QStringLiteral("/usr/bin/soffice"));
}

TEST(ProgramFiles, StatusAndFolder)
{
    TestPlatform p;
    ProgramFilesDir missing = GetProgramFilesDir(p.registry());
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.folder, QStringLiteral("?"));
    p.setProgramFilesDir(QStringLiteral("   "));
    EXPECT_NE(GetProgramFilesDir(p.registry()).status, 1);
    p.setProgramFilesDir(QStringLiteral(" /opt/programs "));
    ProgramFilesDir found = GetProgramFilesDir(p.registry());
    EXPECT_EQ(found.status, 1);
    EXPECT_EQ(found.folder, QStringLiteral("/opt/programs"));
}

class OldInstallation : public ::testing::Test {
protected:
    void SetUp() override
    {
        programFiles = QDir(platform.scratch.path()).filePath(QStringLiteral("programs"));
        oldFolder = QDir(programFiles).filePath(QStringLiteral("TARVOD"));
        ASSERT_TRUE(QDir().mkpath(oldFolder));
        for (const char* name : {"TarvoD.exe", "edudataD.mdb", "history.txt"})
            touch(QDir(oldFolder).filePath(QString::fromLatin1(name)));
        platform.setProgramFilesDir(programFiles);
    }

    bool exists(const char* name) const { return QFile::exists(QDir(oldFolder).filePath(QString::fromLatin1(name))); }

    TestPlatform platform;
    QString programFiles;
    QString oldFolder;
};

TEST_F(OldInstallation, ADifferentFolderLosesTheTwoOldFilesOnly)
{
    RemoveOldInstallation(platform.registry(), platform.appFolder, Paths::kOldFolderName);
    EXPECT_FALSE(exists("TarvoD.exe"));
    EXPECT_FALSE(exists("edudataD.mdb"));
    EXPECT_TRUE(exists("history.txt"));
    EXPECT_TRUE(QFileInfo(oldFolder).isDir());
}

TEST_F(OldInstallation, TheRunningFolderItselfKeepsEverything)
{
    RemoveOldInstallation(platform.registry(), oldFolder, Paths::kOldFolderName);
    EXPECT_TRUE(exists("TarvoD.exe"));
    EXPECT_TRUE(exists("edudataD.mdb"));
}

TEST_F(OldInstallation, TheRunningFolderWrittenAnotherWayKeepsEverything)
{
    const QString dotted = programFiles + QStringLiteral("/./TARVOD/../TARVOD/");
    RemoveOldInstallation(platform.registry(), dotted, Paths::kOldFolderName);
    EXPECT_TRUE(exists("edudataD.mdb"));

    const QString link = QDir(platform.scratch.path()).filePath(QStringLiteral("link-to-install"));
    ASSERT_TRUE(QFile::link(oldFolder, link));
    RemoveOldInstallation(platform.registry(), link, Paths::kOldFolderName);
    EXPECT_TRUE(exists("TarvoD.exe"));
    EXPECT_TRUE(exists("edudataD.mdb"));
}

TEST_F(OldInstallation, ReadOnlyFilesAndMissingSettingsAreLeftAlone)
{
    QFile::setPermissions(QDir(oldFolder).filePath(QStringLiteral("edudataD.mdb")), QFileDevice::ReadOwner | QFileDevice::ReadUser);
    RemoveOldInstallation(platform.registry(), platform.appFolder, Paths::kOldFolderName);
    EXPECT_FALSE(exists("TarvoD.exe"));
    EXPECT_TRUE(exists("edudataD.mdb"));

    TestPlatform bare;
    RemoveOldInstallation(bare.registry(), bare.appFolder, Paths::kOldFolderName);
    SUCCEED();
}
