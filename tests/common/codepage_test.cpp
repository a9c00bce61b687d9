// Code page 932 in both directions, at the places where tables disagree.
#include "common/codepage.h"

#include <gtest/gtest.h>

using namespace common;

TEST(Codepage, DecodesSingleBytesOfTheWindowsTable)
{
    const QString s = decodeCp932(QByteArray("A\x80\xA0\xB1\xFD\xFE\xFF", 7));
    const char16_t expected[] = {u'A', 0x0080, 0xF8F0, 0xFF71, 0xF8F1, 0xF8F2, 0xF8F3};
    ASSERT_EQ(s.size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(s[i].unicode(), expected[i]) << i;
}

TEST(Codepage, DecodesExtensionRowsAndUserArea)
{
    struct Case {
        QByteArray bytes;
        char16_t ch;
    } cases[] = {
        {"\x88\x9F", 0x4E9C},  // 亜, JIS X 0208
        {"\x87\x40", 0x2460},  // ①, NEC row 13
        {"\x87\x54", 0x2160},  // Ⅰ, NEC row 13
        {"\xFA\x40", 0x2170},  // ⅰ, IBM extension
        {"\xED\x40", 0x7E8A},  // 纊, NEC-selected IBM extension
        {"\xF0\x40", 0xE000},  // user-defined area
        {"\x81\x60", 0xFF5E},  // ～
        {"\x81\x5C", 0x2015},  // ―
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        const QString s = decodeCp932(c.bytes);
        ASSERT_EQ(s.size(), 1);
        EXPECT_EQ(s[0].unicode(), c.ch);
    }
}

TEST(Codepage, ByteThatBeginsNoCharacterBecomesMiddleDotAndDecodingResumes)
{
    // 0x81 0x20 is no character: the lead byte alone becomes U+30FB and the
    // blank is read on its own; a lead byte at the end does the same.
    EXPECT_EQ(decodeCp932(QByteArray("\x81 A\x81", 4)), QStringView(u"\u30FB A\u30FB"));
    EXPECT_EQ(decodeCp932(QByteArray("\x85\x40", 2)), QStringView(u"\u30FB@"));
}

TEST(Codepage, EncodesTheCodeWindowsWritesForDuplicates)
{
    struct Case {
        char16_t ch;
        QByteArray bytes;
    } cases[] = {
        {0x2235, "\x81\xE6"},  // ∵ in JIS X 0208, NEC row 13 and the IBM extension
        {0xFFE2, "\x81\xCA"},  // ￢
        {0x2160, "\x87\x54"},  // Ⅰ: NEC row 13 over the IBM extension
        {0x2170, "\xFA\x40"},  // ⅰ: IBM extension over NEC-selected
        {0x7E8A, "\xFA\x5C"},  // 纊
        {0x00A5, "?"},         // ¥ must not become a backslash
        {0x2212, "\x81\x7C"},  // − as the full-width minus
        {0x301C, "\x81\x60"},  // 〜 as the wave dash
        {0x2014, "\x81\x5C"},
        {0x203E, "~"},
        {0x00A2, "\x81\x91"},
        {0x0080, "\x80"},
        {0xF8F0, "\xA0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.ch));
        EXPECT_EQ(encodeCp932(QStringView(&c.ch, 1)), c.bytes);
    }
}

// The characters that end in the backslash byte come from the table, so
// they are exactly those the encoder writes that way: the backslash, the
// fifty two-byte codes with that second byte that Windows writes (not the
// NEC-selected copies ED 5C and EE 5C), and the em dash written as ―.
TEST(Codepage, CharactersEndingInTheBackslashByte)
{
    for (const char16_t ch : {u'\\', u'ソ', u'表', u'能', u'十', u'予', u'\u2015', u'\u2014', u'\u2168', u'\u7E8A'})
        EXPECT_TRUE(endsInByte5C(QChar(ch))) << int(ch);
    for (const char16_t ch : {u'\'', u'ア', u'A', u'\u2019', u'\uFFE5', u'\uFF3C', u'\u00A5', char16_t(0xD800), u'\0'})
        EXPECT_FALSE(endsInByte5C(QChar(ch))) << int(ch);
    int count = 0;
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const QChar c(static_cast<char16_t>(u));
        const bool written = !c.isSurrogate() && encodeCp932(QStringView(&c, 1)).endsWith('\x5C');
        EXPECT_EQ(endsInByte5C(c), written) << int(u);
        count += written ? 1 : 0;
    }
    EXPECT_EQ(count, 52);
}

TEST(Codepage, OneQuestionMarkPerUnrepresentableCharacter)
{
    EXPECT_EQ(encodeCp932(u"a\u00E9b"), QByteArray("a?b"));
    EXPECT_EQ(encodeCp932(QString::fromUtf8("x😀y")), QByteArray("x?y"));  // a surrogate pair is one character
    const char16_t lone[] = {u'a', 0xD800, u'b'};
    EXPECT_EQ(encodeCp932(QStringView(lone, 3)), QByteArray("a?b"));
}

TEST(Codepage, TextHelpersCutAtTheFirstNul)
{
    EXPECT_EQ(AnsiBytesToText(QByteArray("ab\0cd", 5)), QStringLiteral("ab"));
    EXPECT_EQ(Utf16BytesToText(QByteArray("a\0b\0\0\0c\0", 8)), QStringLiteral("ab"));
    EXPECT_EQ(cp932RoundTrip(QChar(0x2212)).unicode(), 0xFF0D);
    EXPECT_EQ(cp932RoundTrip(QChar(0x00E9)).unicode(), u'?');
}
