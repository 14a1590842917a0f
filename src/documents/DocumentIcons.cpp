#include "documents/DocumentIcons.h"

int DocumentImageIndex(const QString& type)
{
    if (type == QLatin1String("rtf"))
        return 1;
    if (type == QLatin1String("xls") || type == QLatin1String("xlsx"))
        return 2;
    return 3;
}
