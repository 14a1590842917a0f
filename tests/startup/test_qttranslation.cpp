// Qt's own texts in Greek: our translation covers every string of the
// dialogs and menus the program can show, and the program loads it.
#include "startup/Dialogs.h"
#include "startup/QtTranslation.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

const QSet<QString> kContexts{
    QStringLiteral("QPrintDialog"), QStringLiteral("QPrintPropertiesWidget"), QStringLiteral("QPrintPropertiesDialog"),
    QStringLiteral("QPrintSettingsOutput"), QStringLiteral("QPrintWidget"), QStringLiteral("QCupsJobWidget"),
    QStringLiteral("QPageSetupWidget"), QStringLiteral("QPageSize"), QStringLiteral("QPrintPreviewDialog"),
    QStringLiteral("QFileDialog"), QStringLiteral("QFileSystemModel"), QStringLiteral("QAbstractFileIconProvider"), QStringLiteral("QMessageBox"),
    QStringLiteral("QDialogButtonBox"), QStringLiteral("QPlatformTheme"), QStringLiteral("QGnomeTheme"),
    QStringLiteral("QLineEdit"), QStringLiteral("QWidgetTextControl"), QStringLiteral("QColorDialog")};

struct Message {
    QString key;  // context, source and comment
    QString translation;
    bool unfinished = false;
};

QList<Message> readTs(const QString& path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    QString source, comment;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
                m.key = context + u'\x1f' + source + u'\x1f' + comment;
                messages.append(m);
            }
            continue;
        }
        const auto name = xml.name();
        if (name == QLatin1String("name"))
            context = xml.readElementText();
        else if (name == QLatin1String("message")) {
            m = Message();
            source.clear();
            comment.clear();
        } else if (name == QLatin1String("source"))
            source = xml.readElementText();
        else if (name == QLatin1String("comment"))
            comment = xml.readElementText();
        else if (name == QLatin1String("translation")) {
            m.unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return messages;
}

} // namespace

TEST(QtTranslation, EveryStringOfTheProgramsDialogsAndMenusIsGreek)
{
    const QString lconvert = QStringLiteral(SELVARA_LCONVERT);
    const QDir qtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    const QStringList others = qtTranslations.entryList({QStringLiteral("qtbase_*.qm")}, QDir::Files);
    if (lconvert.isEmpty() || others.isEmpty())
        GTEST_SKIP() << "Qt's translation tools or its translations are not installed (scripts/install-deps.sh installs them)";

    QHash<QString, Message> ours;
    for (const Message& m : readTs(QStringLiteral(SELVARA_SOURCE_DIR "/translations/qtbase_el.ts")))
        ours.insert(m.key, m);
    ASSERT_FALSE(ours.isEmpty());

    // Qt's translations into other languages list the English strings of
    // this Qt version; together they list every one.
    QTemporaryDir scratch;
    QSet<QString> wanted;
    for (const QString& qm : others) {
        const QString ts = scratch.filePath(QFileInfo(qm).completeBaseName() + QStringLiteral(".ts"));
        ASSERT_EQ(QProcess::execute(lconvert, {QStringLiteral("-i"), qtTranslations.filePath(qm), QStringLiteral("-o"), ts}), 0);
        for (const Message& m : readTs(ts))
            if (kContexts.contains(m.key.section(u'\x1f', 0, 0)))
                wanted.insert(m.key);
    }
    ASSERT_GT(wanted.size(), 300);
    for (const QString& key : std::as_const(wanted)) {
        const auto found = ours.constFind(key);
        ASSERT_NE(found, ours.constEnd()) << "no Greek for " << QString(key).replace(u'\x1f', u'|').toStdString();
        EXPECT_FALSE(found->unfinished || found->translation.isEmpty()) << QString(key).replace(u'\x1f', u'|').toStdString();
    }
}

TEST(QtTranslation, AMessageBoxOfTheProgramSaysAkyro)
{
    ASSERT_TRUE(InstallQtTranslation(*QCoreApplication::instance(), QStringLiteral(SELVARA_APP_DIR)));
    std::unique_ptr<QMessageBox> box(BuildMessageBox({MsgIcon::Question, MsgButtons::OkCancel, QStringLiteral("Τίτλος"), QStringLiteral("Ερώτηση")}));
    EXPECT_EQ(box->button(QMessageBox::Cancel)->text(), QStringLiteral("Άκυρο"));
    std::unique_ptr<QMessageBox> yesNo(BuildMessageBox({MsgIcon::Question, MsgButtons::YesNo, QString(), QStringLiteral("Ερώτηση")}));
    EXPECT_EQ(yesNo->button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ναι"));
}
