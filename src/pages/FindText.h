#pragma once

#include <QList>
#include <QString>

// Where the query occurs in the text, ignoring case and accents as the
// searches do: the start of every occurrence, not overlapping, at most
// `limit` of them. An empty query occurs nowhere.
QList<qsizetype> FindMatches(const QString& text, const QString& query, qsizetype limit = 10000);
