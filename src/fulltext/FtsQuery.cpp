#include "fulltext/FtsQuery.h"

#include "fulltext/GreekTokenizer.h"

#include <string>
#include <vector>

namespace FullText {

namespace {

struct Term {
    QString text;      // as typed, without its - or *
    bool phrase = false;
    bool exclude = false;
    bool prefix = false;
    bool orBefore = false;  // joined to the term before by OR
};

// Splits the text into terms: quoted phrases (when the quote closes), the
// words OR and ή, and chunks between blanks with their - and *.
std::vector<Term> Terms(const QString& text)
{
    std::vector<Term> terms;
    bool orPending = false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && static_cast<int>(terms.size()) < kMaxTerms) {
        const QChar c = text[i];
        if (c.isSpace() || c.isNull()) {
            ++i;
            continue;
        }
        Term term;
        if (c == u'-' && i + 1 < n && !text[i + 1].isSpace()) {
            term.exclude = true;
            ++i;
        }
        if (i < n && text[i] == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            if (close > i) {
                term.text = text.mid(i + 1, close - i - 1);
                term.phrase = true;
                i = close + 1;
            } else {
                ++i;  // a lone quote is no phrase
                continue;
            }
        } else {
            const qsizetype start = i;
            while (i < n && !text[i].isSpace() && text[i] != u'"')
                ++i;
            term.text = text.mid(start, i - start);
            if (!term.exclude && (term.text == QLatin1String("OR") || term.text == QStringLiteral("ή")
                                  || term.text == QStringLiteral("Ή"))) {
                orPending = !terms.empty();
                continue;
            }
            while (term.text.endsWith(u'*')) {
                term.text.chop(1);
                term.prefix = true;
            }
        }
        term.orBefore = orPending && !term.exclude;
        orPending = false;
        terms.push_back(term);
    }
    return terms;
}

void AppendToken(std::string& out, std::string_view token)
{
    out += '"';
    out += token;
    out += '"';
}

// Snowball's Greek stemmer gives one word's forms different stems at times
// ("σχολικές" σχολικ, "σχολικών" σχολ): a stem of four letters or more is
// also matched by the longer stems that start with it.
bool StemIsPrefix(std::string_view word, std::string_view stem)
{
    return stem != word && stem.size() >= 8;
}

// The stems of the words as one phrase, or the exact forms as one.
std::string Phrase(const std::vector<std::string>& words, WordStemmer& stemmer, bool exact, bool* differs)
{
    std::string out;
    for (const std::string& w : words) {
        if (!out.empty())
            out += " + ";
        const std::string stem(stemmer.stem(w));
        if (!exact && StemIsPrefix(w, stem)) {
            AppendToken(out, stem);
            out += " *";
        } else if (!exact || stem == w) {
            AppendToken(out, stem);
        } else {
            *differs = true;
            AppendToken(out, std::string(1, kExactMark) + w);
        }
    }
    return out;
}

// The term as the index is asked for it; exact gets the phrase of the forms
// as typed where they differ from their stems.
std::string Expression(const Term& term, const std::vector<std::string>& words, WordStemmer& stemmer,
                       const StemExpander& expand, std::string* exact)
{
    if (term.prefix && words.size() == 1 && !term.phrase) {
        std::string out = "(";
        AppendToken(out, words[0]);
        out += " * OR ";
        AppendToken(out, std::string(1, kExactMark) + words[0]);
        out += " *)";
        return out;
    }
    bool differs = false;
    std::string stems;
    if (const std::string stem(words.size() == 1 ? stemmer.stem(words[0]) : std::string_view());
        expand && words.size() == 1 && StemIsPrefix(words[0], stem)) {
        // The longer stems the index holds, named one by one: a prefix query
        // would gather every position of every one of them first.
        const std::vector<std::string> forms = expand(stem);
        if (forms.size() <= kMaxStemForms) {
            for (const std::string& form : forms) {
                if (!stems.empty())
                    stems += " OR ";
                AppendToken(stems, form);
            }
            if (forms.empty())
                AppendToken(stems, stem);
        }
    }
    if (stems.empty())
        stems = Phrase(words, stemmer, false, &differs);
    if (!term.exclude) {
        const std::string exacts = Phrase(words, stemmer, true, &differs);
        if (differs)
            *exact = exacts;
    }
    return "(" + stems + ")";
}

} // namespace

bool Wanted(const Query& query, std::string_view folded, std::string_view stem)
{
    for (const std::string& s : query.stems)
        if (s == stem)
            return true;
    for (const std::string& p : query.stemPrefixes)
        if (stem.substr(0, p.size()) == p)
            return true;
    for (const std::string& p : query.prefixes)
        if (folded.substr(0, p.size()) == p)
            return true;
    return false;
}

Query ParseQuery(const QString& text, WordStemmer& stemmer, const StemExpander& expand)
{
    Query query;
    std::string positive;
    std::string negative;
    bool groupOpen = false;
    for (const Term& term : Terms(text)) {
        const QByteArray utf8 = term.text.toUtf8();
        const std::vector<std::string> words = FoldedWords(std::string_view(utf8.constData(), utf8.size()));
        if (words.empty())
            continue;
        std::string exact;
        const std::string expression = Expression(term, words, stemmer, expand, &exact);
        if (!exact.empty()) {
            if (!query.exact.isEmpty())
                query.exact += " OR ";
            query.exact += QByteArray::fromStdString(exact);
        }
        if (term.exclude) {
            negative += " NOT " + expression;
            continue;
        }
        query.words << term.text;
        for (const std::string& w : words) {
            if (term.prefix && words.size() == 1 && !term.phrase)
                query.prefixes.push_back(w);
            else if (const std::string_view stem = stemmer.stem(w); StemIsPrefix(w, stem))
                query.stemPrefixes.emplace_back(stem);
            else
                query.stems.emplace_back(stem);
        }
        if (positive.empty()) {
            positive = expression;
        } else if (term.orBefore) {
            if (!groupOpen) {
                // (previous OR this): wrap the last operand.
                const size_t lastAnd = positive.rfind(" AND ");
                const size_t cut = lastAnd == std::string::npos ? 0 : lastAnd + 5;
                positive.insert(positive.begin() + static_cast<std::ptrdiff_t>(cut), '(');
                groupOpen = true;
            } else {
                positive.pop_back();
            }
            positive += " OR " + expression + ")";
        } else {
            groupOpen = false;
            positive += " AND " + expression;
        }
    }
    if (!positive.empty())
        query.match = QByteArray::fromStdString(positive + negative);
    return query;
}

} // namespace FullText
