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
    // Built in one pass: rewriting the text in place for every picture made a
    // page of many pictures take quadratic time.
    QString out;
    qsizetype copied = 0;
    qsizetype p = html.indexOf(QLatin1String("<img"), 0, Qt::CaseInsensitive);
    while (p >= 0) {
        const qsizetype c = html.indexOf(QLatin1String("src="), p + 4, Qt::CaseInsensitive);
        if (c < 0 || c + 4 >= html.size())
            break;
        const QChar quote = html[c + 4];
        const qsizetype e = html.indexOf(quote, c + 6);
        if (e < 0)
            break;
        const QString value = Jet::Trim(html.mid(c + 5, e - c - 5));
        const qsizetype cut = qMax(value.lastIndexOf(u'/'), value.lastIndexOf(u'\\'));
        out += QStringView(html).mid(copied, c + 5 - copied);
        out += Paths::Join(helpFolder, cut >= 0 ? value.mid(cut + 1) : value);
        copied = e;
        p = html.indexOf(QLatin1String("<img"), e + 1, Qt::CaseInsensitive);
    }
    if (copied == 0)
        return html;
    out += QStringView(html).mid(copied);
    return out;
}
