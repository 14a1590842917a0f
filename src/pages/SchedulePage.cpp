#include "pages/SchedulePage.h"

#include "data/Database.h"
#include "pages/PageSql.h"

ScheduleNodePage BuildScheduleNodePage(Database& db, qint32 scheduleId)
{
    ScheduleNodePage page;
    Recordset rs = db.execute(PageSql::ScheduleNodeAbstracts(scheduleId));
    if (rs.eof())
        return page;
    const QVariant isBlob = rs.value(u"IsBlob");
    if (!isBlob.isNull() && isBlob.toLongLong() != 0) {
        page.outcome = ScheduleNodePage::Outcome::StoredDocument;
        page.documentAbstractId = rs.toLong(u"Abstract_id");
        return page;
    }
    if (rs.isNull(u"abstr_descr")) {
        page.outcome = ScheduleNodePage::Outcome::FirstAbstractNull;
        return page;
    }
    page.outcome = ScheduleNodePage::Outcome::Built;
    page.html += QStringLiteral("<h1>") + rs.text(u"Schedule_descr") + QStringLiteral("</h1>");
    while (!rs.eof()) {
        page.html += rs.text(u"abstr_descr");
        rs.moveNext();
    }
    rs.close();
    return page;
}
