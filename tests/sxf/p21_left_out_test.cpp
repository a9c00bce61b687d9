// What the official library would refuse is left out of the file, the rest
// numbered as if it had never been there, with a warning naming it.
#include "sxf/p21_writer.h"

#include "tests/sxf/p21_expected.h"

#include <gtest/gtest.h>

#include <limits>

using namespace sxf;
using namespace p21test;

namespace {

constexpr int32_t kBadNumber = 770;

void addLine(P21DrawingBuilder& b, SfcAttr a = kAttr, double x2 = 10)
{
    b.add(FeatureKind::Line, b.d.lines, LineFeature{.a = a, .x1 = 0, .y1 = 0, .x2 = x2, .y2 = 0});
}

// The feature added last gets the number the warning must name.
void mark(P21DrawingBuilder& b)
{
    const FeatureRef& ref = b.d.features.back();
    switch (ref.kind) {
    case FeatureKind::Line: b.d.lines[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::PointMarker: b.d.pointMarkers[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::Polyline: b.d.polylines[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::Text: b.d.texts[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::SymbolPlacement: b.d.placements[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::FillColour: b.d.fillColours[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::Clothoid: b.d.clothoids[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::LinearDim: b.d.linearDims[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::Label: b.d.labels[size_t(ref.index)].at.number = kBadNumber; break;
    case FeatureKind::Attribute: b.d.attributes[size_t(ref.index)].at.number = kBadNumber; break;
    default: FAIL() << "no number for this kind in the test";
    }
}

struct LeftOutCase {
    const char* name;
    // Adds the features written in both drawings and the one left out.
    std::function<void(P21DrawingBuilder&, bool withBad)> build;
};

// The sheet with one line, and `bad` before it when asked.
std::function<void(P21DrawingBuilder&, bool)> inSheet(std::function<void(P21DrawingBuilder&)> bad)
{
    return [bad](P21DrawingBuilder& b, bool withBad) {
        if (withBad) {
            bad(b);
            mark(b);
        }
        addLine(b);
        b.sheet(QStringLiteral("S1"));
    };
}

const LeftOutCase kCases[] = {
    {"a colour code without an entry", inSheet([](P21DrawingBuilder& b) { addLine(b, {1, 5, 1, 1}); })},
    {"a layer code without an entry", inSheet([](P21DrawingBuilder& b) { addLine(b, {9, 1, 1, 1}); })},
    {"layer 0 on anything but a placement", inSheet([](P21DrawingBuilder& b) { addLine(b, {0, 1, 1, 1}); })},
    {"a coordinate that is not a number",
     inSheet([](P21DrawingBuilder& b) { addLine(b, kAttr, std::numeric_limits<double>::quiet_NaN()); })},
    {"a point marker of an unknown kind",
     inSheet([](P21DrawingBuilder& b) {
         b.add(FeatureKind::PointMarker, b.d.pointMarkers, PointMarkerFeature{.layer = 1, .colour = 1, .code = 8});
     })},
    {"a text with base point 10",
     inSheet([](P21DrawingBuilder& b) {
         SfcText t;
         t.layer = 1;
         t.colour = 1;
         t.font = 1;
         t.basePoint = 10;
         b.add(FeatureKind::Text, b.d.texts, TextFeature{.t = t});
     })},
    {"a polyline of one point",
     inSheet([](P21DrawingBuilder& b) {
         b.add(FeatureKind::Polyline, b.d.polylines, PolylineFeature{.a = kAttr, .n = 1, .points = {{1, 1}}});
     })},
    {"a placement of a symbol never defined",
     inSheet([](P21DrawingBuilder& b) {
         b.add(FeatureKind::SymbolPlacement, b.d.placements, SymbolPlacementFeature{.layer = 1, .name = QStringLiteral("X")});
     })},
    {"a fill whose boundary is no composite curve",
     inSheet([](P21DrawingBuilder& b) {
         b.add(FeatureKind::FillColour, b.d.fillColours,
               FillColourFeature{.layer = 1, .colour = 1, .boundary = {.outer = 3}});
     })},
    {"a linear dimension with an in/out code of 3",
     inSheet([](P21DrawingBuilder& b) {
         LinearDimFeature f{.a = kAttr, .x2 = 10};
         f.r1 = {1, 3, 0, 0, 1};
         b.add(FeatureKind::LinearDim, b.d.linearDims, f);
     })},
    {"a label whose arrow has no kind",
     inSheet([](P21DrawingBuilder& b) {
         b.add(FeatureKind::Label, b.d.labels,
               LabelFeature{.a = kAttr, .n = 2, .points = {{0, 0}, {1, 1}}, .arrowCode = 0});
     })},
    {"a second title block",
     [](P21DrawingBuilder& b, bool withBad) {
         b.add(FeatureKind::Attribute, b.d.attributes, AttributeFeature{.drawingTitle = QStringLiteral("first")});
         if (withBad) {
             b.add(FeatureKind::Attribute, b.d.attributes, AttributeFeature{.drawingTitle = QStringLiteral("second")});
             mark(b);
         }
         addLine(b);
         b.sheet(QStringLiteral("S1"));
     }},
    {"a clothoid in a composite curve, which keeps its other segment",
     [](P21DrawingBuilder& b, bool withBad) {
         b.add(FeatureKind::Arc, b.d.arcs, ArcFeature{.a = kAttr, .r = 1, .startAngle = 0, .endAngle = 90});
         if (withBad) {
             b.add(FeatureKind::Clothoid, b.d.clothoids, ClothoidFeature{.a = kAttr, .parameter = 1, .endLength = 1});
             mark(b);
         }
         b.curve(1, 1, 1, 1);
         addLine(b);
         b.sheet(QStringLiteral("S1"));
     }},
    {"a line in a composite curve",
     [](P21DrawingBuilder& b, bool withBad) {
         b.add(FeatureKind::Arc, b.d.arcs, ArcFeature{.a = kAttr, .r = 1, .startAngle = 0, .endAngle = 90});
         if (withBad) {
             addLine(b);
             mark(b);
         }
         b.curve(1, 1, 1, 1);
         addLine(b);
         b.sheet(QStringLiteral("S1"));
     }},
    {"a placement of the symbol it stands in",
     [](P21DrawingBuilder& b, bool withBad) {
         addLine(b);
         if (withBad) {
             b.add(FeatureKind::SymbolPlacement, b.d.placements,
                   SymbolPlacementFeature{.layer = 1, .name = QStringLiteral("S")});
             mark(b);
         }
         b.symbol(QStringLiteral("S"), 4);
         addLine(b);
         b.sheet(QStringLiteral("S1"));
     }},
    {"a feature after the sheet, in no assembly",
     [](P21DrawingBuilder& b, bool withBad) {
         addLine(b);
         b.sheet(QStringLiteral("S1"));
         if (withBad) {
             addLine(b, kAttr, 5);
             mark(b);
         }
     }},
    {"the feature of a second sheet",
     [](P21DrawingBuilder& b, bool withBad) {
         addLine(b);
         b.sheet(QStringLiteral("S1"));
         if (withBad) {
             addLine(b, kAttr, 5);
             mark(b);
             b.sheet(QStringLiteral("S2"));
         }
     }},
};

TEST(P21LeftOut, RefusedFeatureLeavesTheRestAsWithoutIt)
{
    for (const LeftOutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        P21DrawingBuilder good = standardDrawing();
        c.build(good, false);
        P21DrawingBuilder bad = standardDrawing();
        c.build(bad, true);
        Findings goodFindings, badFindings;
        const QByteArray expected = writeP21(good.d, testOptions(), &goodFindings);
        EXPECT_EQ(writeP21(bad.d, testOptions(), &badFindings).toStdString(), expected.toStdString());
        EXPECT_TRUE(goodFindings.empty());
        ASSERT_EQ(badFindings.size(), 1u);
        EXPECT_EQ(badFindings[0].code, QStringLiteral("P21_LEFT_OUT"));
        EXPECT_EQ(badFindings[0].severity, Severity::Warning);
        EXPECT_EQ(badFindings[0].feature, kBadNumber);
    }
}

// A definition that cannot be written takes its members with it, and an
// assembly range beyond the features does no harm.
TEST(P21LeftOut, UnwritableAssembliesTakeTheirMembers)
{
    P21DrawingBuilder b = standardDrawing();
    addLine(b);
    b.symbol(QStringLiteral("S"), 7);
    addLine(b);
    b.curve(1, 99, 1, 1);
    addLine(b);
    b.sheet(QStringLiteral("S1"));
    b.d.sheets[0].members.count = 1000;
    Findings findings;
    const QByteArray p21 = writeP21(b.d, testOptions(), &findings);
    EXPECT_EQ(findings.size(), 4u);  // the symbol and its line, the curve and its line
    EXPECT_FALSE(p21.contains("SUBFIGURE"));
    EXPECT_FALSE(p21.contains("COMPOSITE_CURVE"));
    EXPECT_TRUE(p21.contains("DRAWING_SHEET_REVISION('A3_horizontal',(#170,#"));
}

}  // namespace
