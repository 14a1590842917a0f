#pragma once

#include <QString>

class Platform;

// A Jet file found in the database's place (the publisher's own format) is
// offered for import before the connection opens. The original is kept
// under a name of its own and the imported file takes the database's name.
// False when the user asked for the import and it failed: start-up ends
// then, after its message, with the original file where it was.
bool OfferJetImport(Platform& platform, const QString& appTitle, const QString& appFolder);

// The first free name to keep the original under: edudataD.jet.mdb, then
// edudataD.jet.2.mdb and on, so that an older kept copy is not lost.
QString KeptJetName(const QString& appFolder);
