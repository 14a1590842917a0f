#include "mainwindow/TreeSql.h"

namespace TreeSql {

namespace {
const QString kSiblingOrder = QStringLiteral(" ORDER BY order_flag_lev1 asc,order_flag_lev2 asc,order_flag_lev3 asc ");
}

QString TopicRoots()
{
    return QStringLiteral("SELECT topic.topic_id, topic.descr ") + QStringLiteral(" From topic ")
        + QStringLiteral(" Where topic_id_parent = ") + QStringLiteral("0") + kSiblingOrder;
}

QString TopicChildren(qint32 parentId)
{
    return QStringLiteral("SELECT topic.topic_id, topic.descr ") + QStringLiteral(" From topic ")
        + QStringLiteral("Where topic_id_parent =  ") + QString::number(parentId) + kSiblingOrder;
}

QString TopicChildCount(qint32 parentId)
{
    return QStringLiteral("SELECT count(*) as l_count ") + QStringLiteral(" From topic ")
        + QStringLiteral("Where topic_id_parent = ") + QString::number(parentId);
}

QString LawTypes()
{
    return QStringLiteral("SELECT LAWTYPE.type_id, LAWTYPE.descr") + QStringLiteral(" From LAWTYPE ")
        + QStringLiteral(" Where LAWTYPE.display_flag = 1 ") + QStringLiteral(" And LAWTYPE_SHOW")
        + QStringLiteral(" And LAWTYPE.type_id < 90") + QStringLiteral(" ORDER BY  LAWTYPE_ORDERNO,type_id ");
}

QString LawsOfType(qint32 typeId)
{
    return QStringLiteral(" SELECT law.law_id, law.law_code,law.title,law.type_id,law.all_law_flag ")
        + QStringLiteral(" From law ") + QStringLiteral(" Where law.type_id =   ") + QString::number(typeId)
        + QStringLiteral(" ORDER BY issue_date Desc,law_year Desc,law_code Desc ");
}

QString LawCountOfType(qint32 typeId)
{
    return QStringLiteral(" SELECT count(*) as l_count ") + QStringLiteral(" From law ")
        + QStringLiteral("Where law.type_id =  ") + QString::number(typeId);
}

QString LawCountOfTypeRoot(qint32 typeId)
{
    return QStringLiteral("SELECT count(*) as l_count ") + QStringLiteral(" From law ")
        + QStringLiteral("Where law.type_id = ") + QString::number(typeId);
}

QString ConsolidatedVersion(const QString& quotedLawCode)
{
    return QStringLiteral(" SELECT law_id,law_code FROM law WHERE law_code = ") + quotedLawCode
        + QStringLiteral(" and all_law_flag = 1 ");
}

QString ScheduleRoots()
{
    return QStringLiteral("SELECT schedule.schedule_id, schedule.descr ") + QStringLiteral(" From schedule ")
        + QStringLiteral(" Where schedule_id_parent = ") + QStringLiteral("0") + kSiblingOrder;
}

QString ScheduleChildren(qint32 parentId)
{
    return QStringLiteral("SELECT schedule.schedule_id, schedule.descr ") + QStringLiteral(" From schedule ")
        + QStringLiteral("Where schedule_id_parent =  ") + QString::number(parentId) + kSiblingOrder;
}

QString ScheduleChildCount(qint32 parentId)
{
    return QStringLiteral("SELECT count(*) as l_count ") + QStringLiteral(" From schedule ")
        + QStringLiteral("Where schedule_id_parent = ") + QString::number(parentId);
}

QString SysInfoDisplay()
{
    return QStringLiteral(" SELECT sys_info_display FROM system_law_parameters ");
}

QString SysInfoDisplayForSettings()
{
    return QStringLiteral(" SELECT sys_info_display FROM  system_law_parameters ");
}

} // namespace TreeSql
