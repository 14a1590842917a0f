#pragma once

#include <QList>
#include <QString>

// The look of every generated page: six rules by element kind, applied in
// this order, each property in the order listed.
struct StyleRule {
    QString tag;
    QList<QPair<QString, QString>> properties;  // CSS name, value as set
};

const QList<StyleRule>& PageStyleRules();

// The rules as a style sheet for the page view. Sizes without a unit are
// pixels; a line height of 1 is one line of the element's own font.
QString PageStyleSheet();

class QTextDocument;
// The text view scales headings by a level of its own that a style sheet does
// not override; this gives headings, and links inside them, the rules' sizes.
void ApplyHeadingSizes(QTextDocument& document);
