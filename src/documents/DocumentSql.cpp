#include "documents/DocumentSql.h"

namespace DocumentSql {

QString LawDocument(qint32 lawId)
{
    return QStringLiteral("Select BlobBody, BlobType from Law where law_id = ") + QString::number(lawId);
}

QString TemplateDocument(qint32 templateId)
{
    return QStringLiteral("Select BlobType, BlobBody from Schedulelaw Where LAW_ID=") + QString::number(templateId);
}

QString ScheduleAbstractDocument(qint32 abstractId)
{
    return QStringLiteral("Select * from ScheduleAbstract Where ABSTRACT_ID=") + QString::number(abstractId);
}

} // namespace DocumentSql
