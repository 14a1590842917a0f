#pragma once

#include <QString>

// Stored texts nest tables and tags without limit, and Qt's rich text takes
// time that grows exponentially with nested tables and quadratically with
// the depth of any element. Past these depths, counted on the tree Qt itself
// will build, a text keeps its words but not its nesting: tables deeper than
// kMaxTableDepth become plain rows of their cells, blocks (div, p, lists and
// their items, quotes, headings) deeper than kMaxBlockDepth and other tags,
// known to Qt or not, deeper than kMaxInlineDepth are dropped. Pictures in
// one paragraph take quadratic time too: past kMaxPictures a page shows no
// more of them. One pass, linear in the text.
constexpr int kMaxTableDepth = 6;
constexpr int kMaxInlineDepth = 64;
constexpr int kMaxBlockDepth = 32;
constexpr int kMaxPictures = 500;

QString LimitNesting(const QString& html);
