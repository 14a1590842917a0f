#include "startup/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

bool InstallQtTranslation(QCoreApplication& app, const QString& applicationFolder)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_el"), QDir(applicationFolder).filePath(QStringLiteral("translations")))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
