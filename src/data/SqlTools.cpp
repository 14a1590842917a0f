#include "data/SqlTools.h"

#include <QSet>

#include "data/TextFolding.h"

#include <QStringList>

namespace {

// The text as an SQL value: a quoted literal, joined to char(0) where the
// text holds NUL characters.
QString textValue(const QString& text)
{
    // Nearly every value holds neither a quote nor a NUL.
    if (!text.contains(u'\'') && !text.contains(QChar(u'\0')))
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    const QStringList pieces = text.split(QChar(u'\0'));
    QStringList quoted;
    for (const QString& piece : pieces) {
        QString q = piece;
        q.replace(QLatin1Char('\''), QLatin1String("''"));
        quoted << QLatin1Char('\'') + q + QLatin1Char('\'');
    }
    if (quoted.size() == 1)
        return quoted.first();
    return QLatin1Char('(') + quoted.join(QStringLiteral(" || char(0) || ")) + QLatin1Char(')');
}

} // namespace

QString SqlTools::QuoteValue(const QVariant& value) const
{
    if (value.isNull())
        return QStringLiteral("NULL");
    return QuoteValue(value.toString());
}

QString SqlTools::QuoteValue(const QString& value) const
{
    return textValue(value);
}

QString SearchCriteria::BuildSearchCondition(const QString& column, const QString& text, qint32, qint32, qint32,
                                             qint32, const QString&) const
{
    // SQLite refuses an expression nested a thousand deep: every word adds a
    // level, and so does every NUL character within a word. A repeated word
    // adds nothing, and past these limits a text is searched by its first
    // words and the first pieces of a word.
    constexpr qsizetype kMaxWords = 32;
    constexpr int kMaxNulsInWord = 16;
    QStringList terms;
    QSet<QString> seen;
    for (QString word : text.split(u' ', Qt::SkipEmptyParts)) {
        for (qsizetype i = 0, nuls = 0; i < word.size(); ++i) {
            if (word[i] == QChar(u'\0') && ++nuls > kMaxNulsInWord) {
                word.truncate(i);
                break;
            }
        }
        const QString folded = FoldSearchText(word);
        if (seen.contains(folded))
            continue;
        if (seen.size() == kMaxWords)
            break;
        seen.insert(folded);
        // A plain substring test: no character of the word is a wildcard.
        terms << QStringLiteral("instr(foldsearch(") + column + QStringLiteral("), ") + textValue(folded)
                + QStringLiteral(") > 0");
    }
    // Nothing to look for matches nothing.
    if (terms.isEmpty())
        return QStringLiteral(" (1 = 0) ");
    return QStringLiteral(" (") + terms.join(QStringLiteral(") AND (")) + QStringLiteral(") ");
}
