#pragma once

#include <QString>

// The statements the trees and the main window's load issue. Pieces keep
// their blanks exactly; ids are written in decimal.
namespace TreeSql {

QString TopicRoots();
QString TopicChildren(qint32 parentId);
// Search mode counts the children of a top-level topic with this statement.
QString TopicChildCount(qint32 parentId);

QString LawTypes();
QString LawsOfType(qint32 typeId);
QString LawCountOfType(qint32 typeId);
// Search mode counts a type's laws with this statement.
QString LawCountOfTypeRoot(qint32 typeId);
// quotedLawCode: the law code as SqlTools::QuoteValue gives it.
QString ConsolidatedVersion(const QString& quotedLawCode);

QString ScheduleRoots();
QString ScheduleChildren(qint32 parentId);
QString ScheduleChildCount(qint32 parentId);

// The main window's load, and the settings window's opening.
QString SysInfoDisplay();
QString SysInfoDisplayForSettings();

} // namespace TreeSql
