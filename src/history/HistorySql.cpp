#include "history/HistorySql.h"

namespace HistorySql {

QString TitleForLoad(const QString& idText)
{
    return QStringLiteral(" SELECT law.title, law.law_id ") + QStringLiteral(" FROM law ")
        + QStringLiteral(" WHERE law.law_id = ") + idText + QStringLiteral(" ORDER BY law.law_id ");
}

QString TitleForSave(qint32 lawId)
{
    return QStringLiteral(" SELECT law.title, law.descr ") + QStringLiteral(" FROM law ")
        + QStringLiteral(" WHERE law.law_id = ") + QString::number(lawId) + QStringLiteral(" ORDER BY law.law_id ");
}

} // namespace HistorySql
