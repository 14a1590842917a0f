#pragma once

#include <QString>
#include <QVariant>

// The search folding: one-for-one upper case, blanks trimmed at both ends, and
// the accented and diaeresis Greek capitals replaced by their plain letters.
// Searches fold both the user's text and the text they compare it with.
QString FoldSearchText(const QString& value);
// A database Null folds to the empty string.
QString FoldSearchText(const QVariant& value);
// The same folding without the trimming: character for character, so that
// a position in the folded text is the same position in the text.
QString FoldKeepingLength(const QString& value);

// One code point of the search folding, then in lower case: the form words
// take in the full-text index ("Ά", "ά" and "α" all give "α", "Σ" gives "σ").
char32_t FoldWordChar(char32_t c);
