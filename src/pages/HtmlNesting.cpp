#include "pages/HtmlNesting.h"

#include <algorithm>
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

bool IsBlock(QStringView name)
{
    static const char* const kBlock[] = {"div", "ul", "ol", "li", "blockquote", "dl", "dd", "dt", "center", "pre"};
    for (const char* tag : kBlock)
        if (name.compare(QLatin1String(tag), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Where the tag that starts at 'from' ends (the position after its '>');
// -1 when it never ends. Read as Qt's parser reads it: a quote opens a quoted
// value only where a value starts (after '='), and a quote inside an unquoted
// value is just a character of it.
qsizetype TagEnd(const QString& html, qsizetype from)
{
    enum class State { Tag, ValueStart, Unquoted, Quoted };
    State state = State::Tag;
    QChar quote;
    for (qsizetype i = from + 1; i < html.size(); ++i) {
        const QChar c = html[i];
        switch (state) {
        case State::Tag:
            if (c == u'>')
                return i + 1;
            if (c == u'=')
                state = State::ValueStart;
            break;
        case State::ValueStart:
            if (c == u'>')
                return i + 1;
            if (c == u'"' || c == u'\'') {
                quote = c;
                state = State::Quoted;
            } else if (!c.isSpace()) {
                state = State::Unquoted;
            }
            break;
        case State::Unquoted:
            if (c == u'>')
                return i + 1;
            if (c.isSpace())
                state = State::Tag;
            break;
        case State::Quoted:
            if (c == quote)
                state = State::Tag;
            break;
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
    std::vector<Open> blocks;
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
        } else if (!closing && tables == 0 && (Is(name, "tr") || Is(name, "td") || Is(name, "th"))) {
            // A cell or row outside any table: Qt makes a table for it.
            ++tables;
        } else if (tables > kMaxTableDepth && (Is(name, "tr") || Is(name, "td") || Is(name, "th")
                                               || Is(name, "tbody") || Is(name, "thead") || Is(name, "tfoot"))) {
            if (Is(name, "tr"))
                replacement = closing ? QString() : QStringLiteral("<br>");
            else if (Is(name, "td") || Is(name, "th"))
                replacement = closing ? QString() : QStringLiteral(" ");
            else
                replacement = QString();
        } else if (IsBlock(name)) {
            if (!closing) {
                const bool kept = blocks.size() < static_cast<size_t>(kMaxBlockDepth);
                blocks.push_back({name.toString().toLower(), kept});
                if (!kept)
                    replacement = Is(name, "li") || Is(name, "dt") || Is(name, "dd") ? QStringLiteral("<br>") : QString();
            } else {
                // The innermost open one of that name closes, with those within.
                auto open = std::find_if(blocks.rbegin(), blocks.rend(),
                                         [&](const Open& b) { return Is(name, b.name.toLatin1().constData()); });
                if (open != blocks.rend()) {
                    if (!open->kept)
                        replacement = QString();
                    blocks.erase(std::next(open).base(), blocks.end());
                }
            }
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
