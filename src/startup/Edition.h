#pragma once

#include <QString>

// The edition this build is, and the texts that go with every edition.
namespace Edition {

inline const QString kSelvara = QStringLiteral("Selvara");
inline const QString kTolvane = QStringLiteral("Tolvane");
inline const QString kKestrin = QStringLiteral("Kestrin");
// An edition whose regional rules are looser (dates may use "-" or ".").
inline const QString kHarnel = QStringLiteral("Harnel");

inline const QString kBuiltTitle = QStringLiteral(SELVARA_EDITION);

// Appended to window captions.
inline const QString kMakersMark = QStringLiteral("© ΖΕΛΚΟΡ");

} // namespace Edition

// How the process ends on each path of start-up and after.
namespace ExitStatus {
constexpr int Normal = 0;
constexpr int SecondInstance = 1;
constexpr int DataMissing = 2;
constexpr int ConnectionFailed = 3;
constexpr int TestOpeningFailed = 4;
constexpr int WrongVersion = 5;
constexpr int RegionalSettings = 6;
}
