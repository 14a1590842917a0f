#include "pages/PageSql.h"

namespace PageSql {

namespace {
const QString kRelatedFrom = QStringLiteral(
    " FROM TOPIC INNER JOIN (ABSTRACT INNER JOIN (LAW INNER JOIN ABSTRACT_LAW ON LAW.LAW_ID = ABSTRACT_LAW.LAW_ID) ON ABSTRACT.ABSTRACT_ID = ABSTRACT_LAW.ABSTRACT_ID) ON TOPIC.TOPIC_ID = ABSTRACT.TOPIC_ID");
}

QString TopicAbstracts(qint32 topicId)
{
    return QStringLiteral("SELECT topic.descr as topic_descr, abstract.abstract_id, abstract.descr as abstr_descr ")
        + QStringLiteral(" FROM topic, abstract ")
        + QStringLiteral(" WHERE topic.topic_id = abstract.topic_id and topic.topic_id = ") + QString::number(topicId)
        + QStringLiteral(" ORDER BY aa_abstr_flag asc ");
}

QString AbstractLaws(qint32 abstractId)
{
    return QStringLiteral(" SELECT law.law_id,law.descr, law.title ")
        + QStringLiteral(" FROM abstract, abstract_law, law ")
        + QStringLiteral(" WHERE abstract_law.abstract_id = ") + QString::number(abstractId)
        + QStringLiteral(" and abstract.abstract_id = abstract_law.abstract_id ")
        + QStringLiteral(" and abstract_law.law_id = law.law_id ")
        + QStringLiteral(" and abstract_law.display_conn_flag = 1 ")
        + QStringLiteral(" ORDER BY abstract_law.aa_law_flag ");
}

QString LawRecord(qint32 lawId, bool fromHistory)
{
    const QString select = fromHistory
        ? QStringLiteral(" SELECT law.title,law.descr,law.type_id,law.all_law_flag,BlobType,LAWTYPE.display_flag ")
        : QStringLiteral(" SELECT law.title,law.descr,law.type_id,law.all_law_flag, BlobType, LAWTYPE.display_flag ");
    return select + QStringLiteral(" FROM law,LAWTYPE ") + QStringLiteral(" WHERE law.law_id = ")
        + QString::number(lawId) + QStringLiteral(" and law.type_id = LAWTYPE.type_id ");
}

QString AssembledLawRecord(qint32 lawId)
{
    return QStringLiteral(" SELECT law.title,law.descr,law_code,BlobType ") + QStringLiteral(" FROM law,LAWTYPE ")
        + QStringLiteral(" WHERE law.law_id = ") + QString::number(lawId)
        + QStringLiteral(" and LAWTYPE.display_flag = 1 ") + QStringLiteral(" and law.type_id = LAWTYPE.type_id ");
}

QString LawGroup(const QString& quotedLawCode)
{
    return QStringLiteral("SELECT law.law_id,law.title, law.descr, law.type_id, law.article_code,law.law_code,law.parag_code,BlobType ")
        + QStringLiteral(" FROM law ") + QStringLiteral(" WHERE law.law_code = ") + quotedLawCode
        + QStringLiteral(" ORDER BY val(law.article_code) asc, val(law.parag_code) asc,val(law.parag_subcode) asc");
}

QString ArticleCount(const QString& quotedArticleCode, const QString& quotedLawCode)
{
    return QStringLiteral(" SELECT count(*) as l_count ") + QStringLiteral(" FROM law ")
        + QStringLiteral(" WHERE law.article_code = ") + quotedArticleCode
        + QStringLiteral(" and law.law_code = ") + quotedLawCode + QStringLiteral(" and law.type_id = 2");
}

QString ParagraphCount(const QString& quotedArticleCode, const QString& quotedLawCode, const QString& quotedParagCode)
{
    return QStringLiteral(" SELECT count(*) as l_count ") + QStringLiteral(" FROM law ")
        + QStringLiteral(" WHERE law.article_code = ") + quotedArticleCode
        + QStringLiteral(" and law.law_code = ") + quotedLawCode
        + QStringLiteral(" and law.parag_code = ") + quotedParagCode + QStringLiteral(" and law.type_id = 5");
}

QString RelatedTopics(const QString& idList, bool fromHistory)
{
    return QStringLiteral(" SELECT TOPIC.TOPIC_ID, TOPIC.DESCR") + kRelatedFrom
        + (fromHistory ? QStringLiteral(" WHERE ABSTRACT_LAW.law_id In(") : QStringLiteral(" WHERE ABSTRACT_LAW.LAW_ID In("))
        + idList + QStringLiteral(")");
}

QString LawCodes(const QString& idList)
{
    return QStringLiteral("Select LAW_CODE from LAW Where LAW_ID In(") + idList + QStringLiteral(")");
}

QString RelatedTopicsOfCode(const QString& lawCode)
{
    QString code = lawCode;
    code.replace(QLatin1Char('\''), QLatin1String("''"));
    return QStringLiteral(" SELECT dISTINCT TOPIC.TOPIC_ID, TOPIC.DESCR") + kRelatedFrom
        + QStringLiteral(" WHERE LAW.LAW_CODE In('") + code + QStringLiteral("')");
}

QString ScheduleNodeAbstracts(qint32 scheduleId)
{
    return QStringLiteral("SELECT Schedule.IsBlob,Schedule.descr as Schedule_descr, ScheduleAbstract.Abstract_id, ScheduleAbstract.descr as abstr_descr ")
        + QStringLiteral(" FROM Schedule, ScheduleAbstract ")
        + QStringLiteral(" WHERE Schedule.Schedule_id = ScheduleAbstract.Schedule_id and Schedule.Schedule_id = ")
        + QString::number(scheduleId) + QStringLiteral(" ORDER BY aa_abstr_flag asc ");
}

QString TemplateRecord(qint32 templateId)
{
    return QStringLiteral(" SELECT Schedulelaw.title,Schedulelaw.descr,Schedulelaw.type_id,Schedulelaw.all_law_flag,LAWTYPE.display_flag ")
        + QStringLiteral(" FROM Schedulelaw,LAWTYPE ") + QStringLiteral(" WHERE Schedulelaw.law_id = ")
        + QString::number(templateId) + QStringLiteral(" and Schedulelaw.type_id = LAWTYPE.type_id ");
}

QString AssembledTemplateRecord(qint32 templateId)
{
    return QStringLiteral(" SELECT Schedulelaw.title,Schedulelaw.descr,law_code ")
        + QStringLiteral(" FROM Schedulelaw,LAWTYPE ") + QStringLiteral(" WHERE Schedulelaw.law_id = ")
        + QString::number(templateId) + QStringLiteral(" and LAWTYPE.display_flag = 1 ")
        + QStringLiteral(" and Schedulelaw.type_id = LAWTYPE.type_id ");
}

QString TemplateGroup(const QString& quotedLawCode)
{
    return QStringLiteral("SELECT Schedulelaw.law_id,Schedulelaw.title, Schedulelaw.descr, Schedulelaw.type_id, Schedulelaw.article_code,Schedulelaw.law_code,Schedulelaw.parag_code ")
        + QStringLiteral("  from Schedulelaw ") + QStringLiteral(" WHERE Schedulelaw.law_code = ") + quotedLawCode
        + QStringLiteral(" ORDER BY val(Schedulelaw.article_code) asc, val(Schedulelaw.parag_code) asc,val(Schedulelaw.parag_subcode) asc");
}

QString TemplateArticleCount(const QString& quotedArticleCode, const QString& quotedLawCode)
{
    return QStringLiteral(" SELECT count(*) as l_count ") + QStringLiteral("  from Schedulelaw ")
        + QStringLiteral(" WHERE Schedulelaw.article_code = ") + quotedArticleCode
        + QStringLiteral(" and Schedulelaw.law_code = ") + quotedLawCode + QStringLiteral(" and Schedulelaw.type_id = 2");
}

QString TemplateParagraphCount(const QString& quotedArticleCode, const QString& quotedLawCode, const QString& quotedParagCode)
{
    return QStringLiteral(" SELECT count(*) as l_count ") + QStringLiteral("  from Schedulelaw ")
        + QStringLiteral(" WHERE Schedulelaw.article_code = ") + quotedArticleCode
        + QStringLiteral(" and Schedulelaw.law_code = ") + quotedLawCode
        + QStringLiteral(" and Schedulelaw.parag_code = ") + quotedParagCode + QStringLiteral(" and Schedulelaw.type_id = 5");
}

} // namespace PageSql
