#pragma once

#include <QString>

// The statements the topic, law and template pages issue. Pieces keep their
// blanks exactly; quoted* arguments are literals from SqlTools::QuoteValue.
namespace PageSql {

// Topic page.
QString TopicAbstracts(qint32 topicId);
QString AbstractLaws(qint32 abstractId);

// Law page. fromHistory: the page was asked for from the history list.
QString LawRecord(qint32 lawId, bool fromHistory);
QString AssembledLawRecord(qint32 lawId);
QString LawGroup(const QString& quotedLawCode);
QString ArticleCount(const QString& quotedArticleCode, const QString& quotedLawCode);
QString ParagraphCount(const QString& quotedArticleCode, const QString& quotedLawCode, const QString& quotedParagCode);
QString RelatedTopics(const QString& idList, bool fromHistory);
QString LawCodes(const QString& idList);
// The topics linked to any record of the law's group. The law code is placed
// between the quotes of an In list; its own apostrophes are doubled there.
QString RelatedTopicsOfCode(const QString& lawCode);

// Schedule node page and template page.
QString ScheduleNodeAbstracts(qint32 scheduleId);
QString TemplateRecord(qint32 templateId);
QString AssembledTemplateRecord(qint32 templateId);
QString TemplateGroup(const QString& quotedLawCode);
QString TemplateArticleCount(const QString& quotedArticleCode, const QString& quotedLawCode);
QString TemplateParagraphCount(const QString& quotedArticleCode, const QString& quotedLawCode, const QString& quotedParagCode);

} // namespace PageSql
