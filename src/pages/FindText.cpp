#include "pages/FindText.h"

#include "data/TextFolding.h"

QList<qsizetype> FindMatches(const QString& text, const QString& query, qsizetype limit)
{
    QList<qsizetype> found;
    if (query.isEmpty())
        return found;
    QString haystack = FoldKeepingLength(text);
    QString needle = FoldKeepingLength(query);
    // A case mapping that changed a length would shift every position.
    if (haystack.size() != text.size() || needle.size() != query.size()) {
        haystack = text;
        needle = query;
    }
    for (qsizetype at = haystack.indexOf(needle); at >= 0 && found.size() < limit;
         at = haystack.indexOf(needle, at + needle.size()))
        found.append(at);
    return found;
}
