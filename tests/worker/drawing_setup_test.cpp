// Paper sizes and memo lines.
#include "worker/drawing_setup.h"

#include <gtest/gtest.h>

using namespace worker;

TEST(DrawingSetup, PaperSizes)
{
    struct Case {
        int32_t nZumen;
        double x, y;
    } cases[] = {
        {0, 1189, 841}, {1, 841, 594}, {4, 297, 210}, {5, 1189, 841}, {6, 1189, 841}, {7, 1189, 841},
        {8, 1682, 1189}, {13, 50000, 35366}, {14, 100000, 70732}, {-1, 1189, 841}, {99, 1189, 841},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nZumen);
        const PaperSize p = PaperSizeOf(c.nZumen);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
    }
}

TEST(DrawingSetup, MemoSplitsAtTheFirstBreak)
{
    struct Case {
        QString memo, first, rest;
    } cases[] = {
        {"a\r\nb\r\nc", "a", "b\r\nc"},
        {"a\nb", "a", "b"},
        {"a\rb\nc", "a", "b\nc"},
        {"a\nb\r\nc", "a\nb", "c"},  // CR LF is looked for first, anywhere
        {"", "", ""},
        {"only", "only", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.memo.toStdString());
        const auto [first, rest] = SplitMemo(c.memo);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(rest, c.rest);
    }
}

TEST(DrawingSetup, MojiExpInfoFromTheDrawing)
{
    jww::TJwwData d;
    d.EntLgrp.resize(16);
    d.EntLgrp[3].adScale = 50;
    d.Enthd.strMemo = QStringLiteral("one\ntwo");
    d.Enthd.dPrtBairitsu = 2;
    d.Enthd.lnDrawTime = 3600;
    text::TSFC_Moji_Exp_Info mexp;
    mexp.eLine.resize(2);
    mexp.eLineN = 2;
    const QDateTime now(QDate(2026, 1, 2), QTime(3, 4, 5));
    FillMojiExpInfo(mexp, d, QStringLiteral("/nonexistent/x.jww"), now);
    EXPECT_EQ(mexp.memo1, QStringLiteral("one"));
    EXPECT_EQ(mexp.memo2, QStringLiteral("two"));
    EXPECT_EQ(mexp.scale[3], 50);
    EXPECT_EQ(mexp.prtscale, 2);
    EXPECT_EQ(mexp.drawtime, 3600);
    EXPECT_EQ(mexp.nowdate, now);
    EXPECT_EQ(mexp.filedate.date(), QDate(1899, 12, 30));  // unreadable file: day 0
    EXPECT_EQ(mexp.eLineN, 0);
    EXPECT_TRUE(mexp.eLine.empty());
}
