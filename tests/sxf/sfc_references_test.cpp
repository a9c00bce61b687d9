// Reference checks: each number or symbol name a feature uses must have
// been defined before it.
#include "tests/support/sfc_references.h"

#include "sxf/annotation_features.h"
#include "sxf/definition_features.h"
#include "sxf/geometric_features.h"
#include "sxf/structure_features.h"
#include "tests/support/sfc_parser.h"
#include "tests/sxf/sfc_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace sxf;
using testsupport::checkSfcReferences;
using testsupport::parseSfc;

namespace {

// One layer, black, a user colour (17), continuous, a user line type (17),
// widths 0.13 (1) and 3.0 (11), one font.
void writeDefinitions(SfcWriter& f)
{
    const std::vector<double> pitches = {1, 1};
    procSfcSetLayer(f, u"L", 1);
    procSfcSetColor(f, u"black");
    procSfcSetColorUser(f, 0x102030u);
    procSfcSetLtype(f, u"continuous");
    procSfcSetLtypeUser(f, u"u", 2, pitches);
    procSfcSetWidth(f, 0.13);
    procSfcSetWidth(f, 3.0);
    procSfcSetFont(f, u"F");
}

SfcTextBlock withText(int32_t mf, int32_t fo)
{
    SfcTextBlock t;
    t.mf = mf;
    t.fo = fo;
    return t;
}

}  // namespace

TEST(SfcReferences, EveryUseNeedsAnEarlierDefinition)
{
    const std::vector<int32_t> curve2 = {2};
    struct Case {
        const char* what;
        std::function<void(SfcWriter&)> body;
        const char* problem;  // empty when the references hold
    } cases[] = {
        {"defined numbers",
            [](SfcWriter& f) {
                procSfcLine(f, SfcAttr {1, 17, 17, 11}, 0, 0, 1, 1);
            },
            ""},
        {"layer 2",
            [](SfcWriter& f) {
                procSfcLine(f, SfcAttr {2, 1, 1, 1}, 0, 0, 1, 1);
            },
            "layer 2"},
        {"undefined pre-defined colour",
            [](SfcWriter& f) {
                procSfcCircle(f, SfcAttr {1, 2, 1, 1}, 0, 0, 1);
            },
            "colour 2"},
        {"second user colour", [](SfcWriter& f) { procSfcTen(f, 1, 18, 0, 0, 1, 0, 1); }, "colour 18"},
        {"line type 16 is never defined",
            [](SfcWriter& f) {
                procSfcLine(f, SfcAttr {1, 1, 16, 1}, 0, 0, 1, 1);
            },
            "line type 16"},
        {"width entry 4 (0.35) not defined",
            [](SfcWriter& f) {
                procSfcLine(f, SfcAttr {1, 1, 1, 4}, 0, 0, 1, 1);
            },
            "width 4"},
        {"a second wide width when only one is defined",
            [](SfcWriter& f) {
                procSfcLine(f, SfcAttr {1, 1, 1, 12}, 0, 0, 1, 1);
            },
            "width 12"},
        {"width entry 10 is never defined",
            [](SfcWriter& f) {
                procSfcLine(f, SfcAttr {1, 1, 1, 10}, 0, 0, 1, 1);
            },
            "width 10"},
        {"font 2", [](SfcWriter& f) { procSfcText(f, {1, 1, 2, QStringLiteral("x"), 0, 0, 1, 1, 0, 0, 0, 1, 1}); }, "font 2"},
        {"annotation without text carries font 0", [](SfcWriter& f) { procSfcArw(f, 1, 1, 0, 0, 1, 0, 1, 1); }, ""},
        {"annotation with text and font 0",
            [](SfcWriter& f) {
                const std::vector<T2DPoint> points = {{0, 0}, {1, 1}};
                procSfcLeader(f, SfcAttr {1, 1, 1, 1}, 2, points, 1, 1, withText(1, 0));
            },
            "font 0"},
        {"placement before its symbol",
            [](SfcWriter& f) {
                procSfcBlock(f, 0, u"DOOR", 0, 0, 0, 1, 1);
                procSfcBlockDef(f, u"DOOR", 4);
            },
            "symbol \"DOOR\""},
        {"placement after its symbol, on no layer",
            [](SfcWriter& f) {
                procSfcBlockDef(f, u"DOOR", 4);
                procSfcBlock(f, 0, u"DOOR", 0, 0, 0, 1, 1);
            },
            ""},
        {"hole refers to a curve not yet closed",
            [&](SfcWriter& f) {
                procSfcCcurveDef(f, 1, 1, 1, 0);
                procSfcHatchColor(f, 1, 1, 1, curve2);
                procSfcCcurveDef(f, 1, 1, 1, 0);
            },
            "composite curve 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const testsupport::SfcFile file = parseSfc(sfctest::framedSfc([&](SfcWriter& f) {
            writeDefinitions(f);
            c.body(f);
        }));
        ASSERT_TRUE(file.ok()) << file.problems.join(u'\n').toStdString();
        const QStringList problems = checkSfcReferences(file);
        if (*c.problem == '\0') {
            EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
        } else {
            ASSERT_EQ(problems.size(), 1) << problems.join(u'\n').toStdString();
            EXPECT_TRUE(problems[0].contains(QLatin1String(c.problem))) << problems[0].toStdString();
        }
    }
}
