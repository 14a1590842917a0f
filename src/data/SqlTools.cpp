#include "data/SqlTools.h"

#include "data/TextFolding.h"

#include <QStringList>

namespace {

// The text as an SQL value: a quoted literal, joined to char(0) where the
// text holds NUL characters.
QString textValue(const QString& text)
{
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
    QStringList terms;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        // A plain substring test: no character of the word is a wildcard.
        terms << QStringLiteral("instr(foldsearch(") + column + QStringLiteral("), ") + textValue(FoldSearchText(word))
                + QStringLiteral(") > 0");
    }
    // Nothing to look for matches nothing.
    if (terms.isEmpty())
        return QStringLiteral(" (1 = 0) ");
    return QStringLiteral(" (") + terms.join(QStringLiteral(") AND (")) + QStringLiteral(") ");
}
