#include "data/TextFolding.h"

#include "data/JetFunctions.h"

#include <algorithm>
#include <array>

namespace {

// The folded form of every character below U+0400: upper case, and the
// accented and diaeresis Greek capitals as their plain letters.
constexpr char16_t kAccentFolds[][2] = {
    {u'\u03AB', u'\u03A5'}, // Ϋ → Υ
    {u'\u03B0', u'\u03A5'}, // ΰ → Υ
    {u'\u03AA', u'\u0399'}, // Ϊ → Ι
    {u'\u0390', u'\u0399'}, // ΐ → Ι
    {u'\u0386', u'\u0391'}, // Ά → Α
    {u'\u0388', u'\u0395'}, // Έ → Ε
    {u'\u038C', u'\u039F'}, // Ό → Ο
    {u'\u038E', u'\u03A5'}, // Ύ → Υ
    {u'\u038A', u'\u0399'}, // Ί → Ι
    {u'\u0389', u'\u0397'}, // Ή → Η
    {u'\u038F', u'\u03A9'}, // Ώ → Ω
};

char16_t accentFold(char16_t c)
{
    for (const auto& f : kAccentFolds)
        if (f[0] == c)
            return f[1];
    return c;
}

constexpr char32_t kTableEnd = 0x400;

const std::array<char16_t, kTableEnd>& foldTable()
{
    static const std::array<char16_t, kTableEnd> table = [] {
        std::array<char16_t, kTableEnd> t{};
        for (char32_t c = 0; c < kTableEnd; ++c) {
            const char32_t upper = QChar::toUpper(c);
            // One character for one: an upper case outside the table's
            // range is kept as it is given.
            t[c] = accentFold(static_cast<char16_t>(upper <= 0xFFFF ? upper : c));
        }
        return t;
    }();
    return table;
}

// Folds the code point at i: returns how many UTF-16 units it took, and
// puts its folded units in out (count in outCount).
qsizetype foldAt(const QChar* s, qsizetype n, qsizetype i, char16_t out[2], int& outCount)
{
    const char16_t c = s[i].unicode();
    outCount = 1;
    if (c < kTableEnd) {
        out[0] = foldTable()[c];
        return 1;
    }
    char32_t cp = c;
    qsizetype width = 1;
    if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1].unicode())) {
        cp = QChar::surrogateToUcs4(c, s[i + 1].unicode());
        width = 2;
    } else if (QChar::isSurrogate(c)) {
        cp = QChar::ReplacementCharacter;  // half a pair, as decoding UTF-16 gives it
    }
    const char32_t upper = QChar::toUpper(cp);
    if (QChar::requiresSurrogates(upper)) {
        out[0] = QChar::highSurrogate(upper);
        out[1] = QChar::lowSurrogate(upper);
        outCount = 2;
    } else {
        out[0] = accentFold(static_cast<char16_t>(upper));
    }
    return width;
}

} // namespace

QString FoldKeepingLength(const QString& value)
{
    const std::array<char16_t, kTableEnd>& table = foldTable();
    const QChar* s = value.constData();
    const qsizetype n = value.size();
    char16_t folded[2];
    int count = 0;
    // Text that needs no change comes back as it is, without a copy.
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = s[i].unicode();
        if (c < kTableEnd) {
            if (table[c] != c)
                break;
            ++i;
            continue;
        }
        const qsizetype width = foldAt(s, n, i, folded, count);
        if (count != width || folded[0] != c || (count == 2 && folded[1] != s[i + 1].unicode()))
            break;
        i += width;
    }
    if (i == n)
        return value;
    // Room for the worst case, every character left folding to a pair.
    QString out(i + 2 * (n - i), Qt::Uninitialized);
    QChar* o = out.data();
    std::copy(s, s + i, o);
    qsizetype k = i;
    while (i < n) {
        const char16_t c = s[i].unicode();
        if (c < kTableEnd) {
            o[k++] = QChar(table[c]);
            ++i;
            continue;
        }
        i += foldAt(s, n, i, folded, count);
        o[k++] = QChar(folded[0]);
        if (count == 2)
            o[k++] = QChar(folded[1]);
    }
    out.truncate(k);
    return out;
}

QString FoldSearchText(const QString& value)
{
    return Jet::Trim(FoldKeepingLength(value));
}

QString FoldSearchText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    return FoldSearchText(value.toString());
}

char32_t FoldWordChar(char32_t c)
{
    static const std::array<char16_t, kTableEnd> lower = [] {
        std::array<char16_t, kTableEnd> t{};
        for (char32_t k = 0; k < kTableEnd; ++k)
            t[k] = static_cast<char16_t>(QChar::toLower(static_cast<char32_t>(foldTable()[k])));
        return t;
    }();
    if (c < kTableEnd)
        return lower[c];
    const char32_t upper = QChar::toUpper(c);
    return QChar::toLower(upper <= 0xFFFF ? static_cast<char32_t>(accentFold(static_cast<char16_t>(upper))) : upper);
}
