#pragma once

#include <QString>

class QCoreApplication;

// Qt's own texts (print and file dialogs, message box buttons, text menus)
// in Greek: our translation, from the application folder's "translations".
// False when it is not there; Qt's English texts then stay.
bool InstallQtTranslation(QCoreApplication& app, const QString& applicationFolder);
