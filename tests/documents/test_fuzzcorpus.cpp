// Every input kept in the fuzz corpus goes through its entry point again, so
// what once crashed a fuzz target keeps being checked by the normal tests.
#include "../fuzz/FuzzEntryPoints.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>

namespace {

void Replay(const QString& target, const std::function<void(const QByteArray&)>& entry)
{
    const QDir dir(QStringLiteral(SELVARA_SOURCE_DIR "/tests/fuzz/corpus/") + target);
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << dir.path().toStdString();
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        entry(file.readAll());
    }
}

} // namespace

TEST(FuzzCorpus, Rtf) { Replay(QStringLiteral("rtf"), FuzzEntry::Rtf); }
TEST(FuzzCorpus, LinkId) { Replay(QStringLiteral("linkid"), FuzzEntry::LinkId); }
TEST(FuzzCorpus, ImageSources) { Replay(QStringLiteral("imagesources"), FuzzEntry::ImageSources); }
TEST(FuzzCorpus, History) { Replay(QStringLiteral("history"), FuzzEntry::History); }
TEST(FuzzCorpus, Page) { Replay(QStringLiteral("page"), FuzzEntry::Page); }
TEST(FuzzCorpus, Nesting) { Replay(QStringLiteral("nesting"), FuzzEntry::Nesting); }
TEST(FuzzCorpus, Jet) { Replay(QStringLiteral("jet"), FuzzEntry::Jet); }
