#include "pages/PageStyle.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

const QList<StyleRule>& PageStyleRules()
{
    static const QList<StyleRule> kRules = {
        {QStringLiteral("h1"), {{QStringLiteral("font-family"), QStringLiteral("Arial")},
                                {QStringLiteral("font-size"), QStringLiteral("22")},
                                {QStringLiteral("color"), QStringLiteral("darkblue")},
                                {QStringLiteral("text-align"), QStringLiteral("center")},
                                {QStringLiteral("background-color"), QStringLiteral("#C0AAA3")}}},
        {QStringLiteral("h2"), {{QStringLiteral("font-family"), QStringLiteral("Arial")},
                                {QStringLiteral("font-size"), QStringLiteral("16")},
                                {QStringLiteral("color"), QStringLiteral("darkblue")},
                                {QStringLiteral("background-color"), QStringLiteral("#D3C4BE")}}},
        {QStringLiteral("h3"), {{QStringLiteral("font-family"), QStringLiteral("Arial")},
                                {QStringLiteral("font-size"), QStringLiteral("10")},
                                {QStringLiteral("color"), QStringLiteral("brown")},
                                {QStringLiteral("font-style"), QStringLiteral("italic")},
                                {QStringLiteral("margin"), QStringLiteral("0")},
                                {QStringLiteral("line-height"), QStringLiteral("1")}}},
        {QStringLiteral("h4"), {{QStringLiteral("font-family"), QStringLiteral("Arial")},
                                {QStringLiteral("font-size"), QStringLiteral("13")},
                                {QStringLiteral("color"), QStringLiteral("black")}}},
        {QStringLiteral("p"), {{QStringLiteral("font-family"), QStringLiteral("Arial")},
                               {QStringLiteral("font-size"), QStringLiteral("13")},
                               {QStringLiteral("color"), QStringLiteral("black")},
                               {QStringLiteral("line-height"), QStringLiteral("1")}}},
        {QStringLiteral("a"), {{QStringLiteral("font-family"), QStringLiteral("Arial")},
                               {QStringLiteral("font-size"), QStringLiteral("13")},
                               {QStringLiteral("color"), QStringLiteral("brown")},
                               {QStringLiteral("line-height"), QStringLiteral("1")},
                               {QStringLiteral("margin"), QStringLiteral("0")}}},
    };
    return kRules;
}

namespace {

QString cssValue(const QString& property, const QString& value)
{
    if (property == QLatin1String("font-size") || property == QLatin1String("margin"))
        return value + QStringLiteral("px");
    if (property == QLatin1String("line-height")) {
        bool ok = false;
        const double lines = value.toDouble(&ok);
        return ok ? QString::number(lines * 100.0) + QStringLiteral("%") : value;
    }
    return value;
}

} // namespace

QString PageStyleSheet()
{
    // The rules never change; every page shown asked for them anew.
    static const QString kSheet = [] {
        QString css;
        for (const StyleRule& rule : PageStyleRules()) {
            css += rule.tag + QStringLiteral(" {");
            for (const auto& [property, value] : rule.properties)
                css += QStringLiteral(" ") + property + QStringLiteral(": ") + cssValue(property, value) + QStringLiteral(";");
            css += QStringLiteral(" }\n");
        }
        return css;
    }();
    return kSheet;
}

namespace {

int ruleSize(const QString& tag)
{
    for (const StyleRule& rule : PageStyleRules())
        if (rule.tag == tag)
            for (const auto& [property, value] : rule.properties)
                if (property == QLatin1String("font-size"))
                    return value.toInt();
    return 0;
}

} // namespace

void ApplyHeadingSizes(QTextDocument& document)
{
    const int linkSize = ruleSize(QStringLiteral("a"));
    // One edit block: the page is laid out once, after the last change.
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 1 || level > 4)
            continue;
        const int headingSize = ruleSize(QStringLiteral("h%1").arg(level));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            format.clearProperty(QTextFormat::FontSizeAdjustment);
            format.clearProperty(QTextFormat::FontPointSize);
            format.setProperty(QTextFormat::FontPixelSize, format.isAnchor() ? linkSize : headingSize);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    cursor.endEditBlock();
}
