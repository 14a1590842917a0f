#include "pages/LawPage.h"

#include "data/Database.h"
#include "data/SqlTools.h"
#include "pages/PageSql.h"

#include <optional>

namespace {

QString templateRecord(qint32 id, bool)
{
    return PageSql::TemplateRecord(id);
}

// A Null makes every comparison with it fail.
std::optional<qint64> number(const Recordset& rs, QStringView column)
{
    const QVariant v = rs.value(column);
    if (v.isNull())
        return std::nullopt;
    return v.toLongLong();
}

qint32 count(Database& db, const QString& sql)
{
    Recordset rs = db.execute(sql);
    return rs.eof() ? 0 : rs.toLong(u"l_count");
}

} // namespace

const LawTextQueries& LawQueries()
{
    static const LawTextQueries q{&PageSql::LawRecord, &PageSql::AssembledLawRecord, &PageSql::LawGroup,
                                  &PageSql::ArticleCount, &PageSql::ParagraphCount, true};
    return q;
}

const LawTextQueries& TemplateQueries()
{
    static const LawTextQueries q{&templateRecord, &PageSql::AssembledTemplateRecord, &PageSql::TemplateGroup,
                                  &PageSql::TemplateArticleCount, &PageSql::TemplateParagraphCount, false};
    return q;
}

LawPage BuildLawPage(Database& db, const SqlTools& tools, const LawTextQueries& queries, qint32 id, bool fromHistory)
{
    LawPage page;
    Recordset record = db.openRecordset(queries.record(id, fromHistory), CursorType::Static);
    if (record.eof())
        return page;
    page.hasRecord = true;
    page.recordTitle = record.text(u"title");

    const std::optional<qint64> all = number(record, u"all_law_flag");
    const std::optional<qint64> display = number(record, u"display_flag");
    const bool whole = (all && *all == 1) || (display && *display != 1 && all && *all == 0);
    if (whole) {
        while (!record.eof()) {
            if (queries.wholeRecordDocuments && !record.text(u"BlobType").isEmpty())
                page.documentId = id;
            else
                page.html += QStringLiteral("<h1>") + record.text(u"title") + QStringLiteral("</h1>") + record.text(u"descr");
            record.moveNext();
        }
        return page;
    }

    page.assembled = true;
    page.heading = QStringLiteral(" ");
    page.body = QStringLiteral(" ");
    Recordset law = db.openRecordset(queries.assembledRecord(id), CursorType::Static);
    if (!law.eof()) {
        page.heading += QStringLiteral("<H1>") + law.text(u"title") + QStringLiteral("</H1><BR>");
        page.body += law.text(u"descr");
        Recordset group = db.openRecordset(queries.group(tools.QuoteValue(law.value(u"law_code"))), CursorType::Static);
        while (!group.eof()) {
            bool shown = false;
            const std::optional<qint64> kind = number(group, u"type_id");
            if (kind) {
                const QString article = tools.QuoteValue(group.value(u"article_code"));
                const QString code = tools.QuoteValue(group.value(u"law_code"));
                if (*kind == 2) {
                    shown = true;
                } else if (*kind == 5) {
                    shown = count(db, queries.articleCount(article, code)) == 0;
                } else if (*kind == 7) {
                    const QString parag = tools.QuoteValue(group.value(u"parag_code"));
                    shown = count(db, queries.paragraphCount(article, code, parag)) == 0
                        && count(db, queries.articleCount(article, code)) == 0;
                }
            }
            if (shown)
                page.body += QStringLiteral("<H2>") + group.text(u"title") + QStringLiteral("</H2>") + group.text(u"descr");
            page.lastGroupId = group.toLong(u"law_id");
            group.moveNext();
        }
    }
    page.html = page.heading + page.body;
    return page;
}

void AppendRelatedTopics(Database& db, qint32 lawId, bool fromHistory, QList<RelatedTopic>& topics)
{
    const QString idList = QString::number(lawId);
    Recordset linked = db.openRecordset(PageSql::RelatedTopics(idList, fromHistory), CursorType::Keyset);
    while (!linked.eof()) {
        if (!linked.isNull(u"DESCR"))
            topics.append({linked.text(u"DESCR"), linked.toLong(u"TOPIC_ID")});
        linked.moveNext();
    }
    linked.close();
    if (fromHistory)
        return;

    QString codes;
    Recordset codeRows = db.openRecordset(PageSql::LawCodes(idList), CursorType::Keyset);
    while (!codeRows.eof()) {
        codes += codeRows.text(u"LAW_CODE") + QStringLiteral(",");
        codeRows.moveNext();
    }
    codeRows.close();
    codes.chop(1);
    if (codes.isEmpty())
        return;
    Recordset byCode = db.openRecordset(PageSql::RelatedTopicsOfCode(codes), CursorType::Keyset);
    while (!byCode.eof()) {
        if (!byCode.isNull(u"DESCR")) {
            const QString descr = byCode.text(u"DESCR");
            bool listed = false;
            for (const RelatedTopic& t : topics)
                listed = listed || t.descr == descr;
            if (!listed)
                topics.append({descr, byCode.toLong(u"TOPIC_ID")});
        }
        byCode.moveNext();
    }
}
