#include "fulltext/IndexSources.h"

#include "documents/RtfReader.h"
#include "fulltext/GreekTokenizer.h"

#include <sqlite3.h>

#include <cstring>
#include <memory>
#include <unordered_map>

namespace FullText {

namespace {

bool IsInlineTag(std::string_view name)
{
    static constexpr std::string_view kInline[] = {"a",    "b",    "i",   "u",    "s",     "em",   "strong",
                                                   "span", "font", "sup", "sub",  "small", "big",  "abbr",
                                                   "code", "mark", "tt",  "cite", "q",     "strike"};
    for (std::string_view tag : kInline)
        if (name.size() == tag.size() && std::equal(name.begin(), name.end(), tag.begin(), [](char a, char b) {
                return (a | 0x20) == b;
            }))
            return true;
    return false;
}

bool StartsWithNoCase(std::string_view s, size_t at, std::string_view what)
{
    if (at + what.size() > s.size())
        return false;
    for (size_t k = 0; k < what.size(); ++k)
        if ((s[at + k] | 0x20) != what[k])
            return false;
    return true;
}

void AppendCodePoint(std::string& out, char32_t cp)
{
    if (cp < 0x20 || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        out += ' ';
    else
        AppendUtf8(out, cp);
}

void AppendSpace(std::string& out)
{
    if (!out.empty() && out.back() != ' ')
        out += ' ';
}

// Decodes the entity at html[i] == '&'; returns where reading goes on.
size_t Entity(std::string_view html, size_t i, std::string& out)
{
    const size_t end = html.find(';', i + 1);
    if (end == std::string_view::npos || end - i > 12) {
        out += '&';
        return i + 1;
    }
    const std::string_view name = html.substr(i + 1, end - i - 1);
    if (!name.empty() && name[0] == '#') {
        char32_t cp = 0;
        const bool hex = name.size() > 1 && (name[1] | 0x20) == 'x';
        for (size_t k = hex ? 2 : 1; k < name.size(); ++k) {
            const char c = name[k];
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
                digit = (c | 0x20) - 'a' + 10;
            if (digit < 0 || cp > 0x10FFFF) {
                cp = 0x20;
                break;
            }
            cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(digit);
        }
        AppendCodePoint(out, cp);
    } else if (name == "nbsp") {
        AppendSpace(out);
    } else if (name == "amp") {
        out += '&';
    } else if (name == "lt") {
        out += '<';
    } else if (name == "gt") {
        out += '>';
    } else if (name == "quot") {
        out += '"';
    } else if (name == "apos") {
        out += '\'';
    } else {
        AppendSpace(out);  // an entity we do not know is no word of the text
    }
    return end + 1;
}

// Skips the tag at html[i] == '<'; returns where reading goes on.
size_t Tag(std::string_view html, size_t i, std::string& out)
{
    if (html.compare(i, 4, "<!--") == 0) {
        const size_t end = html.find("-->", i + 4);
        AppendSpace(out);
        return end == std::string_view::npos ? html.size() : end + 3;
    }
    size_t k = i + 1;
    const bool closing = k < html.size() && html[k] == '/';
    if (closing)
        ++k;
    const size_t nameStart = k;
    while (k < html.size() && (((html[k] | 0x20) >= 'a' && (html[k] | 0x20) <= 'z') || (html[k] >= '0' && html[k] <= '9')))
        ++k;
    const std::string_view name = html.substr(nameStart, k - nameStart);
    if (name.empty() && !(k < html.size() && (html[k] == '!' || html[k] == '?'))) {
        out += '<';  // a lone "<" is text
        return i + 1;
    }
    // The end of the tag, past quoted attribute values.
    char quote = 0;
    while (k < html.size()) {
        const char c = html[k];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            break;
        }
        ++k;
    }
    k = k < html.size() ? k + 1 : html.size();
    if (!closing && (StartsWithNoCase(name, 0, "script") || StartsWithNoCase(name, 0, "style"))
        && (name.size() == 6 || name.size() == 5)) {
        const std::string_view endTag = name.size() == 6 ? "</script" : "</style";
        size_t e = k;
        while (e < html.size() && !StartsWithNoCase(html, e, endTag))
            ++e;
        const size_t close = html.find('>', e);
        AppendSpace(out);
        return close == std::string_view::npos ? html.size() : close + 1;
    }
    if (!IsInlineTag(name))
        AppendSpace(out);
    return k;
}

} // namespace

std::string HtmlToText(std::string_view html)
{
    std::string out;
    out.reserve(html.size());
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            i = Tag(html, i, out);
        } else if (c == '&') {
            i = Entity(html, i, out);
        } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\0') {
            AppendSpace(out);
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string RtfToText(const QByteArray& rtf)
{
    std::string text;
    ReadRtfText(rtf, text);
    return text;
}

namespace {

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Statement Prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    return Statement(st, &sqlite3_finalize);
}

std::string_view Text(sqlite3_stmt* st, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return text ? std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(st, column))) : std::string_view();
}

QByteArray Blob(sqlite3_stmt* st, int column)
{
    const void* data = sqlite3_column_blob(st, column);
    return data ? QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(st, column)) : QByteArray();
}

// The text of a stored document of the type, empty for kinds without one.
std::string DocumentText(std::string_view type, const QByteArray& bytes)
{
    if (type == "rtf")
        return RtfToText(bytes);
    if (type == "html")
        return HtmlToText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    return {};
}

void Join(std::string& to, const std::string& text)
{
    if (text.empty())
        return;
    if (!to.empty())
        to += ' ';
    to += text;
}

struct LawRecord {
    qint64 id = 0;
    qint64 type = 0;
    qint64 year = 0;
    std::string date;
    std::string title;
};

// Every "#id" an abstract's links name.
template <typename F>
void ForEachLinkedId(std::string_view html, F&& f)
{
    size_t at = 0;
    while ((at = html.find('#', at)) != std::string_view::npos) {
        // Only a link's address: href="#12", not an entity such as &#233;.
        const char before = at > 0 ? html[at - 1] : ' ';
        ++at;
        if (before != '"' && before != '\'' && before != '=')
            continue;
        if (at < html.size() && html[at] == 'f')
            ++at;
        qint64 id = 0;
        size_t k = at;
        while (k < html.size() && html[k] >= '0' && html[k] <= '9' && id < 1000000000)
            id = id * 10 + (html[k++] - '0');
        if (k > at)
            f(id);
    }
}

// Topics and guide entries: a title and the texts gathered for each id,
// handed over one by one (the texts are moved out of the map).
bool TakeTitled(sqlite3* source, const char* sql, DocKind kind, std::unordered_map<qint64, std::string>& texts,
                const std::function<void(IndexDoc&)>& take, const std::atomic<bool>& stop)
{
    Statement rows = Prepare(source, sql);
    while (rows && sqlite3_step(rows.get()) == SQLITE_ROW) {
        if (stop)
            return false;
        IndexDoc doc;
        doc.kind = kind;
        doc.id = sqlite3_column_int64(rows.get(), 0);
        doc.shownTitle = HtmlToText(Text(rows.get(), 1));
        doc.title = doc.shownTitle;
        if (auto it = texts.find(doc.id); it != texts.end())
            doc.body = std::move(it->second);
        take(doc);
    }
    texts.clear();
    return true;
}

} // namespace

bool ReadIndexDocs(sqlite3* source, const std::function<void(qint64)>& total, const std::function<void(IndexDoc&)>& take,
                   const std::atomic<bool>& stop)
{
    {
        Statement count = Prepare(source, "SELECT (SELECT count(*) FROM law) + (SELECT count(*) FROM topic)"
                                          " + (SELECT count(*) FROM schedule) + (SELECT count(*) FROM Schedulelaw)");
        total(count && sqlite3_step(count.get()) == SQLITE_ROW ? sqlite3_column_int64(count.get(), 0) : 0);
    }

    // The law each group of rows (a law and its articles) belongs to.
    std::unordered_map<std::string, LawRecord> laws;
    {
        Statement st = Prepare(source, "SELECT law.law_code, law.law_id, law.type_id, law.issue_date, law.law_year,"
                                       " law.title FROM law, LAWTYPE WHERE law.type_id = LAWTYPE.type_id"
                                       " AND LAWTYPE.display_flag = 1 ORDER BY law.law_id");
        while (st && sqlite3_step(st.get()) == SQLITE_ROW) {
            auto [it, added] = laws.try_emplace(std::string(Text(st.get(), 0)));
            if (!added)
                continue;
            it->second = {sqlite3_column_int64(st.get(), 1), sqlite3_column_int64(st.get(), 2),
                          sqlite3_column_int64(st.get(), 4), std::string(Text(st.get(), 3)),
                          HtmlToText(Text(st.get(), 5))};
        }
    }

    Statement lawBlob = Prepare(source, "SELECT BlobBody FROM law WHERE law_id = ?1");
    Statement rows = Prepare(source, "SELECT law_id, law_code, type_id, title, descr, article_code, issue_date,"
                                     " law_year, BlobType FROM law ORDER BY law_id");
    while (rows && sqlite3_step(rows.get()) == SQLITE_ROW) {
        if (stop)
            return false;
        sqlite3_stmt* r = rows.get();
        IndexDoc doc;
        doc.kind = DocKind::Law;
        doc.id = sqlite3_column_int64(r, 0);
        doc.lawCode = Text(r, 1);
        const std::string ownTitle = HtmlToText(Text(r, 3));
        const auto law = laws.find(doc.lawCode);
        if (law == laws.end() || law->second.id == doc.id) {
            doc.lawId = doc.id;
            doc.typeId = sqlite3_column_int64(r, 2);
            doc.issueDate = Text(r, 6);
            doc.year = sqlite3_column_int64(r, 7);
            doc.shownTitle = ownTitle;
            doc.title = doc.lawCode + ' ' + ownTitle;
        } else {
            doc.lawId = law->second.id;
            doc.typeId = law->second.type;
            doc.issueDate = law->second.date;
            doc.year = law->second.year;
            doc.shownTitle = law->second.title;
            doc.article = ownTitle.empty() ? std::string(Text(r, 5)) : ownTitle;
            doc.title = ownTitle;
        }
        doc.body = HtmlToText(Text(r, 4));
        const std::string_view type = Text(r, 8);
        if ((type == "rtf" || type == "html") && lawBlob) {
            sqlite3_bind_int64(lawBlob.get(), 1, doc.id);
            if (sqlite3_step(lawBlob.get()) == SQLITE_ROW)
                Join(doc.body, DocumentText(type, Blob(lawBlob.get(), 0)));
            sqlite3_reset(lawBlob.get());
        }
        take(doc);
    }

    // A topic with all its abstracts.
    std::unordered_map<qint64, std::string> abstracts;
    {
        Statement st = Prepare(source, "SELECT topic_id, descr FROM abstract ORDER BY topic_id, aa_abstr_flag");
        while (st && sqlite3_step(st.get()) == SQLITE_ROW)
            Join(abstracts[sqlite3_column_int64(st.get(), 0)], HtmlToText(Text(st.get(), 1)));
    }
    if (!TakeTitled(source, "SELECT topic_id, descr FROM topic ORDER BY topic_id", DocKind::Topic, abstracts, take, stop))
        return false;

    // A guide entry with its guidance, and the entry each template is linked from.
    std::unordered_map<qint64, std::string> guidance;
    std::unordered_map<qint64, qint64> templateEntry;
    {
        Statement st = Prepare(source, "SELECT Schedule_id, descr, BlobBody FROM ScheduleAbstract"
                                       " ORDER BY Schedule_id, aa_abstr_flag");
        while (st && sqlite3_step(st.get()) == SQLITE_ROW) {
            const qint64 entry = sqlite3_column_int64(st.get(), 0);
            const std::string_view html = Text(st.get(), 1);
            ForEachLinkedId(html, [&](qint64 id) { templateEntry.try_emplace(id, entry); });
            std::string& text = guidance[entry];
            Join(text, HtmlToText(html));
            if (sqlite3_column_type(st.get(), 2) == SQLITE_BLOB)
                Join(text, RtfToText(Blob(st.get(), 2)));
        }
    }
    if (!TakeTitled(source, "SELECT schedule_id, descr FROM schedule ORDER BY schedule_id", DocKind::Guide, guidance,
                    take, stop))
        return false;

    Statement templates = Prepare(source, "SELECT law_id, law_code, title, descr, BlobType, BlobBody FROM Schedulelaw"
                                          " ORDER BY law_id");
    while (templates && sqlite3_step(templates.get()) == SQLITE_ROW) {
        if (stop)
            return false;
        sqlite3_stmt* r = templates.get();
        IndexDoc doc;
        doc.kind = DocKind::Template;
        doc.id = sqlite3_column_int64(r, 0);
        doc.lawCode = Text(r, 1);
        doc.shownTitle = HtmlToText(Text(r, 2));
        doc.title = doc.shownTitle;
        doc.body = HtmlToText(Text(r, 3));
        if (sqlite3_column_type(r, 5) == SQLITE_BLOB) {
            // A template without a type is rtf, as the guide shows it.
            const std::string_view type = sqlite3_column_type(r, 4) == SQLITE_NULL ? "rtf" : Text(r, 4);
            Join(doc.body, DocumentText(type, Blob(r, 5)));
        }
        if (auto it = templateEntry.find(doc.id); it != templateEntry.end())
            doc.opensIn = it->second;
        take(doc);
    }
    return true;
}

} // namespace FullText
