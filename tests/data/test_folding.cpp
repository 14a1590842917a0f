// The search folding: the table-driven folding gives what the plain one did.
#include "data/JetFunctions.h"
#include "data/TextFolding.h"

#include <gtest/gtest.h>

namespace {

// The folding as it was first written: upper case by code point, then each
// accented capital replaced in turn over the whole text.
QString ReferenceFolding(const QString& value)
{
    static const char16_t kReplacements[][2] = {
        {u'\u03AB', u'\u03A5'}, {u'\u03B0', u'\u03A5'}, {u'\u03AA', u'\u0399'}, {u'\u0390', u'\u0399'},
        {u'\u0386', u'\u0391'}, {u'\u0388', u'\u0395'}, {u'\u038C', u'\u039F'}, {u'\u038E', u'\u03A5'},
        {u'\u038A', u'\u0399'}, {u'\u0389', u'\u0397'}, {u'\u038F', u'\u03A9'},
    };
    QString s = Jet::UCase(value);
    for (const auto& r : kReplacements)
        s.replace(QChar(r[0]), QChar(r[1]));
    return s;
}

} // namespace

TEST(Folding, TheSameAsTheReferenceOnEveryCodePoint)
{
    for (char32_t c = 1; c < 0x110000; ++c) {
        const QString one = QString::fromUcs4(&c, 1);
        const QString text = QStringLiteral("a") + one + QStringLiteral("ά");
        ASSERT_EQ(FoldKeepingLength(text), ReferenceFolding(text)) << static_cast<unsigned>(c);
        ASSERT_EQ(FoldKeepingLength(one), ReferenceFolding(one)) << static_cast<unsigned>(c);
    }
    // Halves of surrogate pairs on their own.
    for (char16_t c = 0xD800; c < 0xE000; ++c) {
        const QString lone(QChar{c});
        ASSERT_EQ(FoldKeepingLength(lone), ReferenceFolding(lone)) << static_cast<unsigned>(c);
    }
    EXPECT_EQ(FoldSearchText(QStringLiteral("  Άρθρο ΐ ϋ ς  ")), QStringLiteral("ΑΡΘΡΟ ΐ Υ Σ").replace(u'ΐ', u'Ι'));
}

TEST(Folding, TextThatNeedsNoChangeIsNotCopied)
{
    const QString folded = QString::fromUtf8("ΑΡΘΡΟ 5 ΤΟΥ Ν. 4186/2013");
    EXPECT_EQ(FoldKeepingLength(folded).constData(), folded.constData());
}
