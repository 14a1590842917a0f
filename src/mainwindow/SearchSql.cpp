#include "mainwindow/SearchSql.h"

namespace SearchSql {

QString TopicKeywords(const QString& cond)
{
    return QStringLiteral("Select DISTINCTROW topic.topic_id, topic.topic_id_parent FROM KEYS INNER JOIN ((TOPIC INNER JOIN ABSTRACT ON TOPIC.TOPIC_ID = ABSTRACT.TOPIC_ID) INNER JOIN ABSTRACT_KEYS ON ABSTRACT.ABSTRACT_ID = ABSTRACT_KEYS.ABSTRACT_ID) ON KEYS.KEY_ID = ABSTRACT_KEYS.KEY_ID")
        + QStringLiteral(" WHERE ") + cond;
}

QString TopicTitles(const QString& cond)
{
    return QStringLiteral(" SELECT topic.topic_id, topic.topic_id_parent  ") + QStringLiteral(" FROM topic ")
        + QStringLiteral(" WHERE ") + cond;
}

QString TopicAncestor(qint32 p)
{
    return QStringLiteral(" SELECT topic.topic_id, topic.topic_id_parent ") + QStringLiteral(" FROM topic ")
        + QStringLiteral(" WHERE topic.topic_id =  ") + QString::number(p);
}

QString LawKeywords(const QString& cond)
{
    return QStringLiteral(" SELECT DISTINCT law.LAW_ID, law.TYPE_ID, law.TITLE")
        + QStringLiteral(" FROM KEYS INNER JOIN ((LAWTYPE INNER JOIN law ON LAWTYPE.TYPE_ID = law.TYPE_ID) INNER JOIN LAW_KEYS ON LAW.LAW_ID = LAW_KEYS.LAW_ID) ON KEYS.KEY_ID = LAW_KEYS.KEY_ID")
        + QStringLiteral(" WHERE  LAWTYPE.display_flag = 1 and LAWTYPE.type_id = law.type_id and ") + cond;
}

QString LawTitles(const QString& cond)
{
    return QStringLiteral(" SELECT distinct law.LAW_ID, law.TYPE_ID, law.TITLE")
        + QStringLiteral(" FROM law INNER JOIN LAWTYPE ON law.TYPE_ID = LAWTYPE.TYPE_ID")
        + QStringLiteral(" WHERE  LAWTYPE.display_flag = 1 and LAWTYPE.type_id = law.type_id and ") + cond;
}

QString LawNumbers(const QString& cond)
{
    return QStringLiteral(" SELECT distinct law.LAW_ID, law.TYPE_ID")
        + QStringLiteral(" FROM law INNER JOIN LAWTYPE ON law.TYPE_ID = LAWTYPE.TYPE_ID")
        + QStringLiteral(" WHERE  LAWTYPE.display_flag = 1 and ") + cond;
}

QString Schedule(const QString& cond)
{
    return QStringLiteral(" SELECT Schedule.Schedule_id, Schedule.Schedule_id_parent  ")
        + QStringLiteral(" FROM Schedule ") + QStringLiteral(" WHERE ") + cond;
}

QString ScheduleAncestor(qint32 p)
{
    return QStringLiteral(" SELECT Schedule.Schedule_id, Schedule.Schedule_id_parent ")
        + QStringLiteral(" FROM Schedule ") + QStringLiteral(" WHERE Schedule.Schedule_id =  ") + QString::number(p);
}

} // namespace SearchSql
