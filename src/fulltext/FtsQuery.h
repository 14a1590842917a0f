#pragma once

#include <QString>
#include <QStringList>

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
};

// Terms beyond this are dropped: no one types more, and each costs a lookup.
constexpr int kMaxTerms = 32;

Query ParseQuery(const QString& text, WordStemmer& stemmer);

} // namespace FullText
