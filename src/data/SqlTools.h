#pragma once

#include <QString>
#include <QVariant>

// Turns a stored value into the SQL text literal that a query places after an
// equals sign. One instance serves the whole run; it holds no state.
class SqlTools {
public:
    // A complete literal, quotes included, matching exactly the rows whose
    // column equals the value. A Null gives NULL, which no row equals.
    QString QuoteValue(const QVariant& value) const;
    QString QuoteValue(const QString& value) const;
};
