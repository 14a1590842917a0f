#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// The words of a text as the full-text index keeps them. A word is a run of
// letters and digits; everything else (blanks, punctuation, the "/" and "."
// of a law number) separates words. Each word is folded as the searches fold
// (case, accents, diaeresis, final sigma) into lower case; a word of Greek
// letters is also stemmed by Snowball's Greek stemmer.
//
// Both forms go into the index at the word's position: the stem, and — where
// it differs — the folded word itself behind kExactMark, so that a query can
// ask for the stem and rank the exact form above it.
namespace FullText {

constexpr char kExactMark = '=';
// Longer words are cut: no user types them, and they would bloat the index.
constexpr int kMaxWordBytes = 120;

class WordStemmer {
public:
    WordStemmer();
    ~WordStemmer();
    WordStemmer(const WordStemmer&) = delete;
    WordStemmer& operator=(const WordStemmer&) = delete;

    // The stem of a folded word; the word itself unless it is all Greek letters.
    std::string_view stem(std::string_view folded);

private:
    struct Impl;
    Impl* m;
};

// start and end are byte offsets into the text; exact is the form behind the
// mark, empty where the stem is the whole word.
using WordSink = std::function<void(std::string_view stem, std::string_view exact, int start, int end)>;
void TokenizeWords(std::string_view utf8, WordStemmer& stemmer, const WordSink& sink);

// Each word's folded form and stem, in order, until scan returns false.
using WordScan = std::function<bool(std::string_view folded, std::string_view stem, int start, int end)>;
void ScanWords(std::string_view utf8, WordStemmer& stemmer, const WordScan& scan);

// Appends the code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

// The folded words of a text as typed (no stemming): what goes behind the mark.
std::vector<std::string> FoldedWords(std::string_view utf8);

// Registers the tokenizer as "selvara" on the connection. In a query, every
// quoted string is taken as one token as it stands: the query builder has
// already folded and stemmed it. False when FTS5 is not available.
bool RegisterTokenizer(sqlite3* db);

} // namespace FullText
