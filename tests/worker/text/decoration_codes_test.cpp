// Decorated texts cut into pieces, horizontally and vertically, each case
// checked against pieces worked out by hand from the rules of the codes.
#include "worker/text/decoration_codes.h"

#include "common/text_width.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every case starts at (10, 20) with characters 4 wide and 6 high, spacing 1,
// pen colour 1, font 3, upright; "^\" switches to font 1.
constexpr double kX = 10, kY = 20, kMw = 4, kMh = 6, kMd = 1;
constexpr int32_t kGothic = 1;

// The input as the text converter measures `st`: the written width (or
// height) counts full spacing between all code units.
text::MojiExp2Input inputFor(const QString& st, bool vertical, double an)
{
    text::MojiExp2Input in;
    in.co = 1;
    in.fo = 3;
    in.x = kX;
    in.y = kY;
    in.mw = kMw;
    in.mh = kMh;
    in.md = kMd;
    in.an = an;
    in.st = st;
    const double cols = static_cast<double>(common::TextColumns(st));
    const double n = static_cast<double>(st.size());
    in.sx = vertical ? kMw : cols * 0.5 * kMw + (n - 1) * kMd;
    in.sy = vertical ? n * kMh + (n - 1) * kMd : kMh;
    return in;
}

struct Piece {
    QString str;
    double x, y, msx, msy;
    double mjd = 0;
    int32_t col = 1;
    int32_t fon = 3;
    int32_t ita = 0;
    int32_t dir = 0;  // 0: the direction of the text
};

struct Line {
    double x1, y1, x2, y2;
    int32_t col = 1;
};

struct Case {
    const char* name;
    QString st;
    bool vertical;
    std::vector<Piece> moji;
    std::vector<Line> lines;
    double an = 0;
};

void expectPieces(const text::TSFC_Moji_Exp_Info& mexp, const Case& c)
{
    constexpr double kTol = 1e-9;
    ASSERT_EQ(mexp.eMojiN, static_cast<int32_t>(mexp.eMoji.size()));
    ASSERT_EQ(mexp.eLineN, static_cast<int32_t>(mexp.eLine.size()));
    ASSERT_EQ(mexp.eMoji.size(), c.moji.size());
    for (size_t i = 0; i < c.moji.size(); ++i) {
        SCOPED_TRACE(i);
        const text::TSFC_Moji_Exp_MojiField& got = mexp.eMoji[i];
        const Piece& want = c.moji[i];
        EXPECT_EQ(got.str, want.str);
        EXPECT_NEAR(got.mjx, want.x, kTol);
        EXPECT_NEAR(got.mjy, want.y, kTol);
        EXPECT_NEAR(got.msx, want.msx, kTol);
        EXPECT_NEAR(got.msy, want.msy, kTol);
        EXPECT_NEAR(got.mjd, want.mjd, kTol);
        EXPECT_EQ(got.mja, c.an);
        EXPECT_EQ(got.col, want.col);
        EXPECT_EQ(got.fon, want.fon);
        EXPECT_EQ(got.ita, want.ita);
        EXPECT_EQ(got.ktn, c.vertical ? 7 : 1);
        EXPECT_EQ(got.dir, want.dir != 0 ? want.dir : (c.vertical ? 2 : 1));
    }
    ASSERT_EQ(mexp.eLine.size(), c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i) {
        SCOPED_TRACE(i);
        const text::TSFC_Moji_Exp_LineField& got = mexp.eLine[i];
        const Line& want = c.lines[i];
        EXPECT_NEAR(got.x1, want.x1, kTol);
        EXPECT_NEAR(got.y1, want.y1, kTol);
        EXPECT_NEAR(got.x2, want.x2, kTol);
        EXPECT_NEAR(got.y2, want.y2, kTol);
        EXPECT_EQ(got.col, want.col);
    }
}

void run(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.vertical ? " (vertical)" : " (horizontal)"));
        text::TSFC_Moji_Exp_Info mexp;
        // Left-overs of an earlier text must not survive.
        mexp.eMoji.resize(3);
        mexp.eMojiN = 3;
        mexp.eLine.resize(2);
        mexp.eLineN = 2;
        const text::MojiExp2Input in = inputFor(c.st, c.vertical, c.an);
        if (c.vertical)
            text::GetMojiExp2b(mexp, in, kGothic);
        else
            text::GetMojiExp2a(mexp, in, kGothic);
        expectPieces(mexp, c);
    }
}

}  // namespace

// The end markers: dots spread a text over the box measured with them, "^N"
// squeezes it by N columns. Without other codes the text stays one piece.
TEST(DecorationCodes, EndMarkersSpreadAndSqueeze)
{
    // «ABC・・»: 7 columns, box 3.5 x 4 + 4 = 18 wide; without the dots the
    // spacing is (18 - 6) / 2. Vertically 5 x 6 + 4 = 34 high, (34 - 18) / 2.
    // «ABCD^2»: box 6 x 2 + 5 = 17 wide, spacing (17 - 12) / 5 = 1, then width
    // and spacing halved: 4 x 0.5 x 2 + 3 x 0.5. Vertically the height
    // halves and the column is 4 x 3 + 3 x 0.5 high.
    run({
        {"trailing middle dots", u"ABC\u30FB\u30FB"_qs, false, {{u"ABC"_qs, 10, 20, 18, 6, 6}}, {}},
        {"trailing middle dots", u"ABC\u30FB\u30FB"_qs, true, {{u"ABC"_qs, 10, 20, 4, 34, 8}}, {}},
        {"one half-width dot", u"ABC\uFF65"_qs, false, {{u"ABC"_qs, 10, 20, 11, 6, 2.5}}, {}},
        {"one half-width dot", u"ABC\uFF65"_qs, true, {{u"ABC"_qs, 10, 20, 4, 27, 4.5}}, {}},
        {"squeezed by two columns", u"ABCD^2"_qs, false, {{u"ABCD"_qs, 10, 20, 5.5, 6, 0.5}}, {}},
        {"squeezed by two columns", u"ABCD^2"_qs, true, {{u"ABCD"_qs, 10, 20, 4, 13.5, 0.5}}, {}},
        // Squeezing by as many columns as the text has would leave no size:
        // the marker goes, the size stays. Spacing (11 - 8) / 3 = 1.
        {"squeezed by all its columns", u"AB^4"_qs, false, {{u"AB"_qs, 10, 20, 5, 6, 1}}, {}},
        {"squeezed by all its columns", u"AB^4"_qs, true, {{u"AB"_qs, 10, 20, 4, 13, 1}}, {}},
        {"blank once the dot is gone", u"  \uFF65"_qs, false, {}, {}},
        {"blank once the marker is gone", u" ^3"_qs, true, {}, {}},
    });
}

// Lines under and through the characters, colour changes and runs placed
// with a gap after each change.
TEST(DecorationCodes, LinesColoursAndRuns)
{
    run({
        // Underline from the pen after A (12) to the pen after C (16), 0.6
        // below; D starts 0.4 beyond C.
        {"underline ended by ^%", u"A^_BC^%D"_qs, false,
         {{u"ABC"_qs, 10, 20, 6, 6}, {u"D"_qs, 16.4, 20, 2, 6}}, {{12, 19.4, 16, 19.4}}},
        // Down the column: one 6 per character, the line 4.4 to the right.
        {"underline ended by ^%", u"A^_BC^%D"_qs, true,
         {{u"ABC"_qs, 10, 20, 4, 18}, {u"D"_qs, 10, 1.4, 4, 6}}, {{14.4, 14, 14.4, 2}}},
        // At 90 degrees "below" is +x and "across" is +y.
        {"underline at 90 degrees", u"A^_BC^%D"_qs, false,
         {{u"ABC"_qs, 10, 20, 6, 6}, {u"D"_qs, 10, 26.4, 2, 6}}, {{10.6, 22, 10.6, 26}}, 90},
        {"underline at 90 degrees", u"A^_BC^%D"_qs, true,
         {{u"ABC"_qs, 10, 20, 4, 18}, {u"D"_qs, 28.6, 20, 4, 6}}, {{16, 24.4, 28, 24.4}}, 90},
        {"colour 2", u"X^$2Y"_qs, false, {{u"X"_qs, 10, 20, 2, 6}, {u"Y"_qs, 12.4, 20, 2, 6, 0, 2}}, {}},
        {"colour 2", u"X^$2Y"_qs, true, {{u"X"_qs, 10, 20, 4, 6}, {u"Y"_qs, 10, 13.4, 4, 6, 0, 2}}, {}},
        // The underline drawn so far keeps colour 1 and goes on in colour 3.
        {"underline across a colour change", u"A^_B^$3C"_qs, false,
         {{u"AB"_qs, 10, 20, 4, 6}, {u"C"_qs, 14.4, 20, 2, 6, 0, 3}}, {{12, 19.4, 14, 19.4}, {14, 19.4, 16, 19.4, 3}}},
        {"underline across a colour change", u"A^_B^$3C"_qs, true,
         {{u"AB"_qs, 10, 20, 4, 12}, {u"C"_qs, 10, 7.4, 4, 6, 0, 3}}, {{14.4, 14, 14.4, 8}, {14.4, 8, 14.4, 2, 3}}},
        {"strike line ended by ^#", u"A^-B^#C"_qs, false,
         {{u"AB"_qs, 10, 20, 4, 6}, {u"C"_qs, 14.4, 20, 2, 6}}, {{12, 23, 14, 23}}},
        {"strike line ended by ^#", u"A^-B^#C"_qs, true,
         {{u"AB"_qs, 10, 20, 4, 12}, {u"C"_qs, 10, 7.4, 4, 6}}, {{12, 14, 12, 8}}},
        // Slant stays on until a reset; "^\" and "^&" switch the font.
        {"slant and fonts", u"A^/B^\\C^&D"_qs, false,
         {{u"A"_qs, 10, 20, 2, 6}, {u"B"_qs, 12.4, 20, 2, 6, 0, 1, 3, 1}, {u"C"_qs, 14.4, 20, 2, 6, 0, 1, 1, 1},
          {u"D"_qs, 16.4, 20, 2, 6, 0, 1, 3, 1}},
         {}},
        {"slant and fonts", u"A^/B^\\C^&D"_qs, true,
         {{u"A"_qs, 10, 20, 4, 6}, {u"B"_qs, 10, 13.4, 4, 6, 0, 1, 3, 1}, {u"C"_qs, 10, 7.4, 4, 6, 0, 1, 1, 1},
          {u"D"_qs, 10, 1.4, 4, 6, 0, 1, 3, 1}},
         {}},
        // "^!" only separates; "^$" before anything but a colour digit is
        // dropped with it, and a code at the very end has nothing to act on.
        {"codes that act on nothing", u"A^!^$xB^u"_qs, false, {{u"AB"_qs, 10, 20, 4, 6}}, {}},
        {"codes that act on nothing", u"A^!^$xB^u"_qs, true, {{u"AB"_qs, 10, 20, 4, 12}}, {}},
        {"raw mode keeps the code", u"^*^u^^"_qs, false, {{u"^u"_qs, 10, 20, 4, 6}}, {}},
        {"raw mode keeps the code", u"^*^u^^"_qs, true, {{u"^u"_qs, 10, 20, 4, 12}}, {}},
        {"codes work again after raw mode", u"^*^_A^^^_B"_qs, false, {{u"^_AB"_qs, 10, 20, 8, 6}},
         {{16, 19.4, 18, 19.4}}},
        {"codes work again after raw mode", u"^*^_A^^^_B"_qs, true, {{u"^_AB"_qs, 10, 20, 4, 24}},
         {{14.4, 2, 14.4, -4}}},
        {"overlay code at the start is text", u"^oA"_qs, false, {{u"^oA"_qs, 10, 20, 6, 6}}, {}},
        {"overlay code at the start is text", u"^oA"_qs, true, {{u"^oA"_qs, 10, 20, 4, 18}}, {}},
    });
}

// Small characters above, below and between, overlays and small pairs.
TEST(DecorationCodes, SmallAndOverlaidCharacters)
{
    run({
        // A row keeps a blank where the small 2 stands; 0.4 after the pen,
        // raised by 3, 1.6 wide.
        {"small above", u"m^u2"_qs, false, {{u"2"_qs, 12.4, 23, 1.6, 3}, {u"m "_qs, 10, 20, 4, 6}}, {}},
        // In a column it stands beside m, to the right, and takes no place.
        {"small above", u"m^u2"_qs, true, {{u"2"_qs, 12.4, 20, 3.2, 3}, {u"m"_qs, 10, 20, 4, 6}}, {}},
        {"small below and centred", u"A^dB^cC"_qs, false,
         {{u"B"_qs, 12.4, 20, 1.6, 3}, {u"C"_qs, 14, 21.5, 1.6, 3}, {u"A  "_qs, 10, 20, 6, 6}}, {}},
        {"small below and centred", u"A^dB^cC"_qs, true,
         {{u"B"_qs, 12.4, 17, 3.2, 3}, {u"C"_qs, 12.4, 18.5, 3.2, 3}, {u"A"_qs, 10, 20, 4, 6}}, {}},
        {"small at the start", u"^uA"_qs, false, {{u"A"_qs, 10.4, 23, 1.6, 3}, {u" "_qs, 10, 20, 2, 6}}, {}},
        {"small at the start", u"^uA"_qs, true, {{u"A"_qs, 12.4, 26, 3.2, 3}}, {}},
        // A surrogate pair stays one small character (4 columns of code
        // units), and the row keeps a full-width blank for it.
        {"small surrogate pair", u"A^u\U0002000BB"_qs, false,
         {{u"\U0002000B"_qs, 12.4, 23, 6.4, 3}, {u"A\u3000B"_qs, 10, 20, 8, 6}}, {}},
        {"small surrogate pair", u"A^u\U0002000BB"_qs, true,
         {{u"\U0002000B"_qs, 12.4, 20, 3.2, 6}, {u"AB"_qs, 10, 20, 4, 12}}, {}},
        // ○ ends at 14 and is 4 wide: the half-size 1 sits 3 back, 1.5 up.
        {"half-size overlay", u"○^o1"_qs, false, {{u"1"_qs, 11, 21.5, 1, 3}, {u"○"_qs, 10, 20, 4, 6}}, {}},
        {"half-size overlay", u"○^o1"_qs, true, {{u"1"_qs, 11, 18.5, 2, 3}, {u"○"_qs, 10, 20, 4, 6}}, {}},
        // Over a half-width predecessor (2 wide): 0.6, 0.7 and 1 of it back.
        {"overlays", u"A^bxB^ByC^nz"_qs, false,
         {{u"x"_qs, 10.8, 20, 2, 6}, {u"y"_qs, 12.6, 20, 2, 6}, {u"z"_qs, 14, 20, 2, 6}, {u"ABC"_qs, 10, 20, 6, 6}},
         {}},
        // In a column every overlay moves the pen on by one character.
        {"overlays", u"A^bxB^ByC^nz"_qs, true,
         {{u"x"_qs, 10.8, 20, 4, 6}, {u"y"_qs, 10.6, 8, 4, 6}, {u"z"_qs, 10, -4, 4, 6}, {u"ABC"_qs, 10, 20, 4, 18}},
         {}},
        // Before a blank "^n" is not shifted in a column, and the blank
        // after the code takes no place there; a row keeps it.
        {"overlay before a blank", u"A^nx B"_qs, false, {{u"x"_qs, 10, 20, 2, 6}, {u"A B"_qs, 10, 20, 6, 6}}, {}},
        {"overlay before a blank", u"A^nx B"_qs, true, {{u"x"_qs, 12, 20, 4, 6}, {u"AB"_qs, 10, 20, 4, 12}}, {}},
        // Two half-width characters make one small pair, 0.7 of A back and
        // 1.8 up; in a column it is set as a row.
        {"small pair", u"A^w12"_qs, false, {{u"12"_qs, 10.6, 21.8, 1.6, 2.4}, {u"A"_qs, 10, 20, 2, 6}}, {}},
        {"small pair", u"A^w12"_qs, true, {{u"12"_qs, 10.6, 18.2, 1.6, 2.4, 0, 1, 3, 0, 1}, {u"A"_qs, 10, 20, 4, 6}},
         {}},
        {"small full-width character", u"A^wあ"_qs, false, {{u"あ"_qs, 10.6, 21.8, 1.6, 2.4}, {u"A"_qs, 10, 20, 2, 6}},
         {}},
    });
}
