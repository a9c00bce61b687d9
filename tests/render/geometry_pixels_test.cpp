// Lines, curves, markers, colours, line types and widths, drawn into small
// images and checked pixel by pixel.
#include "render/scene_builder.h"
#include "tests/frontend/test_app.h"
#include "tests/render/drawing_maker.h"
#include "tests/render/pixels.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cmath>

FRONTENDTEST_APPLICATION(QGuiApplication);

using namespace rendertest;

namespace {

const QColor kRed(255, 0, 0);

TEST(GeometryPixels, LineLiesOnItsRowAndNowhereElse)
{
    DrawingMaker m;
    const int32_t red = m.colour(255, 0, 0);
    m.line(10, 10, 50, 10, m.ink(red));
    const QImage image = picture(m.finish(), 100, 100);
    const Found found = find(image, exactly(kRed));
    // y = 10 mm from the bottom of a 100 mm sheet is row 90.
    EXPECT_EQ(found.box.top(), 90);
    EXPECT_EQ(found.box.bottom(), 90);
    EXPECT_EQ(found.box.left(), 10);
    EXPECT_NEAR(found.box.right(), 50, 1);
    EXPECT_GE(found.count, 40);
}

TEST(GeometryPixels, ColoursAreDrawnAsTheirValues)
{
    struct Case {
        QColor defined;
        QColor drawn;
    };
    const Case cases[] = {
        {QColor(255, 252, 0), QColor(255, 252, 0)},    // yellow
        {QColor(192, 0, 128), QColor(192, 0, 128)},    // deeppink
        {QColor(12, 34, 56), QColor(12, 34, 56)},      // a user colour
        {QColor(255, 255, 255), QColor(64, 64, 64)},   // white, dark on the white page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defined.name().toStdString());
        DrawingMaker m;
        m.line(10, 50, 90, 50, m.ink(m.colour(c.defined.red(), c.defined.green(), c.defined.blue())));
        EXPECT_GE(find(picture(m.finish(), 100, 100), exactly(c.drawn)).count, 79);
    }
}

TEST(GeometryPixels, MissingDefinitionsAreMagentaAndCounted)
{
    struct Case {
        const char* what;
        sxf::TableRefs refs;
    };
    DrawingMaker base;
    sxf::TableRefs noColour = base.ink(), noType = base.ink(), noWidth = base.ink(), noLayer = base.ink();
    noColour.colour = sxf::kNone;
    noType.lineType = sxf::kNone;
    noWidth.width = 7;
    noLayer.layer = sxf::kNone;
    for (const Case& c : {Case{"colour", noColour}, Case{"line type", noType}, Case{"width", noWidth},
                          Case{"layer", noLayer}}) {
        SCOPED_TRACE(c.what);
        DrawingMaker m;
        m.line(10, 50, 90, 50, c.refs);
        m.line(10, 20, 90, 20, m.ink());
        const sxf::Drawing d = m.finish();
        const render::Scene scene = render::buildScene(d);
        EXPECT_EQ(scene.missingDefinitions, 1);
        ASSERT_EQ(scene.notes.size(), 1u);
        EXPECT_EQ(scene.notes[0].feature, 0);
        const QImage image = picture(scene, 100, 100, 1, render::initialVisibility(d));
        EXPECT_EQ(find(image, exactly(QColor(255, 0, 255))).box.top(), 50);
        EXPECT_EQ(find(image, exactly(Qt::black)).box.top(), 80);
    }
}

// The lengths of the runs of ink and of the gaps between them along row
// `row`, alternating, from the first ink on.
std::vector<int> runs(const QImage& image, int row)
{
    std::vector<int> out;
    bool inInk = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool ink = isInk(image.pixelColor(x, row));
        if (ink != inInk && (ink || !out.empty()))
            out.push_back(0);
        inInk = ink;
        if (!out.empty())
            ++out.back();
    }
    // The white after the last dash is no gap.
    if (!inInk && !out.empty())
        out.pop_back();
    return out;
}

TEST(GeometryPixels, LineTypesDashAsTheirPatterns)
{
    // At 10 px/mm a line 80 mm long: the first dash and gap of each pattern.
    struct Case {
        int code;
        int firstDash;  // px, 0: continuous
        int firstGap;
    };
    const Case cases[] = {{1, 0, 0}, {2, 30, 10}, {3, 30, 30}, {4, 100, 15}, {7, 5, 10}, {8, 60, 10}, {9, 60, 10},
                          {10, 30, 10}, {15, 30, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        DrawingMaker m;
        m.line(10, 5, 90, 5, m.ink(0, m.lineType(c.code)));
        const std::vector<int> r = runs(picture(m.finish(), 100, 10, 10), 50);
        ASSERT_FALSE(r.empty());
        if (c.firstDash == 0) {
            EXPECT_EQ(r.size(), 1u);
            continue;
        }
        ASSERT_GT(r.size(), 3u);
        EXPECT_NEAR(r[0], c.firstDash, 2);
        EXPECT_NEAR(r[1], c.firstGap, 2);
    }
}

TEST(GeometryPixels, UserLineTypeDashesByItsPitches)
{
    DrawingMaker m;
    m.line(10, 5, 90, 5, m.ink(0, m.userLineType({2, 1, 0.5, 1})));
    const std::vector<int> r = runs(picture(m.finish(), 100, 10, 10), 50);
    ASSERT_GT(r.size(), 4u);
    EXPECT_NEAR(r[0], 20, 2);
    EXPECT_NEAR(r[1], 10, 2);
    EXPECT_NEAR(r[2], 5, 2);
    EXPECT_NEAR(r[3], 10, 2);
}

TEST(GeometryPixels, WidthsAreMillimetresButNeverBelowAPixel)
{
    struct Case {
        double mm;
        double pxPerMm;
        int rows;
    };
    for (const Case& c : {Case{1.0, 10, 10}, Case{0.5, 10, 5}, Case{0.13, 1, 1}, Case{0.13, 10, 1}}) {
        SCOPED_TRACE(c.mm);
        DrawingMaker m;
        m.line(2, 5, 8, 5, m.ink(0, 0, m.width(c.mm)));
        const Found ink = find(picture(m.finish(), 10, 10, c.pxPerMm), isInk);
        EXPECT_NEAR(ink.box.height(), c.rows, 1);
    }
}

TEST(GeometryPixels, CurvesPassThroughTheirPoints)
{
    // Each case: a feature and points (mm) on it and off it.
    struct Case {
        const char* name;
        std::function<void(DrawingMaker&)> add;
        std::vector<QPointF> on, off;
    };
    const Case cases[] = {
        {"circle", [](DrawingMaker& m) { m.circle(50, 50, 30, m.ink()); }, {{80, 50}, {50, 80}, {20, 50}}, {{50, 50}}},
        {"arc counter-clockwise 0..90", [](DrawingMaker& m) { m.arc(50, 50, 30, 0, 90, false, m.ink()); },
         {{50 + 21.2, 50 + 21.2}}, {{50 - 21.2, 50 - 21.2}}},
        {"arc clockwise 0..90", [](DrawingMaker& m) { m.arc(50, 50, 30, 0, 90, true, m.ink()); },
         {{50 - 21.2, 50 - 21.2}}, {{50 + 21.2, 50 + 21.2}}},
        {"ellipse turned 90", [](DrawingMaker& m) { m.ellipse(50, 50, 40, 10, 90, m.ink()); },
         {{50, 90}, {60, 50}}, {{90, 50}}},
        {"polyline", [](DrawingMaker& m) { m.polyline({{10, 10}, {90, 10}, {90, 90}}, m.ink()); },
         {{50, 10}, {90, 50}}, {{50, 50}}},
        {"elliptic arc 0..180 turned 90",
         [](DrawingMaker& m) {
             sxf::EllipseArcFeature e;
             e.cx = 50, e.cy = 50, e.rx = 40, e.ry = 10, e.rotation = 90, e.startAngle = 0, e.endAngle = 180;
             m.ellipseArc(e, m.ink());
         },
         {{50, 90}, {40, 50}, {50, 10}}, {{60, 50}}},
        {"open spline through its ends",
         [](DrawingMaker& m) { m.spline({{10, 10}, {30, 90}, {70, 90}, {90, 10}}, false, m.ink()); },
         {{10, 10}, {90, 10}, {50, 86.7}}, {{50, 50}, {50, 80}}},
        {"clothoid from its origin, bending left",
         [](DrawingMaker& m) {
             sxf::ClothoidFeature c;
             c.baseX = 10, c.baseY = 20, c.parameter = 40, c.angle = 0, c.startLength = 0, c.endLength = 60;
             m.clothoid(c, m.ink());
         },
         // The Fresnel integrals at arc lengths 30 and 60.
         {{10, 20}, {10 + 29.76, 20 + 2.80}, {10 + 52.84, 20 + 20.55}}, {{70, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingMaker m;
        c.add(m);
        const QImage image = picture(m.finish(), 100, 100);
        const auto inkNear = [&image](QPointF p) {
            const QPoint at(int(std::round(p.x())), int(std::round(100 - p.y())));
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (image.rect().contains(at + QPoint(dx, dy)) && isInk(image.pixelColor(at + QPoint(dx, dy))))
                        return true;
            return false;
        };
        for (QPointF p : c.on)
            EXPECT_TRUE(inkNear(p)) << p.x() << "," << p.y();
        for (QPointF p : c.off)
            EXPECT_FALSE(inkNear(p)) << p.x() << "," << p.y();
    }
}

TEST(GeometryPixels, PointMarkerDotSitsOnItsPoint)
{
    DrawingMaker m;
    m.marker(30, 70, 3, m.ink());
    const Found ink = find(picture(m.finish(), 100, 100, 10), isInk);
    ASSERT_GT(ink.count, 0);
    EXPECT_NEAR(ink.box.center().x(), 300, 2);
    EXPECT_NEAR(ink.box.center().y(), 300, 2);
}

TEST(GeometryPixels, HiddenLayersDrawNothing)
{
    DrawingMaker m;
    const int32_t hidden = m.layer(QStringLiteral("hidden"), false);
    m.line(10, 50, 90, 50, m.ink(0, 0, 0, hidden));
    const sxf::Drawing d = m.finish();
    EXPECT_EQ(find(picture(d, 100, 100), isInk).count, 0);
    render::LayerVisibility all(d.layers.size(), true);
    EXPECT_GT(find(picture(d, 100, 100, 1, &all), isInk).count, 0);
}

TEST(GeometryPixels, SheetFrameIsDrawn)
{
    DrawingMaker m;
    const QImage image = picture(m.finish(60, 40), 100, 100);
    const Found frame = find(image, exactly(QColor(176, 176, 176)));
    EXPECT_EQ(frame.box, QRect(0, 60, 61, 40));  // the last row is the image's last
}

}  // namespace
