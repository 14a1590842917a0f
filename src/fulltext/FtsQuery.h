#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace FullText {

class WordStemmer;

// What the user typed, read as a query: words (every one must appear), "a
// phrase" in double quotes, a prefix with *, -word to leave a word out, OR or
// ή between alternatives. Anything else — a lone quote or *, brackets, text
// that looks like SQL or like the index's own syntax, control characters — is
// read as plain words; nothing the user types reaches the index unquoted.
struct Query {
    // The FTS5 MATCH expression; empty when there is nothing to look for.
    QByteArray match;
    // The forms as typed, where they differ from their stems: a text that
    // has one of them ranks above one that matches on the stems alone.
    QByteArray exact;
    // The words the user looks for, as typed, for marking them in a page.
    QStringList words;
    // What a word of a text must be, folded, to be one the user looks for:
    // its stem one of the stems or starting with one of the stem prefixes, or
    // its form starting with one of the prefixes.
    std::vector<std::string> stems;
    std::vector<std::string> stemPrefixes;
    std::vector<std::string> prefixes;
};

// Whether a word of a text (folded, and its stem) is one the query looks for.
bool Wanted(const Query& query, std::string_view folded, std::string_view stem);

// Terms beyond this are dropped: no one types more, and each costs a lookup.
constexpr int kMaxTerms = 32;

// The stems in the index that start with a prefix (at most a few more than
// kMaxStemForms), for the stems the stemmer cuts short.
using StemExpander = std::function<std::vector<std::string>(const std::string& prefix)>;
constexpr size_t kMaxStemForms = 16;

// Without an expander, a short stem is asked for as a prefix.
Query ParseQuery(const QString& text, WordStemmer& stemmer, const StemExpander& expand = {});

} // namespace FullText
