#include "pages/TopicPage.h"

#include "data/Database.h"
#include "pages/PageSql.h"
#include "startup/Edition.h"

TopicPage BuildTopicPage(Database& db, qint32 topicId, const QString& appTitle)
{
    TopicPage page;
    Recordset rs = db.execute(PageSql::TopicAbstracts(topicId));
    page.html = QStringLiteral(" ");
    if (rs.eof())
        return page;
    if (rs.isNull(u"abstr_descr")) {
        page.outcome = TopicPage::Outcome::FirstAbstractNull;
        return page;
    }
    page.outcome = TopicPage::Outcome::Built;
    page.html += QStringLiteral("<h1>") + rs.text(u"topic_descr") + QStringLiteral("</h1>");
    const bool withLinks = appTitle != Edition::kSelvara;
    while (!rs.eof()) {
        Recordset laws;
        if (withLinks)
            laws = db.openRecordset(PageSql::AbstractLaws(rs.toLong(u"abstract_id")), CursorType::Keyset);
        page.html += rs.text(u"abstr_descr");
        if (withLinks) {
            // The law area was blanked before the page was built, so an
            // abstract without laws leaves nothing to blank.
            while (!laws.eof()) {
                const QString id = QString::number(laws.toLong(u"law_id"));
                page.html += QStringLiteral("<a href =#") + id + QStringLiteral(" id = ") + id + QStringLiteral(">")
                    + laws.text(u"title") + QStringLiteral("</a><br>");
                laws.moveNext();
            }
            laws.close();
        }
        rs.moveNext();
    }
    rs.close();
    return page;
}
