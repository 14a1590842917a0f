#include "fulltext/GreekTokenizer.h"

#include "data/TextFolding.h"

#include <QChar>

#include <libstemmer.h>
#include <sqlite3.h>

#include <string>
#include <type_traits>
#include <unordered_map>

namespace FullText {

struct WordStemmer::Impl {
    sb_stemmer* greek = nullptr;
    // Words repeat: a law says "άρθρο" thousands of times.
    std::unordered_map<std::string, std::string> cache;
    std::string key;
};

WordStemmer::WordStemmer() : m(new Impl)
{
    m->greek = sb_stemmer_new("greek", "UTF_8");
}

WordStemmer::~WordStemmer()
{
    sb_stemmer_delete(m->greek);
    delete m;
}

namespace {

// Folded Greek letters are α to ω (U+03B1 to U+03C9): two bytes, CE or CF.
bool AllGreekLetters(std::string_view w)
{
    if (w.empty() || w.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < w.size(); i += 2) {
        const auto lead = static_cast<unsigned char>(w[i]);
        const auto next = static_cast<unsigned char>(w[i + 1]);
        const char32_t cp = ((lead & 0x1Fu) << 6) | (next & 0x3Fu);
        if (cp < 0x3B1 || cp > 0x3C9)
            return false;
    }
    return true;
}

} // namespace

std::string_view WordStemmer::stem(std::string_view folded)
{
    if (!m->greek || !AllGreekLetters(folded))
        return folded;
    m->key.assign(folded);
    auto found = m->cache.find(m->key);
    if (found != m->cache.end())
        return found->second;
    const sb_symbol* out = sb_stemmer_stem(m->greek, reinterpret_cast<const sb_symbol*>(folded.data()),
                                           static_cast<int>(folded.size()));
    if (!out)
        return folded;
    if (m->cache.size() > 200000)
        m->cache.clear();
    auto& stored = m->cache[m->key];
    stored.assign(reinterpret_cast<const char*>(out), static_cast<size_t>(sb_stemmer_length(m->greek)));
    return stored;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

// The code point at i (advancing i); a broken sequence reads as U+FFFD.
char32_t DecodeAt(std::string_view s, size_t& i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    const size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : 0;
    if (extra == 0 || c > 0xF4 || i + extra >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = c & (0x3Fu >> extra);
    for (size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) {
            i += k;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3Fu);
    }
    i += extra + 1;
    return cp;
}

enum class CharKind { Separator, Word, Mark };

CharKind Classify(char32_t cp)
{
    if (cp < 0x80) {
        const bool word = (cp >= '0' && cp <= '9') || (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z');
        return word ? CharKind::Word : CharKind::Separator;
    }
    if (QChar::isLetterOrNumber(cp))
        return CharKind::Word;
    // Combining accents belong to the word they sit on and fold away.
    if (QChar::isMark(cp))
        return CharKind::Mark;
    return CharKind::Separator;
}

// Calls emit(folded word, start, end) for every word of the text.
template <typename Emit>
void ForEachWord(std::string_view text, std::string& word, Emit&& onWord)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const size_t start = i;
        char32_t cp = DecodeAt(text, i);
        if (Classify(cp) != CharKind::Word)
            continue;
        word.clear();
        AppendUtf8(word, FoldWordChar(cp));
        size_t end = i;
        while (i < n) {
            cp = DecodeAt(text, i);
            const CharKind kind = Classify(cp);
            if (kind == CharKind::Separator)
                break;
            end = i;
            if (kind == CharKind::Word && word.size() < static_cast<size_t>(kMaxWordBytes))
                AppendUtf8(word, FoldWordChar(cp));
        }
        if constexpr (std::is_same_v<decltype(onWord(std::string_view(), 0, 0)), bool>) {
            if (!onWord(std::string_view(word), static_cast<int>(start), static_cast<int>(end)))
                return;
        } else {
            onWord(std::string_view(word), static_cast<int>(start), static_cast<int>(end));
        }
    }
}

} // namespace

std::vector<std::string> FoldedWords(std::string_view utf8)
{
    std::vector<std::string> out;
    std::string word;
    ForEachWord(utf8, word, [&out](std::string_view w, int, int) { out.emplace_back(w); });
    return out;
}

void ScanWords(std::string_view utf8, WordStemmer& stemmer, const WordScan& scan)
{
    std::string word;
    ForEachWord(utf8, word, [&](std::string_view w, int start, int end) {
        return scan(w, stemmer.stem(w), start, end);
    });
}

void TokenizeWords(std::string_view utf8, WordStemmer& stemmer, const WordSink& sink)
{
    std::string word;
    ForEachWord(utf8, word, [&](std::string_view w, int start, int end) {
        const std::string_view stem = stemmer.stem(w);
        if (stem == w) {
            sink(w, {}, start, end);
        } else {
            std::string exact(1, kExactMark);
            exact += w;
            sink(stem, exact, start, end);
        }
    });
}

namespace {

struct Tokenizer {
    WordStemmer stemmer;
    std::string word;
    std::string exact;
};

int Create(void*, const char**, int, Fts5Tokenizer** out)
{
    *out = reinterpret_cast<Fts5Tokenizer*>(new Tokenizer);
    return SQLITE_OK;
}

void Delete(Fts5Tokenizer* t)
{
    delete reinterpret_cast<Tokenizer*>(t);
}

int Tokenize(Fts5Tokenizer* t, void* ctx, int flags, const char* text, int size,
             int (*token)(void*, int, const char*, int, int, int))
{
    if (size <= 0)
        return SQLITE_OK;
    if (flags & FTS5_TOKENIZE_QUERY)
        return token(ctx, 0, text, size, 0, size);
    auto& self = *reinterpret_cast<Tokenizer*>(t);
    int rc = SQLITE_OK;
    ForEachWord(std::string_view(text, static_cast<size_t>(size)), self.word,
                [&](std::string_view w, int start, int end) {
                    if (rc != SQLITE_OK)
                        return;
                    const std::string_view stem = self.stemmer.stem(w);
                    rc = token(ctx, 0, stem.data(), static_cast<int>(stem.size()), start, end);
                    if (rc == SQLITE_OK && stem != w) {
                        self.exact.assign(1, kExactMark);
                        self.exact += w;
                        rc = token(ctx, FTS5_TOKEN_COLOCATED, self.exact.data(), static_cast<int>(self.exact.size()),
                                   start, end);
                    }
                });
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

} // namespace

bool RegisterTokenizer(sqlite3* db)
{
    fts5_api* api = nullptr;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &statement, nullptr) != SQLITE_OK)
        return false;
    sqlite3_bind_pointer(statement, 1, &api, "fts5_api_ptr", nullptr);
    sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (!api)
        return false;
    fts5_tokenizer methods{Create, Delete, Tokenize};
    return api->xCreateTokenizer(api, "selvara", nullptr, &methods, nullptr) == SQLITE_OK;
}

} // namespace FullText
