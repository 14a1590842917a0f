#pragma once

#include <QList>
#include <QString>

class Database;
class SqlTools;

// The statements of a table of legal texts (laws, or the templates of the
// document guide), which share one way of building a page.
struct LawTextQueries {
    QString (*record)(qint32 id, bool fromHistory);
    QString (*assembledRecord)(qint32 id);
    QString (*group)(const QString& quotedLawCode);
    QString (*articleCount)(const QString& quotedArticleCode, const QString& quotedLawCode);
    QString (*paragraphCount)(const QString& quotedArticleCode, const QString& quotedLawCode, const QString& quotedParagCode);
    // Laws stored whole may be attached documents; templates are not tested here.
    bool wholeRecordDocuments;
};

const LawTextQueries& LawQueries();
const LawTextQueries& TemplateQueries();

struct LawPage {
    bool hasRecord = false;  // the first query found the row
    QString recordTitle;     // the row's title
    // Whole record stored as an attached document: its id, and no page.
    qint32 documentId = 0;
    bool assembled = false;
    QString heading;  // assembled layout: " <H1>…</H1><BR>"
    QString body;     // assembled layout: " " + text + sections
    qint32 lastGroupId = 0;
    QString html;     // the page; empty when none was built
};

// Builds the page of one text: the record whole, or assembled from the
// articles, paragraphs and sub-paragraphs that share its number, in numeric
// order, leaving out a part whose whole article (or paragraph) has a record.
LawPage BuildLawPage(Database& db, const SqlTools& tools, const LawTextQueries& queries, qint32 id, bool fromHistory);

struct RelatedTopic {
    QString descr;
    qint32 topicId = 0;
};

// Appends the topics linked to the law and, unless asked for from the history,
// those linked to any record of its number that are not listed yet by title.
void AppendRelatedTopics(Database& db, qint32 lawId, bool fromHistory, QList<RelatedTopic>& topics);
