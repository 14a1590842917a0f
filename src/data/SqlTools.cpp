#include "data/SqlTools.h"

QString SqlTools::QuoteValue(const QVariant& value) const
{
    if (value.isNull())
        return QStringLiteral("NULL");
    return QuoteValue(value.toString());
}

QString SqlTools::QuoteValue(const QString& value) const
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
