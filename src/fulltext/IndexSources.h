#pragma once

#include <QByteArray>

#include <atomic>
#include <functional>
#include <string>
#include <string_view>

struct sqlite3;

namespace FullText {

// The text a reader sees in an HTML fragment or document: tags, attributes,
// comments, scripts and styles dropped, entities decoded, UTF-8 in and out.
// Inline tags join what they split ("<b>άρ</b>θρο" reads "άρθρο"); other
// tags separate words.
std::string HtmlToText(std::string_view html);

// The text of an RTF document as the program's own reader reads it.
std::string RtfToText(const QByteArray& rtf);

// What a hit opens.
enum class DocKind { Law = 0, Topic = 1, Guide = 2, Template = 3 };

// One entry of the index: what a reader reads, and what the hit shows.
struct IndexDoc {
    DocKind kind = DocKind::Law;
    qint64 id = 0;       // the row: law, topic, guide entry or template
    qint64 lawId = 0;    // laws: the law the hit opens (the law of an article)
    qint64 typeId = 0;   // laws: the law's type
    qint64 year = 0;
    qint64 opensIn = 0;  // templates: the guide entry that links to it
    std::string lawCode;
    std::string issueDate;
    std::string shownTitle;  // the law's, topic's or entry's title, plain
    std::string article;     // the article a law row is, plain
    std::string title;       // indexed, ranked above the text
    std::string body;        // indexed
};

// Reads every entry of the legislation database (opened by the caller) in
// order and hands it over. total gets the count first; stop ends the walk
// early (false is returned then).
bool ReadIndexDocs(sqlite3* source, const std::function<void(qint64 total)>& total,
                   const std::function<void(IndexDoc&)>& take, const std::atomic<bool>& stop);

} // namespace FullText
