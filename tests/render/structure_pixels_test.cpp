// Texts in their boxes, symbol placements, fills and annotations, drawn into
// small images and checked pixel by pixel.
#include "render/scene_builder.h"
#include "tests/frontend/test_app.h"
#include "tests/render/drawing_maker.h"
#include "tests/render/pixels.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

FRONTENDTEST_APPLICATION(QGuiApplication);

using namespace rendertest;

namespace {

const QColor kMagenta(255, 0, 255);

sxf::SfcText text(const QString& s, double x, double y, double height, double width, int basePoint)
{
    sxf::SfcText t;
    t.text = s;
    t.x = x;
    t.y = y;
    t.height = height;
    t.width = width;
    t.basePoint = basePoint;
    return t;
}

// The ink of `t` alone at 10 px/mm on a 100 mm sheet, in millimetres (y up).
QRectF inkOfText(const sxf::SfcText& t)
{
    DrawingMaker m;
    m.font(QStringLiteral("ＭＳ ゴシック"));
    m.text(t, m.ink());
    const Found ink = find(picture(m.finish(), 100, 100, 10), isInk);
    const QRect b = ink.box;
    return QRectF(QPointF(b.left() / 10.0, 100 - (b.bottom() + 1) / 10.0), QPointF((b.right() + 1) / 10.0, 100 - b.top() / 10.0));
}

TEST(TextPixels, BasePointFiveIsTheCentreOfTheText)
{
    const QRectF ink = inkOfText(text(QStringLiteral("図面"), 50, 50, 10, 20, 5));
    EXPECT_NEAR(ink.center().x(), 50, 1.0);
    EXPECT_NEAR(ink.center().y(), 50, 1.0);
    // Two full-width characters fill a 20 x 10 box, less their side bearings.
    EXPECT_NEAR(ink.width(), 20, 3);
    EXPECT_NEAR(ink.height(), 10, 3);
}

TEST(TextPixels, BasePointsPutTheBoxAroundThePoint)
{
    // The box is 20 x 10 mm; where its middle lies from the base point (50, 50).
    struct Case {
        int basePoint;
        QPointF middle;
    };
    for (const Case& c : {Case{1, {60, 55}}, Case{3, {40, 55}}, Case{7, {60, 45}}, Case{9, {40, 45}},
                          Case{2, {50, 55}}, Case{6, {40, 50}}, Case{0, {60, 55}}}) {
        SCOPED_TRACE(c.basePoint);
        const QRectF ink = inkOfText(text(QStringLiteral("図面"), 50, 50, 10, 20, c.basePoint));
        EXPECT_NEAR(ink.center().x(), c.middle.x(), 1.0);
        EXPECT_NEAR(ink.center().y(), c.middle.y(), 1.0);
    }
}

TEST(TextPixels, AngleWidthSlantAndVerticalWritingShapeTheInk)
{
    struct Case {
        const char* name;
        sxf::SfcText t;
        double inkWidth, inkHeight;
        bool gapInMiddle = false;  // no ink at x = 50 mm
    };
    sxf::SfcText turned = text(QStringLiteral("図面"), 50, 50, 10, 20, 5);
    turned.angleDeg = 90;
    sxf::SfcText wide = text(QStringLiteral("図面"), 50, 50, 10, 40, 5);
    sxf::SfcText spaced = text(QStringLiteral("図面"), 50, 50, 10, 40, 5);
    spaced.spacing = 20;
    sxf::SfcText vertical = text(QStringLiteral("図面"), 50, 50, 20, 10, 5);
    vertical.direction = 2;
    sxf::SfcText slanted = text(QStringLiteral("図"), 50, 50, 10, 10, 5);
    slanted.slantDeg = 30;
    const Case cases[] = {
        {"turned 90 degrees", turned, 10, 20},
        {"stretched to its box", wide, 40, 10},
        {"spaced", spaced, 40, 10, true},
        {"vertical", vertical, 10, 20},
        {"slanted 30 degrees", slanted, 10 + 10 * 0.577, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRectF ink = inkOfText(c.t);
        EXPECT_NEAR(ink.width(), c.inkWidth, 3);
        if (c.gapInMiddle) {
            DrawingMaker m;
            m.text(c.t, m.ink());
            EXPECT_EQ(find(picture(m.finish(), 100, 100, 10).copy(495, 0, 10, 1000), isInk).count, 0);
        }
        EXPECT_NEAR(ink.height(), c.inkHeight, 3);
        EXPECT_NEAR(ink.center().y(), 50, 1.5);
    }
}

TEST(TextPixels, FontNamesPickGothicOrMincho)
{
    DrawingMaker m;
    m.font(QStringLiteral("ＭＳ ゴシック"));
    m.font(QStringLiteral("ＭＳ 明朝"));
    m.font(QStringLiteral("Arial"));
    for (int32_t f = 0; f < 3; ++f) {
        sxf::TableRefs r = m.ink();
        r.font = f;
        m.text(text(QStringLiteral("文字"), 10, 10 + 20 * f, 5, 10, 1), r);
    }
    const render::Scene scene = render::buildScene(m.finish());
    ASSERT_EQ(scene.texts.size(), 3u);
    EXPECT_EQ(scene.fontFamilies[size_t(scene.texts[0].font)], QStringLiteral("IPAGothic"));
    EXPECT_EQ(scene.fontFamilies[size_t(scene.texts[1].font)], QStringLiteral("IPAMincho"));
    EXPECT_EQ(scene.fontFamilies[size_t(scene.texts[2].font)], QStringLiteral("IPAGothic"));
}

TEST(SymbolPixels, PlacementTurnedNinetyDegreesPutsItsMemberWhereExpected)
{
    DrawingMaker m;
    m.line(0, 0, 10, 0, m.ink());
    m.closeSymbol(QStringLiteral("S"));
    // Turned 90 degrees and scaled 2 at (50, 50): the member runs from (50, 50) up to (50, 70).
    m.placement(QStringLiteral("S"), 50, 50, 90, 2, 2);
    const Found ink = find(picture(m.finish(), 100, 100), isInk);
    EXPECT_EQ(ink.box.left(), 50);
    EXPECT_EQ(ink.box.right(), 50);
    EXPECT_NEAR(ink.box.top(), 30, 1);
    EXPECT_NEAR(ink.box.bottom(), 50, 1);
}

TEST(SymbolPixels, NestedPlacementsComposeTheirTransforms)
{
    DrawingMaker m;
    m.line(0, 0, 10, 0, m.ink());
    m.closeSymbol(QStringLiteral("inner"));
    m.placement(QStringLiteral("inner"), 5, 0, 0, 1, 1);
    m.closeSymbol(QStringLiteral("outer"));
    // outer at (20, 30), scaled 3: inner's line from (15, 0)..(25, 0) x 3 shifted.
    m.placement(QStringLiteral("outer"), 20, 30, 0, 3, 3);
    const Found ink = find(picture(m.finish(), 100, 100), isInk);
    EXPECT_EQ(ink.box.top(), 70);
    EXPECT_NEAR(ink.box.left(), 35, 1);
    EXPECT_NEAR(ink.box.right(), 65, 1);
}

TEST(SymbolPixels, SymbolPlacedInItselfIsDrawnOnceAndNoted)
{
    DrawingMaker m;
    m.line(0, 0, 10, 0, m.ink());
    m.placement(QStringLiteral("loop"), 0, 20, 0, 1, 1);
    m.closeSymbol(QStringLiteral("loop"));
    m.placement(QStringLiteral("loop"), 40, 40, 0, 1, 1);
    const sxf::Drawing d = m.finish();
    const render::Scene scene = render::buildScene(d);
    ASSERT_EQ(scene.notes.size(), 1u);
    EXPECT_EQ(scene.notes[0].feature, 1);  // the placement inside the symbol
    const QImage image = picture(scene, 100, 100, 1, render::initialVisibility(d));
    EXPECT_EQ(find(image, exactly(Qt::black)).box, QRect(40, 60, 11, 1));
    EXPECT_GT(find(image, exactly(kMagenta)).count, 0);
}

TEST(SymbolPixels, MissingSymbolIsMagentaAndCounted)
{
    DrawingMaker m;
    m.placement(QStringLiteral("nowhere"), 50, 50, 0, 1, 1);
    const sxf::Drawing d = m.finish();
    const render::Scene scene = render::buildScene(d);
    EXPECT_EQ(scene.missingDefinitions, 1);
    const Found magenta = find(picture(scene, 100, 100, 1, render::initialVisibility(d)), exactly(kMagenta));
    EXPECT_TRUE(magenta.box.contains(50, 50));
}

TEST(SymbolPixels, HiddenPlacementLayerHidesItsMembers)
{
    DrawingMaker m;
    const int32_t hidden = m.layer(QStringLiteral("hidden"), false);
    m.line(0, 0, 10, 0, m.ink());
    m.closeSymbol(QStringLiteral("S"));
    m.placement(QStringLiteral("S"), 50, 50, 0, 1, 1, hidden);
    EXPECT_EQ(find(picture(m.finish(), 100, 100), isInk).count, 0);
}

TEST(FillPixels, ColourFillLeavesItsHolesOpen)
{
    DrawingMaker m;
    const int32_t outer = m.closedCurve({{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 10}}, false, m.ink());
    const int32_t hole = m.closedCurve({{30, 30}, {70, 30}, {70, 70}, {30, 70}, {30, 30}}, false, m.ink());
    m.fill(outer, {hole}, m.ink(m.colour(0, 0, 255)));
    const QImage image = picture(m.finish(), 100, 100);
    EXPECT_EQ(image.pixelColor(20, 80), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(95, 50), QColor(Qt::white));
}

TEST(FillPixels, CurvesShowOnlyWhenVisible)
{
    for (bool visible : {true, false}) {
        SCOPED_TRACE(visible);
        DrawingMaker m;
        m.closedCurve({{10, 10}, {90, 10}, {90, 90}}, visible, m.ink());
        EXPECT_EQ(find(picture(m.finish(), 100, 100), isInk).count > 0, visible);
    }
}

TEST(FillPixels, ExternalHatchIsALightPatternInsideItsBoundary)
{
    DrawingMaker m;
    const int32_t outer = m.closedCurve({{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 10}}, false, m.ink());
    m.externalHatch(outer, m.ink());
    const QImage image = picture(m.finish(), 100, 100);
    const Found inside = find(image.copy(20, 20, 60, 60), isInk);
    EXPECT_GT(inside.count, 200);
    EXPECT_LT(inside.count, 60 * 60 / 2);
    EXPECT_EQ(find(image.copy(92, 0, 8, 100), isInk).count, 0);
}

TEST(FillPixels, HatchingAndTilesDrawTheirOutline)
{
    for (bool tiles : {false, true}) {
        SCOPED_TRACE(tiles ? "tiles" : "hatching");
        DrawingMaker m;
        const int32_t outer = m.closedCurve({{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 10}}, false, m.ink());
        const sxf::TableRefs red = m.ink(m.colour(255, 0, 0));
        tiles ? m.tiles(outer, red) : m.hatching(outer, red);
        const QImage image = picture(m.finish(), 100, 100);
        EXPECT_EQ(find(image, exactly(QColor(255, 0, 0))).box, QRect(10, 10, 81, 81));
        EXPECT_EQ(find(image.copy(12, 12, 77, 77), isInk).count, 0);
    }
}

TEST(FillPixels, BackgroundColourControlIsNotDrawn)
{
    DrawingMaker m;
    const int32_t outer = m.closedCurve({{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 10}}, false, m.ink());
    m.externalHatch(outer, m.ink(), QStringLiteral("Area_control"));
    EXPECT_EQ(find(picture(m.finish(), 100, 100), isInk).count, 0);
}

TEST(FillPixels, FillWithAMissingCurveDrawsItsOutlineInMagenta)
{
    DrawingMaker m;
    m.fill(5, {}, m.ink());
    const render::Scene scene = render::buildScene(m.finish());
    EXPECT_EQ(scene.missingDefinitions, 1);
}

TEST(AnnotationPixels, ArrowCodesDrawTheirShapes)
{
    // A leader from (50, 50) to (80, 50): its terminator sits at (50, 50)
    // looking left. At 10 px/mm a normal arrow is 2.5 mm long.
    struct Case {
        int code;
        QPoint inside;     // a pixel inside the head, off its outline
        bool insideInked;
        bool magenta;
    };
    // Arrows reach 2.5 mm behind the tip; boxes and dots are centred on it.
    const QPoint arrow(515, 497), centre(502, 497);
    const Case cases[] = {{1, arrow, false, false}, {2, centre, false, false}, {5, centre, true, false},
                          {6, arrow, true, false},   {7, centre, true, false},  {9, arrow, false, false},
                          {11, arrow, false, false}, {12, arrow, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        DrawingMaker m;
        // The leader's line starts 2.5 mm on so that only the head lies at the tip.
        m.label({{50, 50}, {80, 50}}, c.code, false, m.ink());
        const QImage image = picture(m.finish(), 100, 100, 10);
        EXPECT_EQ(isInk(image.pixelColor(c.inside)), c.insideInked);
        EXPECT_EQ(find(image, exactly(kMagenta)).count > 0, c.magenta);
        // Every head reaches back from the tip, off the leader's line.
        EXPECT_GT(find(image.copy(495, 470, 30, 25), isInk).count, 0);
    }
}

TEST(AnnotationPixels, LinearDimensionDrawsLineExtensionsArrowsAndText)
{
    // Orientation 1: the heads lie inside the line's ends, looking out;
    // 2: outside, looking in.
    for (int orientation : {1, 2}) {
        SCOPED_TRACE(orientation);
        DrawingMaker m;
        m.font(QStringLiteral("ＭＳ ゴシック"));
        sxf::LinearDimFeature d;
        d.x1 = 20, d.y1 = 50, d.x2 = 80, d.y2 = 50;
        d.e1 = {1, 20, 20, 20, 22, 20, 52};
        d.e2 = {1, 80, 20, 80, 22, 80, 52};
        d.r1 = {6, orientation, 20, 50, 1};
        d.r2 = {6, orientation, 80, 50, 1};
        d.t.mf = 1;
        d.t.st = QStringLiteral("60");
        d.t.kx = 50, d.t.ky = 51, d.t.sy = 4, d.t.sx = 4, d.t.kt = 2;
        m.linearDim(d, m.ink());
        const QImage image = picture(m.finish(), 100, 100, 10);
        // The extension lines run from y = 22 to 52 mm at x = 20 and 80.
        EXPECT_TRUE(isInk(image.pixelColor(200, 700)));
        EXPECT_TRUE(isInk(image.pixelColor(800, 700)));
        // Probed 1.5 mm from each end, 0.3 mm off the line.
        const bool inside = orientation == 1;
        EXPECT_EQ(isInk(image.pixelColor(215, 497)), inside);
        EXPECT_EQ(isInk(image.pixelColor(185, 497)), !inside);
        EXPECT_EQ(isInk(image.pixelColor(785, 497)), inside);
        EXPECT_EQ(isInk(image.pixelColor(815, 497)), !inside);
        // The text stands above the line's middle.
        EXPECT_GT(find(image.copy(450, 400, 100, 85), isInk).count, 50);
    }
}

TEST(AnnotationPixels, RadiusDiameterCurveAndAngularDimensions)
{
    // Each draws its line or arc and a filled arrow at (80, 50) of
    // orientation 1, looking out: right, out of the circle of radius 30 round
    // (50, 50), or, on the arc, back towards its start, down: the head's
    // body lies left of or above the tip.
    struct Case {
        const char* name;
        std::function<void(DrawingMaker&)> add;
        QPoint body;    // a pixel (10 px/mm) inside the head
        QPoint onLine;  // a pixel on the line or arc
    };
    const sxf::SfcArrow arrow{6, 1, 80, 50, 1};
    const Case cases[] = {
        {"radius",
         [&](DrawingMaker& m) {
             sxf::RadiusDimFeature d;
             d.x1 = 50, d.y1 = 50, d.x2 = 80, d.y2 = 50, d.r = arrow;
             m.radiusDim(d, m.ink());
         },
         {785, 498}, {650, 500}},
        {"diameter",
         [&](DrawingMaker& m) {
             sxf::DiameterDimFeature d;
             d.x1 = 20, d.y1 = 50, d.x2 = 80, d.y2 = 50, d.r2 = arrow;
             m.diameterDim(d, m.ink());
         },
         {785, 498}, {350, 500}},
        {"curve",
         [&](DrawingMaker& m) {
             sxf::ArcDimFeature d;
             d.cx = 50, d.cy = 50, d.r = 30, d.startAngle = 0, d.endAngle = 90, d.r1 = arrow;
             m.arcDim(d, false, m.ink());
         },
         {802, 485}, {712, 288}},
        {"angular",
         [&](DrawingMaker& m) {
             sxf::ArcDimFeature d;
             d.cx = 50, d.cy = 50, d.r = 30, d.startAngle = 0, d.endAngle = 90, d.r1 = arrow;
             m.arcDim(d, true, m.ink());
         },
         {802, 485}, {712, 288}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingMaker m;
        c.add(m);
        const QImage image = picture(m.finish(), 100, 100, 10);
        EXPECT_TRUE(isInk(image.pixelColor(c.body)));
        EXPECT_TRUE(isInk(image.pixelColor(c.onLine)) || isInk(image.pixelColor(c.onLine + QPoint(0, 1))));
    }
}

TEST(AnnotationPixels, ExternalSymbolIsMarkedWhereItStands)
{
    DrawingMaker m;
    m.externalSymbol(30, 70, m.ink());
    const Found ink = find(picture(m.finish(), 100, 100, 10), isInk);
    EXPECT_NEAR(ink.box.center().x(), 300, 2);
    EXPECT_NEAR(ink.box.center().y(), 300, 2);
    EXPECT_NEAR(ink.box.width(), 30, 3);  // a circle of 1.5 mm radius
}

TEST(AnnotationPixels, BalloonDrawsItsCircle)
{
    DrawingMaker m;
    m.label({{20, 20}, {40, 40}}, 0, true, m.ink());
    const QImage image = picture(m.finish(), 100, 100);
    // The circle of radius 5 around (45, 40).
    EXPECT_TRUE(isInk(image.pixelColor(50, 60)) || isInk(image.pixelColor(49, 60)));
}

}  // namespace

namespace {

TEST(SceneRobustness, OddValuesDrawWithoutFailing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    DrawingMaker m;
    m.font(QStringLiteral("ＭＳ ゴシック"));
    m.line(nan, 0, 10, inf, m.ink());
    m.circle(50, 50, 1e300, m.ink());
    m.arc(50, 50, -5, 0, 0, false, m.ink());
    m.ellipse(50, 50, 0, 0, nan, m.ink());
    m.polyline({}, m.ink());
    m.text(text(QStringLiteral("\x01\x02"), 10, 10, 5, 10, 5), m.ink());
    m.text(text(QStringLiteral("大"), 10, 10, 1e12, 1e12, 12), m.ink());
    m.text(text(QStringLiteral("小"), 10, 10, 0, -3, -1), m.ink());
    m.label({{1, 1}}, 99, true, m.ink());
    sxf::Drawing d = m.finish();
    // References past every table and feature range.
    d.features.push_back({sxf::FeatureKind::Spline, 7});
    d.features.push_back({sxf::FeatureKind::Attribute, 0});
    d.lines.push_back({});
    d.lines.back().refs = {99, -7, 12345, 3, 8};
    d.features.push_back({sxf::FeatureKind::Line, int32_t(d.lines.size() - 1)});
    d.sheets[0].members.count += 3;
    d.symbols.push_back({{}, QStringLiteral("wild"), 4, {-5, 1000000}});
    const render::Scene scene = render::buildScene(d);
    EXPECT_GT(scene.missingDefinitions, 0);
    for (double pxPerMm : {0.05, 1.0, 5.0})
        picture(scene, 100, 100, pxPerMm, render::initialVisibility(d));
}

TEST(SceneRobustness, PlacementsThatMultiplyStopAtABudget)
{
    // Each symbol places the one before it ten times: eight levels ask for
    // a hundred million lines, far beyond the budget given here.
    DrawingMaker m;
    m.line(0, 0, 1, 0, m.ink());
    m.closeSymbol(QStringLiteral("S0"));
    for (int level = 1; level <= 8; ++level) {
        for (int k = 0; k < 10; ++k)
            m.placement(QStringLiteral("S%1").arg(level - 1), k, 0, 0, 1, 1);
        m.closeSymbol(QStringLiteral("S%1").arg(level));
    }
    m.placement(QStringLiteral("S8"), 0, 0, 0, 1, 1);
    const render::Scene scene = render::buildScene(m.finish(), 100'000);
    EXPECT_LT(scene.shapes.size(), 100'100u);
    ASSERT_FALSE(scene.notes.empty());
    EXPECT_TRUE(scene.notes.back().message.contains(QStringLiteral("配置が多すぎる")));
}

}  // namespace
