#include "pages/HtmlNesting.h"

#include <optional>
#include <vector>

namespace {

bool IsInline(QStringView name)
{
    static const char* const kInline[] = {"a",    "abbr", "b",      "big",  "cite", "code", "em", "font", "i",
                                          "kbd",  "q",    "s",      "samp", "small", "span", "strike", "strong",
                                          "sub",  "sup",  "tt",     "u",    "var"};
    for (const char* tag : kInline)
        if (name.compare(QLatin1String(tag), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool Is(QStringView name, const char* tag)
{
    return name.compare(QLatin1String(tag), Qt::CaseInsensitive) == 0;
}

// Where the tag that starts at 'from' ends (the position after its '>'),
// quotes respected; -1 when it never ends.
qsizetype TagEnd(const QString& html, qsizetype from)
{
    QChar quote;
    for (qsizetype i = from + 1; i < html.size(); ++i) {
        const QChar c = html[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return -1;
}

struct Open {
    QString name;
    bool kept;
};

} // namespace

QString LimitNesting(const QString& html)
{
    QString out;
    out.reserve(html.size());
    int tables = 0;
    int pictures = 0;
    std::vector<Open> inlines;
    qsizetype copied = 0;
    qsizetype i = html.indexOf(u'<');
    while (i >= 0) {
        if (html.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype end = html.indexOf(QLatin1String("-->"), i + 4);
            if (end < 0)
                break;
            i = html.indexOf(u'<', end + 3);
            continue;
        }
        const qsizetype end = TagEnd(html, i);
        if (end < 0)
            break;
        const bool closing = i + 1 < end && html[i + 1] == u'/';
        qsizetype n = i + (closing ? 2 : 1);
        const qsizetype nameStart = n;
        while (n < end && (html[n].isLetterOrNumber()))
            ++n;
        const QStringView name = QStringView(html).mid(nameStart, n - nameStart);

        // What replaces the tag, when it does not stay: nothing, or a plain
        // separator between the cells of a flattened table.
        std::optional<QString> replacement;
        if (Is(name, "img")) {
            if (!closing && ++pictures > kMaxPictures)
                replacement = QString();
        } else if (Is(name, "table")) {
            if (closing) {
                if (tables > kMaxTableDepth)
                    replacement = QString();
                tables = qMax(0, tables - 1);
            } else if (++tables > kMaxTableDepth) {
                replacement = QString();
            }
        } else if (tables > kMaxTableDepth && (Is(name, "tr") || Is(name, "td") || Is(name, "th")
                                               || Is(name, "tbody") || Is(name, "thead") || Is(name, "tfoot"))) {
            if (Is(name, "tr"))
                replacement = closing ? QString() : QStringLiteral("<br>");
            else if (Is(name, "td") || Is(name, "th"))
                replacement = closing ? QString() : QStringLiteral(" ");
            else
                replacement = QString();
        } else if (IsInline(name)) {
            if (!closing && !html.mid(end - 2, 2).startsWith(u'/')) {
                const bool kept = inlines.size() < static_cast<size_t>(kMaxInlineDepth);
                inlines.push_back({name.toString().toLower(), kept});
                if (!kept)
                    replacement = QString();
            } else if (closing && !inlines.empty() && Is(name, inlines.back().name.toLatin1().constData())) {
                if (!inlines.back().kept)
                    replacement = QString();
                inlines.pop_back();
            }
        }
        if (replacement) {
            out += QStringView(html).mid(copied, i - copied);
            out += *replacement;
            copied = end;
        }
        i = html.indexOf(u'<', end);
    }
    if (copied == 0)
        return html;
    out += QStringView(html).mid(copied);
    return out;
}
