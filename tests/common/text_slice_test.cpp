// Text slicing: 0-based code-unit indices, -1 for "not found", and the
// tolerance of every function for indices outside the text.
#include "common/text_slice.h"

#include <gtest/gtest.h>

using namespace common;

TEST(TextSlice, PosOfIsZeroBasedAndMinusOneWhenAbsent)
{
    struct Case {
        QStringView part, text;
        qsizetype pos;
    } cases[] = {
        {u"b", u"abc", 1},
        {u"x", u"abc", -1},
        {u"a", u"abc", 0},
        {u"bc", u"abcbc", 1},
        {u"", u"abc", -1},
        {u"abcd", u"abc", -1},
        {u"図", u"平面図", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part.toString().toStdString() + " in " + c.text.toString().toStdString());
        EXPECT_EQ(PosOf(c.part, c.text), c.pos);
    }
}

TEST(TextSlice, CopiesClampToTheText)
{
    struct Case {
        const char* what;
        QString got;
        QStringView expected;
    } cases[] = {
        {"range inside", CopyRange(u"abcdef", 2, 3), u"cde"},
        {"range past end", CopyRange(u"abcdef", 4, 10), u"ef"},
        {"range from end", CopyRange(u"abcdef", 6, 1), u""},
        {"range negative start", CopyRange(u"abcdef", -1, 2), u""},
        {"range zero count", CopyRange(u"abcdef", 1, 0), u""},
        {"from", CopyFrom(u"abcdef", 4), u"ef"},
        {"from end", CopyFrom(u"abcdef", 6), u""},
        {"from negative", CopyFrom(u"abcdef", -2), u""},
        {"right", RightText(u"abcdef", 2), u"ef"},
        {"right longer", RightText(u"ab", 5), u"ab"},
        {"right none", RightText(u"ab", -1), u""},
        {"char at", CharAt(u"abc", 2), u"c"},
        {"char at outside", CharAt(u"abc", 3), u""},
        {"repeat", RepeatText(u"\uFF65", 3), u"\uFF65\uFF65\uFF65"},
        {"repeat none", RepeatText(u"ab", 0), u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.got, c.expected);
    }
}

TEST(TextSlice, SurrogatePairsCountAsOneCharacter)
{
    const QString text = QStringLiteral("a") + QString::fromUtf8("😀") + QStringLiteral("b");
    EXPECT_EQ(CharCount(text), 3);
    const int kinds[] = {0, 1, 2, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(SurrogateKind(text, i), kinds[i]) << i;
    EXPECT_EQ(SurrogateKind(text, -1), -1);
    EXPECT_EQ(SurrogateKind(text, 4), -1);

    // Lone halves are characters of their own.
    const char16_t lone[] = {0xDC00, 0xD800, u'x'};
    EXPECT_EQ(CharCount(QStringView(lone, 3)), 3);
    EXPECT_EQ(SurrogateKind(QStringView(lone, 3), 0), 0);
    EXPECT_EQ(SurrogateKind(QStringView(lone, 3), 1), 0);
}

TEST(TextSlice, StripRemovesBlanksAndControls)
{
    const QString text = QStringLiteral(" a\u3000b\tc\u0001\u00A0");
    EXPECT_EQ(StripBlanks(text), QStringLiteral("abc\u00A0"));
    EXPECT_EQ(StripControls(text), QStringLiteral(" a\u3000bc\u00A0"));
    EXPECT_TRUE(IsBlank(u" \u3000\r\n"));
    EXPECT_FALSE(IsBlank(u" \u00A0"));
}

TEST(TextSlice, CaseMappingKeepsTheLength)
{
    EXPECT_EQ(UpperText(u"true ß ａ"), QStringLiteral("TRUE ß Ａ"));
    EXPECT_EQ(LowerText(u"JWW Ä"), QStringLiteral("jww ä"));
}
