// The rule check on drawings made in memory: one broken value per case, and
// the behaviours around the rules (order, tolerances, what is left to the
// reader).
#include "sxf/rule_check.h"

#include "tests/support/qt_printers.h"
#include "tests/sxf/drawing_builder.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sxf;
using sxftest::DrawingBuilder;
using B = DrawingBuilder;

namespace {

struct RuleCase {
    const char* name;
    // Breaks the drawing; returns the number of the record the finding is
    // about (0 for the file).
    std::function<int32_t(DrawingBuilder&)> build;
    const char* code;
    Severity severity = Severity::Error;
    bool closeWithSheet = true;
};

int32_t addLine(B& b, LineFeature f = B::line())
{
    return b.add(FeatureKind::Line, b.d.lines, f);
}

template <typename F>
int32_t addLinearDim(B& b, F change)
{
    LinearDimFeature f = B::linearDim();
    change(f);
    return b.add(FeatureKind::LinearDim, b.d.linearDims, f);
}

template <typename F>
int32_t addArcDim(B& b, FeatureKind kind, F change)
{
    ArcDimFeature f = B::arcDim();
    change(f);
    return b.add(kind, b.d.arcDims, f);
}

template <typename F>
int32_t addText(B& b, F change)
{
    TextFeature f = B::text();
    change(f.t);
    return b.add(FeatureKind::Text, b.d.texts, f);
}

int32_t addPolyline(B& b, std::vector<T2DPoint> points, int32_t n = -1)
{
    PolylineFeature f = B::polyline(points);
    if (n >= 0)
        f.n = n;
    return b.add(FeatureKind::Polyline, b.d.polylines, f);
}

// A symbol of `flag` holding one line, placed once inside a symbol of
// `hostFlag`; returns the placement's number.
int32_t placeInside(B& b, int32_t flag, int32_t hostFlag)
{
    addLine(b);
    b.symbol(QStringLiteral("P"), flag);
    const int32_t placed = b.add(FeatureKind::SymbolPlacement, b.d.placements, B::placement(QStringLiteral("P")));
    b.symbol(QStringLiteral("HOST"), hostFlag);
    b.add(FeatureKind::SymbolPlacement, b.d.placements, B::placement(QStringLiteral("HOST")));
    return placed;
}

// One closed square curve, then a fill with `holes`; returns the fill's
// number.
int32_t fillAfterCurve(B& b, int32_t outer, const std::vector<int32_t>& holes, int32_t holeCount)
{
    addPolyline(b, {{0, 0}, {10, 0}, {10, 10}, {0, 0}});
    b.curve();
    FillColourFeature f = B::fill(outer, holes);
    f.boundary.holeCount = holeCount;
    return b.add(FeatureKind::FillColour, b.d.fillColours, f);
}

const RuleCase kCases[] = {
    // header
    {"not a SCADEC file", [](B& b) { b.d.header.description = QStringLiteral("CAD data"); return 0; },
        "SXFSCADECFILEERR", Severity::Warning},
    {"no level", [](B& b) { b.d.header.description = QStringLiteral("SCADEC level3 feature_mode"); return 0; },
        "SXFNOLEVEL"},
    {"no mode", [](B& b) { b.d.header.description = QStringLiteral("SCADEC Level2 mixed"); return 0; },
        "SXFNOMODE"},
    // tables
    {"empty layer name", [](B& b) { b.d.layers.push_back({b.next(), {}, 1, 2}); return b.d.layers.back().at.number; },
        "SXFNOTSETLNAME"},
    {"layer flag 2", [](B& b) { b.d.layers[0].flag = 2; return b.d.layers[0].at.number; }, "SXFLAYERFLAG"},
    {"layer twice", [](B& b) { b.d.layers.push_back({b.next(), QStringLiteral("A"), 1, kNone}); return b.d.layers.back().at.number; },
        "SXFSAMENAME"},
    {"257 layers",
        [](B& b) {
            for (int i = 2; i <= 257; ++i)
                b.d.layers.push_back({b.next(), QString::number(i), 1, i});
            return b.d.layers.back().at.number;
        },
        "SXFMAXLAYER"},
    {"unknown colour name", [](B& b) { b.d.colours.push_back({b.next(), true, QStringLiteral("Red"), 0, 0, 0, kNone}); return b.d.colours.back().at.number; },
        "SXFNOTPRECOLOUR"},
    {"colour twice", [](B& b) { b.d.colours.push_back(b.d.colours[0]); b.d.colours.back().at = b.next(); return b.d.colours.back().at.number; },
        "SXFSAMENAME"},
    {"RGB 256", [](B& b) { b.d.colours.push_back({b.next(), false, {}, 0, 256, -1, 17}); return b.d.colours.back().at.number; },
        "SXFRGBERROR"},
    {"241 user colours",
        [](B& b) {
            for (int i = 0; i <= 240; ++i)
                b.d.colours.push_back({b.next(), false, {}, i, 0, 0, 17 + i});
            return b.d.colours.back().at.number;
        },
        "SXFMAXUSERCOLOUR"},
    {"unknown line type", [](B& b) { b.d.lineTypes.push_back({b.next(), true, QStringLiteral("dash"), 0, {}, kNone}); return b.d.lineTypes.back().at.number; },
        "SXFNOTPRETYPE"},
    {"blank line type twice",
        [](B& b) {
            b.d.lineTypes.push_back({b.next(), true, {}, 0, {}, 16});
            b.d.lineTypes.push_back({b.next(), true, {}, 0, {}, kNone});
            return b.d.lineTypes.back().at.number;
        },
        "SXFSAMENAME"},
    {"three segments", [](B& b) { b.d.lineTypes.push_back({b.next(), false, QStringLiteral("U"), 3, {1, 1, 1}, 17}); return b.d.lineTypes.back().at.number; },
        "SXFSEGMENTERROR"},
    {"zero pitch", [](B& b) { b.d.lineTypes.push_back({b.next(), false, QStringLiteral("U"), 2, {1, 0}, 17}); return b.d.lineTypes.back().at.number; },
        "SXFPITCHERROR"},
    {"17 user line types",
        [](B& b) {
            for (int i = 0; i <= 16; ++i)
                b.d.lineTypes.push_back({b.next(), false, QString::number(i), 2, {1, 1}, 17 + i});
            return b.d.lineTypes.back().at.number;
        },
        "SXFMAXUSERLINETYPE"},
    {"width 0", [](B& b) { b.d.widths.push_back({b.next(), 0, kNone}); return b.d.widths.back().at.number; }, "SXFERRORWIDTH"},
    {"width near a pre-defined one twice", [](B& b) { b.d.widths.push_back({b.next(), 0.1300001, kNone}); return b.d.widths.back().at.number; },
        "SXFSAMEWIDTH"},
    {"seven other widths",
        [](B& b) {
            for (int i = 3; i <= 9; ++i)
                b.d.widths.push_back({b.next(), double(i), 8 + i});
            return b.d.widths.back().at.number;
        },
        "SXFMAXLINEWIDTH"},
    {"empty font name", [](B& b) { b.d.fonts.push_back({b.next(), {}, 2}); return b.d.fonts.back().at.number; }, "SXFFONTNAMEERROR"},
    {"1025 fonts",
        [](B& b) {
            for (int i = 2; i <= 1025; ++i)
                b.d.fonts.push_back({b.next(), QString::number(i), i});
            return b.d.fonts.back().at.number;
        },
        "SXFMAXTEXTFONT"},
    {"layer name of 257 bytes", [](B& b) { b.d.layers[0].name = QString(128, u'図') + u'A'; return b.d.layers[0].at.number; },
        "SXFNAMELENGTH", Severity::Warning},
    // single features
    {"marker code 8",
        [](B& b) {
            PointMarkerFeature f;
            f.layer = f.colour = 1;
            f.code = 8;
            f.scale = 1;
            return b.add(FeatureKind::PointMarker, b.d.pointMarkers, f);
        },
        "SXFMARKERERROR"},
    {"line shorter than the tolerance", [](B& b) { return addLine(b, B::line(0, 0, 0, 9e-7)); }, "SXFLENGTHZERO"},
    {"polyline of one vertex", [](B& b) { return addPolyline(b, {{0, 0}}); }, "SXFVERTEXERROR"},
    {"polyline count past its vertices", [](B& b) { return addPolyline(b, {{0, 0}, {1, 1}}, 3); }, "SXFNOTVERTEXNUMBER"},
    {"polyline on one point after merging",
        [](B& b) { return addPolyline(b, {{0, 0}, {5e-7, 0}, {0, 5e-7}, {0, 0}}); }, "SXFSAMECOORD"},
    {"circle of radius 0",
        [](B& b) {
            CircleFeature f;
            f.a = {1, 1, 1, 1};
            return b.add(FeatureKind::Circle, b.d.circles, f);
        },
        "SXFRADIUSZERO"},
    {"arc direction 2", [](B& b) { ArcFeature f = B::arc(); f.direction = 2; return b.add(FeatureKind::Arc, b.d.arcs, f); },
        "SXFDIRECTIONERROR"},
    {"arc of equal angles", [](B& b) { ArcFeature f = B::arc(); f.startAngle = 90; return b.add(FeatureKind::Arc, b.d.arcs, f); },
        "SXFSAMEANGLE"},
    {"arc ending past 360", [](B& b) { ArcFeature f = B::arc(); f.endAngle = 360.5; return b.add(FeatureKind::Arc, b.d.arcs, f); },
        "SXFERRORANGLE"},
    {"ellipse of radius 0",
        [](B& b) {
            EllipseFeature f;
            f.a = {1, 1, 1, 1};
            f.rx = 1;
            return b.add(FeatureKind::Ellipse, b.d.ellipses, f);
        },
        "SXFRADIUSZERO"},
    {"text of height 0", [](B& b) { return addText(b, [](SfcText& t) { t.height = 0; }); }, "SXFTEXTHEIGHT"},
    {"text of width 0", [](B& b) { return addText(b, [](SfcText& t) { t.width = -1; }); }, "SXFTEXTWIDTH"},
    {"negative spacing", [](B& b) { return addText(b, [](SfcText& t) { t.spacing = -0.5; }); }, "SXFTEXTSPACE"},
    {"slant of 86 degrees", [](B& b) { return addText(b, [](SfcText& t) { t.slantDeg = 86; }); }, "SXFERRORANGLE"},
    {"base point 10", [](B& b) { return addText(b, [](SfcText& t) { t.basePoint = 10; }); }, "SXFBPNTERROR"},
    {"direction 3", [](B& b) { return addText(b, [](SfcText& t) { t.direction = 3; }); }, "SXFDIRECTERROR"},
    {"text flag 2", [](B& b) { return addLinearDim(b, [](auto& f) { f.t.mf = 2; }); }, "SXFTEXTFLAG"},
    {"extension line flag 2", [](B& b) { return addLinearDim(b, [](auto& f) { f.e1.flag = 2; }); }, "SXFPRJFLAG"},
    {"extension line off its base point", [](B& b) { return addLinearDim(b, [](auto& f) { f.e2.baseX = 90; }); },
        "SXFERRORCOORDINATE"},
    {"arrow in/out code 3", [](B& b) { return addLinearDim(b, [](auto& f) { f.r2.orientation = 3; }); }, "SXFARRINOUTCODE"},
    {"arrow code 12", [](B& b) { return addLinearDim(b, [](auto& f) { f.r1.code = 12; }); }, "SXFARRCODE"},
    {"arrow scale 0", [](B& b) { return addLinearDim(b, [](auto& f) { f.r1.scale = 0; }); }, "SXFERRORSCALE"},
    {"arrow past the dimension arc",
        [](B& b) { return addArcDim(b, FeatureKind::AngularDim, [](auto& f) { f.r2.x = -10; }); }, "SXFARRORERROR"},
    {"arrows in reverse",
        [](B& b) { return addArcDim(b, FeatureKind::CurveDim, [](auto& f) { std::swap(f.r1, f.r2); }); }, "SXFARRORERROR"},
    {"angular dimension of equal angles",
        [](B& b) { return addArcDim(b, FeatureKind::AngularDim, [](auto& f) {
            f.endAngle = 0;
            f.r2 = f.r1;
        }); }, "SXFSAMEANGLE"},
    {"label without vertices",
        [](B& b) { LabelFeature f = B::label(); f.n = 0; return b.add(FeatureKind::Label, b.d.labels, f); }, "SXFNOTVERTEXNUMBER"},
    {"balloon of radius 0", [](B& b) { return b.add(FeatureKind::Balloon, b.d.labels, B::label()); }, "SXFRADIUSZERO"},
    {"placement scale 0",
        [](B& b) {
            addLine(b);
            b.symbol(QStringLiteral("S"), 4);
            SymbolPlacementFeature f = B::placement(QStringLiteral("S"));
            f.scaleY = 0;
            return b.add(FeatureKind::SymbolPlacement, b.d.placements, f);
        },
        "SXFERRORSCALE"},
    // assemblies
    {"sheet twice", [](B& b) { addLine(b); b.sheet(); addLine(b); return b.sheet(); }, "SXFSHEETONE", Severity::Error,
        false},
    {"symbol after the sheet", [](B& b) { addLine(b); b.sheet(); addLine(b); return b.symbol(QStringLiteral("S"), 4); },
        "SXFSFIGLOCERR", Severity::Error, false},
    {"curve after the sheet",
        [](B& b) { addLine(b); b.sheet(); addPolyline(b, {{0, 0}, {1, 1}}); return b.curve(); }, "SXFCURVELOCERR",
        Severity::Error, false},
    {"symbol without features", [](B& b) { addLine(b); b.symbol(QStringLiteral("S"), 4); return b.symbol(QStringLiteral("T"), 4); },
        "SXFNOTFEATURE"},
    {"line after the sheet", [](B& b) { addLine(b); b.sheet(); return addLine(b); }, "SXFNOTASSEMBLY", Severity::Error,
        false},
    {"no sheet", [](B&) { return 0; }, "SXFNOTSETSHEET", Severity::Error, false},
    {"line in a composite curve", [](B& b) { const int32_t n = addLine(b); b.curve(); return n; }, "SXFNOTCURVE"},
    {"symbol kind 5", [](B& b) { addLine(b); return b.symbol(QStringLiteral("S"), 5); }, "SXFSFIGFLAG"},
    {"symbol without a name", [](B& b) { addLine(b); return b.symbol({}, 4); }, "SXFNOTSETCNAME"},
    {"symbol twice", [](B& b) { addLine(b); b.symbol(QStringLiteral("S"), 4); addLine(b); return b.symbol(QStringLiteral("S"), 3); },
        "SXFSAMENAME"},
    {"part drawing placed twice",
        [](B& b) {
            addLine(b);
            b.symbol(QStringLiteral("P"), 1);
            b.add(FeatureKind::SymbolPlacement, b.d.placements, B::placement(QStringLiteral("P")));
            return b.add(FeatureKind::SymbolPlacement, b.d.placements, B::placement(QStringLiteral("P")));
        },
        "SXFSFIGLOCONE"},
    {"part drawing in a part drawing", [](B& b) { return placeInside(b, 2, 1); }, "SXFSFIGERROR"},
    {"part drawing in a drawing group", [](B& b) { return placeInside(b, 1, 3); }, "SXFGROUPERROR"},
    {"drawing group in a drawing part", [](B& b) { return placeInside(b, 3, 4); }, "SXFPARTERROR"},
    {"negative hole count", [](B& b) { return fillAfterCurve(b, 1, {}, -1); }, "SXFERRORNUMBER"},
    {"more holes counted than listed", [](B& b) { return fillAfterCurve(b, 1, {}, 1); }, "SXFNOTINIDNUMBER"},
    {"hole equal to the outer curve", [](B& b) { return fillAfterCurve(b, 1, {1}, 1); }, "SXFHATCHIDERROR"},
    {"curve numbered otherwise by assembly",
        [](B& b) {
            addLine(b);
            b.symbol(QStringLiteral("S"), 4);
            return fillAfterCurve(b, 1, {}, 0);
        },
        "CURVE-NUMBERING", Severity::Warning},
    // the sheet
    {"sheet kind 5", [](B& b) { addLine(b); return b.sheet(5); }, "SXFSHEETSIZE", Severity::Error, false},
    {"free sheet of height 0", [](B& b) { addLine(b); return b.sheet(9, 1, 420, 0); }, "SXFSHEETLENGTH", Severity::Error,
        false},
    {"sheet orientation 2", [](B& b) { addLine(b); return b.sheet(3, 2, 0, 0); }, "SXFORIENTERROR", Severity::Error, false},
    {"A3 sheet with lengths", [](B& b) { addLine(b); return b.sheet(3, 1, 420, 297); }, "SXFSHEETLENGTHWARNING",
        Severity::Warning, false},
    {"sheet without a name",
        [](B& b) {
            addLine(b);
            const int32_t n = b.sheet();
            b.d.sheets.back().name.clear();
            return n;
        },
        "SXFNOTSETZNAME", Severity::Warning, false},
};

QString describe(const Findings& findings)
{
    QString text;
    for (const Finding& f : findings)
        text += QStringLiteral("%1 #%2 L%3 %4\n").arg(f.code).arg(f.feature).arg(f.line).arg(f.message);
    return text;
}

Findings checkBuilt(DrawingBuilder& b, bool closeWithSheet)
{
    if (closeWithSheet) {
        addLine(b);
        b.sheet();
    }
    return check(b.d);
}

}  // namespace

TEST(RuleCheck, ValidDrawingHasNoFindings)
{
    DrawingBuilder b;
    addPolyline(b, {{0, 0}, {0, 0}, {1, 0}});
    b.add(FeatureKind::Arc, b.d.arcs, B::arc());
    b.curve();
    b.add(FeatureKind::FillColour, b.d.fillColours, B::fill(1));
    addLine(b);
    addText(b, [](SfcText&) {});
    addLinearDim(b, [](auto&) {});
    addArcDim(b, FeatureKind::AngularDim, [](auto&) {});
    b.add(FeatureKind::Label, b.d.labels, B::label());
    b.symbol(QStringLiteral("S"), 1);
    b.add(FeatureKind::SymbolPlacement, b.d.placements, B::placement(QStringLiteral("S")));
    const Findings findings = checkBuilt(b, true);
    EXPECT_TRUE(findings.empty()) << describe(findings).toStdString();
}

TEST(RuleCheck, EachBrokenValueGivesItsOfficialCode)
{
    for (const RuleCase& c : kCases) {
        SCOPED_TRACE(c.name);
        DrawingBuilder b;
        const int32_t number = c.build(b);
        const Findings findings = checkBuilt(b, c.closeWithSheet);
        if (findings.size() != 1) {
            ADD_FAILURE() << "expected one finding, got:\n" << describe(findings).toStdString();
            continue;
        }
        EXPECT_EQ(findings[0].code, QLatin1String(c.code));
        EXPECT_EQ(findings[0].severity, c.severity);
        EXPECT_EQ(findings[0].feature, number);
        EXPECT_EQ(findings[0].line, number == 0 ? 0 : 12 + 4 * (number / 10));
        EXPECT_FALSE(findings[0].message.isEmpty());
    }
}

TEST(RuleCheck, ReferencesAreLeftToTheReader)
{
    DrawingBuilder b;
    LineFeature f = B::line();
    f.a = {9, 99, 99, 99};
    addLine(b, f);
    b.add(FeatureKind::SymbolPlacement, b.d.placements, B::placement(QStringLiteral("later")));
    addLine(b);
    b.symbol(QStringLiteral("later"), 1);
    b.add(FeatureKind::FillColour, b.d.fillColours, B::fill(7, {8}));
    addLine(b);
    b.sheet();
    const Findings findings = check(b.d);
    EXPECT_TRUE(findings.empty()) << describe(findings).toStdString();
}

TEST(RuleCheck, TolerancesAreAdjustable)
{
    DrawingBuilder b;
    addLine(b, B::line(0, 0, 0.005, 0));
    ArcFeature arc = B::arc();
    arc.endAngle = 0.001;
    b.add(FeatureKind::Arc, b.d.arcs, arc);
    b.sheet();
    EXPECT_TRUE(check(b.d).empty());
    const Findings loose = check(b.d, {0.01, 0.01});
    ASSERT_EQ(loose.size(), 2u) << describe(loose).toStdString();
    EXPECT_EQ(loose[0].code, u"SXFLENGTHZERO");
    EXPECT_EQ(loose[1].code, u"SXFSAMEANGLE");
}

TEST(RuleCheck, FindingsComeInLineOrderWithTheFileFirst)
{
    DrawingBuilder b;
    addLine(b, B::line(0, 0, 0, 0));
    b.d.widths.push_back({b.next(), -1, kNone});  // a later line than the feature's
    b.d.layers[0].flag = 3;
    const Findings findings = check(b.d);
    ASSERT_EQ(findings.size(), 5u) << describe(findings).toStdString();
    const char* codes[] = {"SXFNOTSETSHEET", "SXFLAYERFLAG", "SXFNOTASSEMBLY", "SXFLENGTHZERO", "SXFERRORWIDTH"};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(findings[i].code, QLatin1String(codes[i])) << i;
}

TEST(RuleCheck, MembersOutsideTheFeaturesAreIgnored)
{
    DrawingBuilder b;
    addLine(b);
    b.sheet();
    b.d.sheets[0].members = {-5, 1000};
    b.d.assemblies.push_back({AssemblyKind::Curve, 7});
    b.d.features.push_back({FeatureKind::Circle, 3});
    const Findings findings = check(b.d);
    ASSERT_EQ(findings.size(), 2u) << describe(findings).toStdString();
    EXPECT_EQ(findings[0].code, u"SXFCURVELOCERR");
    EXPECT_EQ(findings[1].code, u"SXFNOTFEATURE");
}
