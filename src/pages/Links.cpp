#include "pages/Links.h"

#include "data/JetFunctions.h"
#include "startup/Paths.h"

#include <cmath>
#include <limits>

std::optional<qint32> LinkId(const QString& address)
{
    const qsizetype p = address.indexOf(u'#');
    if (p < 0)
        return std::nullopt;
    const qsizetype start = address.contains(QStringLiteral("#f"), Qt::CaseSensitive) ? p + 2 : p + 1;
    const double value = std::nearbyint(Jet::Val(QStringView(address).mid(qMin(start, address.size()))));
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return 0;
    return static_cast<qint32>(value);
}

QString RewriteImageSources(const QString& html, const QString& appPath)
{
    const QString helpFolder = Paths::Join(appPath, Paths::kHelpFolder);
    QString s = html;
    qsizetype p = s.indexOf(QStringLiteral("<img"));
    while (p >= 0) {
        const qsizetype c = s.indexOf(QStringLiteral("src="), p + 4);
        if (c < 0 || c + 4 >= s.size())
            break;
        const QChar quote = s[c + 4];
        const qsizetype e = s.indexOf(quote, c + 6);
        if (e < 0)
            break;
        const QString value = Jet::Trim(s.mid(c + 5, e - c - 5));
        const qsizetype cut = qMax(value.lastIndexOf(u'/'), value.lastIndexOf(u'\\'));
        const QString file = cut >= 0 ? value.mid(cut + 1) : value;
        const QString replaced = Paths::Join(helpFolder, file);
        s = s.left(c + 5) + replaced + s.mid(e);
        const qsizetype closing = c + 5 + replaced.size();
        p = s.indexOf(QStringLiteral("<img"), closing + 1);
    }
    return s;
}
