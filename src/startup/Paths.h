#pragma once

#include <QString>

// Installation folder layout and path joining.
namespace Paths {

inline const QString kDatabaseFile = QStringLiteral("edudataD.mdb");
inline const QString kHelpFolder = QStringLiteral("help");
inline const QString kHistoryFile = QStringLiteral("history.txt");
inline const QString kOldFolderName = QStringLiteral("\\TARVOD");
inline const QString kOldExecutable = QStringLiteral("TarvoD.exe");

// The platform's path separator.
QChar Separator();
bool EndsWithSeparator(const QString& path);

// folder + one separator + name; no separator is added when the folder already
// ends in one (a drive or file-system root). A name may start with separators
// of either kind; they are dropped.
QString Join(const QString& folder, const QString& name);

} // namespace Paths
