// Column widths of Japanese text: one column for half-width characters, two
// for all others.
#include "common/text_width.h"

#include <gtest/gtest.h>

using namespace common;

TEST(TextWidth, HalfWidthRanges)
{
    struct Case {
        char16_t c;
        bool half;
    } cases[] = {
        {u'A', true},   {u'~', true},   {u' ', true},   {0xFF71, true},  {0xFF61, true}, {0xFF9F, true},
        {0x001F, false}, {0x007F, false}, {0x3042, false}, {0xFF21, false}, {0x3000, false}, {0xFF60, false},
        {0xFFA0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.c));
        EXPECT_EQ(IsHalfWidth(QStringView(&c.c, 1)), c.half);
    }
    EXPECT_FALSE(IsHalfWidth(QStringView()));
    EXPECT_FALSE(IsHalfWidth(u"AB"));
    EXPECT_FALSE(IsHalfWidth(QString::fromUtf8("😀")));
    EXPECT_EQ(TextColumns(u"aｱあ"), 4);
}

TEST(TextWidth, TextLengthHalvesWidthAndSpacingOfHalfWidthCharacters)
{
    struct Case {
        QString text;
        double length;
    } cases[] = {
        {QStringLiteral("a\u3042"), 3.5},  // 1 + 0.5 + 2
        {QStringLiteral("\u3042a"), 4.0},  // 2 + 1 + 1
        {QStringLiteral("ab"), 2.5},
        {QStringLiteral("\ta"), 2.0},  // the tab has no width but full spacing
        {QString::fromUtf8("😀a"), 4.0},  // a pair is one full-width character
        {QString(), 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_DOUBLE_EQ(TextLength(c.text, 2, 1), c.length);
    }
    EXPECT_DOUBLE_EQ(TextLengthFull(QString::fromUtf8("aあ😀"), 2, 1), 3 * 2 + 2 * 1);
}

TEST(TextWidth, CopyColumnsTakesTheLastCharacterWhole)
{
    struct Case {
        QStringView text;
        qsizetype start, width;
        QStringView expected;
    } cases[] = {
        // Columns 1-2, 3-4, 5-6: the second is taken at 0 < 3 and the third
        // at 2 < 3.
        {u"一二三", 3, 3, u"二三"},
        {u"一二三", 1, 2, u"一"},
        {u"一二三", 2, 1, u"二"},  // starts inside the first: from the next
        {u"abcdef", 3, 2, u"cd"},
        {u"abcdef", 1, 0, u""},
        {u"ab", 5, 3, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toString().toStdString());
        EXPECT_EQ(CopyColumns(c.text, c.start, c.width), c.expected);
    }
}

TEST(TextWidth, CopyWidthStopsBeforeExceedingTheWidth)
{
    struct Case {
        QStringView text;
        qsizetype start, width;
        QStringView expected;
        qsizetype next;
    } cases[] = {
        {u"a一b", 0, 2, u"a", 1},
        {u"a一b", 0, 3, u"a一", 2},
        {u"a一b", 1, 10, u"一b", 3},
        {u"一", 0, 1, u"", 0},
        {u"ab", 5, 3, u"", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toString().toStdString());
        qsizetype next = -1;
        EXPECT_EQ(CopyWidth(c.text, c.start, c.width, &next), c.expected);
        EXPECT_EQ(next, c.next);
    }
}
