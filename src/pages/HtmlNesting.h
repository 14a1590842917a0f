#pragma once

#include <QString>

// Stored texts nest tables and inline tags without limit, and laying out a
// deep nest takes time that grows exponentially with the tables and
// quadratically with the tags. Past these depths a text keeps its words but
// not its nesting: tables deeper than kMaxTableDepth become plain rows of
// their cells, inline tags deeper than kMaxInlineDepth are dropped. Pictures
// in one paragraph take quadratic time too: past kMaxPictures a page shows
// no more of them. One pass, linear in the text.
constexpr int kMaxTableDepth = 6;
constexpr int kMaxInlineDepth = 64;
// Blocks (div, lists and their items, quotes) nest as deep as this; deeper
// ones give their words without their frames.
constexpr int kMaxBlockDepth = 32;
constexpr int kMaxPictures = 500;

QString LimitNesting(const QString& html);
