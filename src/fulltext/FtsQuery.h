#pragma once

#include <QString>
#include <QStringList>

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
    // The words the user looks for, as typed, for marking them in a page.
    QStringList words;
    // What a word of a text must be, folded, to be one the user looks for:
    // its stem one of these, or its form one of these or starting with one.
    std::vector<std::string> stems;
    std::vector<std::string> prefixes;
};

// Whether a word of a text (folded, and its stem) is one the query looks for.
bool Wanted(const Query& query, std::string_view folded, std::string_view stem);

// Terms beyond this are dropped: no one types more, and each costs a lookup.
constexpr int kMaxTerms = 32;

Query ParseQuery(const QString& text, WordStemmer& stemmer);

} // namespace FullText
