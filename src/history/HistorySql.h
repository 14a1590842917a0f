#pragma once

#include <QString>

namespace HistorySql {

// The title of a kept law; idText is one line of the history file.
QString TitleForLoad(const QString& idText);
// The law about to be kept.
QString TitleForSave(qint32 lawId);

} // namespace HistorySql
