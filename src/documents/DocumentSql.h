#pragma once

#include <QString>

// The statements that read attached documents.
namespace DocumentSql {

QString LawDocument(qint32 lawId);
QString TemplateDocument(qint32 templateId);
QString ScheduleAbstractDocument(qint32 abstractId);

} // namespace DocumentSql
