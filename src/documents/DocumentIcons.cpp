#include "documents/DocumentIcons.h"

int DocumentImageIndex(const QString& type)
{
    if (type == QLatin1String("rtf"))
        return 1;
    if (IsSpreadsheetType(type))
        return 2;
    return 3;
}

bool IsSpreadsheetType(const QString& type)
{
    return type == QLatin1String("xls") || type == QLatin1String("xlsx");
}
