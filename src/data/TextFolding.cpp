#include "data/TextFolding.h"

#include "data/JetFunctions.h"

QString FoldKeepingLength(const QString& value)
{
    // Applied in this order, comparing code points exactly.
    static const char16_t kReplacements[][2] = {
        {u'\u03AB', u'\u03A5'}, // Ϋ → Υ
        {u'\u03B0', u'\u03A5'}, // ΰ → Υ
        {u'\u03AA', u'\u0399'}, // Ϊ → Ι
        {u'\u0390', u'\u0399'}, // ΐ → Ι
        {u'\u0386', u'\u0391'}, // Ά → Α
        {u'\u0388', u'\u0395'}, // Έ → Ε
        {u'\u038C', u'\u039F'}, // Ό → Ο
        {u'\u038E', u'\u03A5'}, // Ύ → Υ
        {u'\u038A', u'\u0399'}, // Ί → Ι
        {u'\u0389', u'\u0397'}, // Ή → Η
        {u'\u038F', u'\u03A9'}, // Ώ → Ω
    };
    QString s = Jet::UCase(value);
    for (const auto& r : kReplacements)
        s.replace(QChar(r[0]), QChar(r[1]));
    return s;
}

QString FoldSearchText(const QString& value)
{
    return Jet::Trim(FoldKeepingLength(value));
}

QString FoldSearchText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    return FoldSearchText(value.toString());
}
