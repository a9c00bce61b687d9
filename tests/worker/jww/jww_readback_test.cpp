// A drawing written for each version reads back equal, field by field, to
// what that version stores.
#include "tests/support/demo_drawing.h"
#include "tests/worker/jww/rich_drawing.h"
#include "worker/jww/entity_arrays.h"
#include "worker/jww/jww_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace jww;
using namespace testsupport;

namespace {

struct ReadBackCase {
    int32_t version;
    bool utf16;
};

void PrintTo(const ReadBackCase& c, std::ostream* os)
{
    *os << c.version << (c.utf16 ? " UTF-16" : "");
}

// Where two headers first differ, as an offset into their written form.
qsizetype firstHeaderDifference(const TJwwData& a, const TJwwData& b)
{
    JwwBytes x, y;
    writeJwwHeader(x, a, {});
    writeJwwHeader(y, b, {});
    for (qsizetype i = 0; i < std::min(x.data().size(), y.data().size()); ++i) {
        if (x.data()[i] != y.data()[i])
            return i;
    }
    return x.data().size() == y.data().size() ? -1 : std::min(x.data().size(), y.data().size());
}

class ReadBack : public ::testing::TestWithParam<ReadBackCase> {
protected:
    // Writes the rich drawing in the form of this case and reads it into `r`.
    void readRich(TJwwData& r)
    {
        JwwWriteOptions options;
        options.utf16Strings = options.utf16Memo = GetParam().utf16;
        TJwwData written;
        buildRichDrawing(written, GetParam().version, options);
        ASSERT_TRUE(readJwwDrawing(r, writeJww(written, options)));
    }
};

}  // namespace

TEST_P(ReadBack, EveryFieldTheVersionStoresComesBack)
{
    TJwwData r;
    r.BindImageExr = true;  // the list, without extracting anything
    ASSERT_NO_FATAL_FAILURE(readRich(r));

    TJwwData want;
    JwwWriteOptions unused;
    buildRichDrawing(want, GetParam().version, unused);
    expectReadBack(want);

    EXPECT_EQ(r.Enthd, want.Enthd) << "first difference at header byte " << firstHeaderDifference(r, want);
    EXPECT_EQ(r.EntLgrp, want.EntLgrp);
    EXPECT_EQ(r.EntLay, want.EntLay);
    EXPECT_EQ(r.EntCol, want.EntCol);
    EXPECT_EQ(r.EntLtp1, want.EntLtp1);
    EXPECT_EQ(r.EntLtp2, want.EntLtp2);
    EXPECT_EQ(r.EntLtp3, want.EntLtp3);
    EXPECT_EQ(r.EntColS, want.EntColS);
    EXPECT_EQ(r.EntLtpS, want.EntLtpS);
    EXPECT_EQ(r.EntMoj, want.EntMoj);
    EXPECT_EQ(r.EntNo, want.EntNo);
    EXPECT_EQ(r.EntLine, want.EntLine);
    EXPECT_EQ(r.EntEnko, want.EntEnko);
    EXPECT_EQ(r.EntTen, want.EntTen);
    EXPECT_EQ(r.EntMoji, want.EntMoji);
    EXPECT_EQ(r.EntSunpo, want.EntSunpo);
    EXPECT_EQ(r.EntSolid, want.EntSolid);
    EXPECT_EQ(r.EntBlock, want.EntBlock);
    EXPECT_EQ((std::vector<int32_t>{r.EntLineN(), r.EntEnkoN(), r.EntTenN(), r.EntMojiN(), r.EntSunpoN(), r.EntSolidN(),
                                    r.EntBlockN()}),
              (std::vector<int32_t>{1, 3, 2, 1, 1, 2, 3}));
    ASSERT_EQ(r.EntBlockDefN(), 3);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.EntBlockDef[i], want.EntBlockDef[i]);
    }
    EXPECT_EQ(r.EntBlockTree, want.EntBlockTree);
    EXPECT_EQ(r.EntBlockTreeN(), 7);  // three inserts, two of them with two nested ones
    EXPECT_EQ(r.EntBlockNum, 2);
    EXPECT_EQ(r.BindImage, want.BindImage);
    EXPECT_EQ(r.BindImageN(), GetParam().version >= 700 ? 4 : 0);
}

// The reader steps over each entity list once to size every array before
// filling it: a step that misjudges any body, for any version and optional
// part, leaves an array with room it was not sized for.
TEST_P(ReadBack, EntityArraysAreSizedToTheirCounts)
{
    TJwwData r;
    ASSERT_NO_FATAL_FAILURE(readRich(r));
    auto expectExact = [](const auto& arrays) {
        forEachEntityArray(arrays, [](const auto& array) { EXPECT_EQ(array.capacity(), array.size()); });
    };
    expectExact(entityArrays(r));
    for (const TEntJwwBlockDef& def : r.EntBlockDef)
        expectExact(entityArrays(def));
}

INSTANTIATE_TEST_SUITE_P(Versions, ReadBack,
                         ::testing::Values(ReadBackCase{230, false}, ReadBackCase{300, false},
                                           ReadBackCase{350, false}, ReadBackCase{351, false},
                                           ReadBackCase{420, false}, ReadBackCase{600, false},
                                           ReadBackCase{700, false}, ReadBackCase{230, true},
                                           ReadBackCase{700, true}));

// The demo drawing that the README converts shows every entity kind.
TEST(DemoDrawing, HasEveryKindAndReadsBack)
{
    TJwwData r;
    ASSERT_TRUE(readJwwDrawing(r, demoDrawingBytes()));
    for (int32_t n : {r.EntLineN(), r.EntEnkoN(), r.EntTenN(), r.EntMojiN(), r.EntSunpoN(), r.EntSolidN(), r.EntBlockN()})
        EXPECT_GT(n, 0);
    const auto any = [](const auto& records, auto test) { return std::any_of(records.begin(), records.end(), test); };
    EXPECT_TRUE(any(r.EntEnko, [](const TEntJwwEnko& e) { return e.dHenpeiRitsu != 1; }));  // an ellipse
    EXPECT_TRUE(any(r.EntEnko, [](const TEntJwwEnko& e) { return e.bZenEnFlg == 0; }));     // an arc
    EXPECT_TRUE(any(r.EntTen, [](const TEntJwwTen& e) { return e.att.nPenStyle == 100; })); // a coded point
    ASSERT_EQ(r.EntBlockDefN(), 1);
    EXPECT_GT(r.EntBlockDef[0].N, 0);
    EXPECT_TRUE(r.EntBlockDef[0].ref_flag);
    EXPECT_EQ(r.EntBlockTreeN(), r.EntBlockN());
    EXPECT_EQ(r.Enthd.nZumen, 3);
}
