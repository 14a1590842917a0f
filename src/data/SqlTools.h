#pragma once

#include <QString>
#include <QVariant>

// Turns a stored value into the SQL text that a query places after an equals
// sign. One instance serves the whole run; it holds no state.
class SqlTools {
public:
    // A complete text value, quotes included, that equals exactly the value:
    // apostrophes are doubled, and a NUL character (which would end the
    // statement's text) is spelled char(0). A Null gives NULL, which no row equals.
    QString QuoteValue(const QVariant& value) const;
    QString QuoteValue(const QString& value) const;
};

// The condition the searches append to their statements: true for the rows
// whose column holds every word of the text. Words are what the blanks
// separate; case, Greek accents and diaeresis are ignored on both sides;
// %, _ and \ in a word match themselves.
class SearchCriteria {
public:
    QString BuildSearchCondition(const QString& column, const QString& text, qint32 mode,
                                 qint32 flag1, qint32 flag2, qint32 flag3, const QString& extra) const;
};
