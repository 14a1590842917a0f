#include "data/JetFunctions.h"

#include "data/TextFolding.h"

#include <sqlite3.h>

#include <QChar>
#include <QList>

#include <cmath>

namespace Jet {

double Val(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    while (i < n && isBlank(text[i]))
        ++i;

    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    qsizetype digits = i - digitsStart;
    if (i < n && text[i] == u'.') {
        ++i;
        const qsizetype fracStart = i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        digits += i - fracStart;
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        const qsizetype expStart = j;
        while (j < n && text[j] >= u'0' && text[j] <= u'9')
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toString().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QString UCase(QStringView text)
{
    QList<uint> ucs4 = text.toUcs4();
    for (uint& c : ucs4)
        c = QChar::toUpper(static_cast<char32_t>(c));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(ucs4.constData()), ucs4.size());
}

QString Trim(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

QString textArgument(sqlite3_value* value)
{
    const void* data = sqlite3_value_text16(value);
    const int bytes = sqlite3_value_bytes16(value);
    return QString(static_cast<const QChar*>(data), bytes / 2);
}

void resultText(sqlite3_context* ctx, const QString& text)
{
    sqlite3_result_text16(ctx, text.constData(), static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
}

void valFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
        return;
    case SQLITE_FLOAT:
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    default:
        break;
    }
    const double v = Val(textArgument(argv[0]));
    // Whole numbers come back as integers so that they compare and sort
    // like the integer columns they are often compared with.
    if (v == std::floor(v) && std::fabs(v) < 9.0e15)
        sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(v));
    else
        sqlite3_result_double(ctx, v);
}

void ucaseFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, UCase(textArgument(argv[0])));
}

void foldFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    // The argument's own characters, read in place: most titles of a
    // search are folded and dropped, and one that needs no change is
    // handed back as it came.
    const void* data = sqlite3_value_text16(argv[0]);
    const QString text = QString::fromRawData(static_cast<const QChar*>(data), sqlite3_value_bytes16(argv[0]) / 2);
    const QString folded = FoldSearchText(text);
    if (folded.constData() == text.constData() && folded.size() == text.size())
        sqlite3_result_value(ctx, argv[0]);
    else
        resultText(ctx, folded);
}

} // namespace

QString ToSqlite(const QString& sql)
{
    static const QString kDistinctRow = QStringLiteral("DISTINCTROW");
    static const QString kDistinct = QStringLiteral("DISTINCT");
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'[') {
            // Literals and quoted names pass through untouched.
            const QChar close = c == u'[' ? QChar(u']') : c;
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == close) {
                    if (close != u']' && j + 1 < n && sql[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype end = j < n ? j + 1 : n;
            out += QStringView(sql).mid(i, end - i);
            i = end;
            continue;
        }
        if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(sql[j]))
                ++j;
            const QStringView word = QStringView(sql).mid(i, j - i);
            if (word.compare(kDistinctRow, Qt::CaseInsensitive) == 0)
                out += kDistinct;
            else
                out += word;
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

bool NeedsTranslation(QStringView sql)
{
    // A plain scan for the one form that needs it: most statements have no
    // "D" followed by "ISTINCTROW" at all.
    static constexpr char16_t kRest[] = u"ISTINCTROW";
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i + 11 <= n; ++i) {
        if ((sql[i].unicode() | 0x20) != u'd')
            continue;
        qsizetype k = 0;
        while (k < 10 && (sql[i + 1 + k].unicode() & ~char16_t(0x20)) == kRest[k])
            ++k;
        if (k == 10)
            return true;
    }
    return false;
}

bool RegisterFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF16 | SQLITE_DETERMINISTIC;
    bool ok = sqlite3_create_function_v2(db, "val", 1, flags, nullptr, valFunction, nullptr, nullptr, nullptr) == SQLITE_OK;
    ok = sqlite3_create_function_v2(db, "ucase", 1, flags, nullptr, ucaseFunction, nullptr, nullptr, nullptr) == SQLITE_OK && ok;
    ok = sqlite3_create_function_v2(db, "foldsearch", 1, flags, nullptr, foldFunction, nullptr, nullptr, nullptr) == SQLITE_OK && ok;
    return ok;
}

} // namespace Jet
