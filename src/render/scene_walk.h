// The walk that builds a scene, shared by the files that draw each family of
// features (scene_builder.cpp, scene_geometry.cpp, scene_annotations.cpp,
// scene_fills.cpp). Private to the render library.
#pragma once

#include "render/scene.h"
#include "render/terminators.h"
#include "render/text_layout.h"
#include "sxf/drawing.h"

#include <QTransform>

#include <vector>

namespace render {

// Where the features being drawn go: the placement's transform into the
// sheet, and what their items are tagged with.
struct Place {
    QTransform toSheet;
    ItemTag tag;
};

// How a drawn feature looks: its colour, and the stroke style of its lines.
struct Look {
    QRgb colour = 0;
    int32_t stroke = 0;
    int32_t solidStroke = 0;  // the same without dashes, for terminators
};

// What attrDrawn takes from a feature's references besides its layer.
constexpr int kColour = 1;
constexpr int kLineStyle = 2;

struct Drawn {
    Place at;
    Look look;
};

// The texts of text features and of the text block of annotations.
struct TextSpec {
    QString text;
    double x = 0, y = 0, height = 0, width = 0, spacing = 0, angleDeg = 0, slantDeg = 0;
    int32_t basePoint = 1;
    int32_t direction = 1;
};

class SceneWalk {
public:
    SceneWalk(const sxf::Drawing& drawing, Scene& scene, size_t maxItems);
    void run();

private:
    // scene_builder.cpp: the walk, placements, tables and the items.
    void drawRange(sxf::FeatureRange range, const Place& at);
    void drawFeature(int32_t index, const Place& at);
    void drawPlacement(int32_t index, const sxf::SymbolPlacementFeature& p, const Place& at);
    void drawVisibleCurves();
    Place placeOf(int32_t index, int32_t layer, const Place& at) const;
    int32_t layerOf(int32_t number, int32_t ref, int32_t index, bool zeroIsNone);
    // Where and how feature `index` is drawn: on its layer, in its colour
    // (black without kColour) and with kLineStyle its line type and width;
    // anything missing turns it magenta.
    Drawn attrDrawn(int32_t index, const sxf::TableRefs& refs, const Place& at, int needs);
    Look curveLook(const sxf::CompositeCurve& curve, int32_t index);
    int32_t strokeStyle(QColor colour, double widthMm, int32_t dashes);
    void noteMissing(int32_t index, const QString& what);
    void note(int32_t index, const QString& message);
    void addLine(const Place& at, const std::vector<QPointF>& local, bool closed, int32_t stroke);
    void addArea(const Place& at, const std::vector<std::vector<QPointF>>& rings, Fill fill, QRgb fillColour,
                 int32_t stroke);
    void addTerminator(const Place& at, const Terminator& t, const Look& look);
    void addText(const Place& at, const TextSpec& placed, QRgb colour, const QString& family);
    void addMissingMark(const Place& at, QPointF point, const QString& label);
    int32_t beginRing(const std::vector<QPointF>& local, const QTransform& toSheet, QRectF& bounds);
    QString fontFamily(int32_t index, int32_t fontRef, bool hasText);
    int32_t numberOf(int32_t index) const;

    // scene_geometry.cpp: points, lines, curves, texts, external symbols.
    void drawGeometry(int32_t index, const sxf::FeatureRef& ref, const Place& at);
    void drawText(int32_t index, const sxf::TextFeature& t, const Place& at);
    void drawExternalSymbol(int32_t index, const sxf::ExternalSymbolFeature& s, const Place& at);

    // scene_annotations.cpp: dimensions, labels and balloons.
    void drawAnnotation(int32_t index, const sxf::FeatureRef& ref, const Place& at);
    void drawLinearDim(int32_t index, const sxf::LinearDimFeature& d, const Place& at);
    void drawArcDim(int32_t index, const sxf::ArcDimFeature& d, const Place& at);
    void drawRadiusDim(int32_t index, const sxf::RadiusDimFeature& d, const Place& at);
    void drawDiameterDim(int32_t index, const sxf::DiameterDimFeature& d, const Place& at);
    void drawLabel(int32_t index, const sxf::LabelFeature& l, bool balloon, const Place& at);
    void drawExtensionLine(const sxf::SfcExtLine& e, const Place& at, const Look& look);
    void drawStraightArrow(const sxf::SfcArrow& r, QPointF from, QPointF to, const Place& at, const Look& look);
    void drawTextBlock(int32_t index, const sxf::SfcTextBlock& t, const sxf::TableRefs& refs, const Place& at,
                       const Look& look);

    // scene_fills.cpp: fills, hatches, tiles and the composite curves they use.
    void drawFill(int32_t index, const sxf::FeatureRef& ref, const Place& at);
    bool boundaryRings(int32_t index, const sxf::FillBoundary& b, std::vector<std::vector<QPointF>>& rings);
    // The points of composite curve `curve` (an index in Drawing::curves),
    // its segments joined in order; empty for an index out of range.
    std::vector<QPointF> curvePoints(int32_t curve) const;

    const sxf::Drawing& m_d;
    Scene& m_s;
    TextShaper m_shaper;
    std::vector<int32_t> m_dashesOfType;   // per Drawing::lineTypes entry
    std::vector<int32_t> m_symbolsOpen;    // the symbols being expanded, outermost first
    std::vector<uint8_t> m_noted;          // per feature: already has a note
    size_t m_maxItems = 0;
    bool m_overBudget = false;
    std::vector<QPointF> m_local;          // scratch points
};

}  // namespace render
