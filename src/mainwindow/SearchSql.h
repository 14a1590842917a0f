#pragma once

#include <QString>

// The search statements; cond is the search condition with its outer blanks
// removed, p a parent id.
namespace SearchSql {

QString TopicKeywords(const QString& cond);
QString TopicTitles(const QString& cond);
QString TopicAncestor(qint32 p);
QString LawKeywords(const QString& cond);
QString LawTitles(const QString& cond);
// Laws whose number matches, for the title search: "4186" finds 4186/2013.
QString LawNumbers(const QString& cond);
QString Schedule(const QString& cond);
QString ScheduleAncestor(qint32 p);

} // namespace SearchSql
