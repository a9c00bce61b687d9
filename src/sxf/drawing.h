// The model of one SXF drawing, as read from an SFC (or P21) file: the
// header, the definition tables, every feature with its values as its
// record lists them, and the assemblies (sheet, symbol definitions,
// composite curves) that group the features. Readers fill it, the SFC and
// P21 writers, the rule checks and the preview read it. Nothing here knows
// where the drawing came from.
#pragma once

#include "sxf/feature_types.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace sxf {

// An index that refers to nothing: a reference that did not resolve.
constexpr int32_t kNone = -1;

// Where an item stands in the file it was read from: its feature number
// (the n of "#n = ...") and the 1-based line of that feature line. Both are
// 0 for an item made in memory.
struct Origin {
    int32_t number = 0;
    int32_t line = 0;
};

// The header section. Every value is the text between the apostrophes,
// decoded (the file name from its "\X2\" form).
struct Header {
    QString description;         // FILE_DESCRIPTION, e.g. "SCADEC level2 feature_mode"
    QString implementationLevel;  // "2;1"
    QString fileName;            // FILE_NAME
    QString timeStamp;           // "2026-12-10T09:30:00" as written
    QString author;              // the first of the two ('...') lines
    QString organisation;        // the second
    QString preprocessorVersion;  // "SCADEC_API_Ver3.30"
    QString originatingSystem;   // "Kestrune"
    QString authorisation;       // usually empty
    QString schema;              // FILE_SCHEMA, "ASSOCIATIVE_DRAUGHTING"
};

// ---------------------------------------------------------------------------
// Definition tables. Each table keeps its records in file order; `code` is the
// number that feature records use for the entry, or kNone for a record that
// defines nothing (an unknown pre-defined name, a duplicate, a table full).

// layer_feature: code = 1-based position among the layers defined.
struct Layer {
    Origin at;
    QString name;
    int32_t flag = 1;  // 1 shown, 0 hidden
    int32_t code = kNone;
};

// pre_defined_colour_feature (code 1..16 from its name) or
// user_defined_colour_feature (codes 17, 18, ... in definition order).
// A pre-defined colour carries the RGB of its name.
struct Colour {
    Origin at;
    bool predefined = true;
    QString name;  // pre-defined only
    int32_t r = 0, g = 0, b = 0;
    int32_t code = kNone;
};

// pre_defined_font_feature (code 1..15 from its name, 16 for the blank
// name) or user_defined_font_feature (codes 17, 18, ...): the line types.
struct LineType {
    Origin at;
    bool predefined = true;
    QString name;
    int32_t segments = 0;         // user-defined: the count as written
    std::vector<double> pitches;  // user-defined: the pitches as written
    int32_t code = kNone;
};

// width_feature: codes 1..9 for the pre-defined widths, 11, 12, ... for
// the others in definition order.
struct Width {
    Origin at;
    double width = 0;
    int32_t code = kNone;
};

// text_font_feature: code = 1-based position among the fonts defined.
struct Font {
    Origin at;
    QString name;
    int32_t code = kNone;
};

// The table entries a feature's numbers resolve to: indices into
// Drawing::layers, colours, lineTypes, widths and fonts, kNone where the
// number names no entry (or the feature has no such reference).
struct TableRefs {
    int32_t layer = kNone;
    int32_t colour = kNone;
    int32_t lineType = kNone;
    int32_t width = kNone;
    int32_t font = kNone;
};

// ---------------------------------------------------------------------------
// Features, one struct per record kind. The values are those of the record,
// in its order; the names follow the writers' (feature_types.h). `refs` holds
// what the numbers resolved to.

struct PointMarkerFeature {  // point_marker_feature
    Origin at;
    int32_t layer = 0, colour = 0;
    double x = 0, y = 0;
    int32_t code = 0;
    double angle = 0, scale = 0;
    TableRefs refs;
};

struct LineFeature {  // line_feature
    Origin at;
    SfcAttr a;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    TableRefs refs;
};

struct PolylineFeature {  // polyline_feature
    Origin at;
    SfcAttr a;
    int32_t n = 0;  // the count as written; `points` holds the vertices read
    std::vector<T2DPoint> points;
    TableRefs refs;
};

struct CircleFeature {  // circle_feature
    Origin at;
    SfcAttr a;
    double cx = 0, cy = 0, r = 0;
    TableRefs refs;
};

struct ArcFeature {  // arc_feature
    Origin at;
    SfcAttr a;
    double cx = 0, cy = 0, r = 0;
    int32_t direction = 0;  // 1 clockwise
    double startAngle = 0, endAngle = 0;
    TableRefs refs;
};

struct EllipseFeature {  // ellipse_feature
    Origin at;
    SfcAttr a;
    double cx = 0, cy = 0, rx = 0, ry = 0;
    double rotation = 0;
    TableRefs refs;
};

struct EllipseArcFeature {  // ellipse_arc_feature
    Origin at;
    SfcAttr a;
    double cx = 0, cy = 0, rx = 0, ry = 0;
    int32_t direction = 0;
    double rotation = 0, startAngle = 0, endAngle = 0;
    TableRefs refs;
};

struct TextFeature {  // text_string_feature
    Origin at;
    SfcText t;
    TableRefs refs;
};

struct SplineFeature {  // spline_feature
    Origin at;
    SfcAttr a;
    int32_t openClose = 0;  // 0 closed, 1 open
    int32_t n = 0;
    std::vector<T2DPoint> points;  // control points
    TableRefs refs;
};

struct ClothoidFeature {  // clothoid_feature
    Origin at;
    SfcAttr a;
    double baseX = 0, baseY = 0, parameter = 0;
    int32_t direction = 0;
    double angle = 0, startLength = 0, endLength = 0;
    TableRefs refs;
};

struct SymbolPlacementFeature {  // sfig_locate_feature
    Origin at;
    int32_t layer = 0;  // 0: on no layer
    QString name;
    double x = 0, y = 0, angle = 0, scaleX = 1, scaleY = 1;
    TableRefs refs;
    int32_t symbol = kNone;  // index into Drawing::symbols
};

struct ExternalSymbolFeature {  // externally_defined_symbol_feature
    Origin at;
    int32_t layer = 0;
    int32_t colourFlag = 0;  // 1 when `colour` applies
    int32_t colour = 0;
    QString name;
    double x = 0, y = 0, angle = 0, scale = 1;
    TableRefs refs;
};

// The boundary of a fill: composite curve numbers as written (1-based, in
// the order of the curves' records) and the curves they resolve to.
struct FillBoundary {
    int32_t outer = 0;
    int32_t holeCount = 0;  // the count as written
    std::vector<int32_t> holes;
    int32_t outerCurve = kNone;        // index into Drawing::curves
    std::vector<int32_t> holeCurves;  // one per hole, kNone when unresolved
};

struct FillColourFeature {  // fill_area_style_colour_feature
    Origin at;
    int32_t layer = 0, colour = 0;
    FillBoundary boundary;
    TableRefs refs;
};

struct ExternalHatchFeature {  // externally_defined_hatch_feature
    Origin at;
    int32_t layer = 0;
    QString name;
    FillBoundary boundary;
    TableRefs refs;
};

// One line pattern of a user hatching, with what its numbers resolve to.
struct HatchPattern {
    int32_t colour = 0, lineType = 0, width = 0;
    double startX = 0, startY = 0, spacing = 0, angle = 0;
    TableRefs refs;
};

struct HatchingFeature {  // fill_area_style_hatching_feature
    Origin at;
    int32_t layer = 0;
    int32_t patternCount = 0;  // the count as written
    std::vector<HatchPattern> patterns;
    FillBoundary boundary;
    TableRefs refs;  // the layer
};

struct TilesFeature {  // fill_area_style_tiles_feature
    Origin at;
    int32_t layer = 0;
    QString name;
    int32_t colour = 0;
    double patternX = 0, patternY = 0;
    double vector1 = 0, vector1Angle = 0, vector2 = 0, vector2Angle = 0;
    double scaleX = 1, scaleY = 1, angle = 0;
    FillBoundary boundary;
    TableRefs refs;
};

// linear_dim_feature, and the two that share its shape.
struct LinearDimFeature {
    Origin at;
    SfcAttr a;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    SfcExtLine e1, e2;
    SfcArrow r1, r2;
    SfcTextBlock t;
    TableRefs refs;
};

// curve_dim_feature and angular_dim_feature (the same arguments).
struct ArcDimFeature {
    Origin at;
    SfcAttr a;
    double cx = 0, cy = 0, r = 0, startAngle = 0, endAngle = 0;
    SfcExtLine e1, e2;
    SfcArrow r1, r2;
    SfcTextBlock t;
    TableRefs refs;
};

struct RadiusDimFeature {  // radius_dim_feature
    Origin at;
    SfcAttr a;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    SfcArrow r;
    SfcTextBlock t;
    TableRefs refs;
};

struct DiameterDimFeature {  // diameter_dim_feature
    Origin at;
    SfcAttr a;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    SfcArrow r1, r2;
    SfcTextBlock t;
    TableRefs refs;
};

// label_feature, and balloon_feature with its circle.
struct LabelFeature {
    Origin at;
    SfcAttr a;
    int32_t n = 0;
    std::vector<T2DPoint> points;
    double cx = 0, cy = 0, r = 0;  // balloon only
    int32_t arrowCode = 0;
    double arrowScale = 0;
    SfcTextBlock t;
    TableRefs refs;
};

struct AttributeFeature {  // attribute_feature: the title block
    Origin at;
    QString projectName, contractName, contractType;
    QString drawingTitle, drawingNumber, drawingType, drawingScale;
    int32_t year = 0, month = 0, day = 0;
    QString contractor, owner;
};

enum class FeatureKind : uint8_t {
    PointMarker,
    Line,
    Polyline,
    Circle,
    Arc,
    Ellipse,
    EllipseArc,
    Text,
    Spline,
    Clothoid,
    SymbolPlacement,
    ExternalSymbol,
    FillColour,
    ExternalHatch,
    Hatching,
    Tiles,
    LinearDim,
    CurveDim,
    AngularDim,
    RadiusDim,
    DiameterDim,
    Label,
    Balloon,
    Attribute,
};

// The record name of a kind, e.g. "line_feature".
const char* featureName(FeatureKind kind);

// One feature in file order: its kind and its index in the vector of that
// kind (CurveDim and AngularDim share arcDims, Label and Balloon labels).
struct FeatureRef {
    FeatureKind kind = FeatureKind::Line;
    int32_t index = 0;
};

// A run of Drawing::features: [first, first + count).
struct FeatureRange {
    int32_t first = 0;
    int32_t count = 0;
};

// ---------------------------------------------------------------------------
// Assemblies. An assembly record closes the features written since the
// previous assembly record: those are its members.

struct Sheet {  // drawing_sheet_feature
    Origin at;
    QString name;
    int32_t kind = 9;         // 0..4 for A0..A4, 9 free
    int32_t orientation = 1;  // 0 portrait, 1 landscape
    double x = 0, y = 0;      // the size as written, millimetres
    FeatureRange members;
};

struct Symbol {  // sfig_org_feature
    Origin at;
    QString name;
    int32_t flag = 4;  // 1..4
    FeatureRange members;
};

struct CompositeCurve {  // composite_curve_org_feature
    Origin at;
    int32_t colour = 0, lineType = 0, width = 0;
    int32_t flag = 0;  // 1 visible, 0 invisible
    FeatureRange segments;
    TableRefs refs;
};

enum class AssemblyKind : uint8_t { Sheet, Symbol, Curve };

struct AssemblyRef {
    AssemblyKind kind = AssemblyKind::Sheet;
    int32_t index = 0;  // into sheets, symbols or curves
};

// ---------------------------------------------------------------------------

struct Drawing {
    Header header;

    std::vector<Layer> layers;
    std::vector<Colour> colours;
    std::vector<LineType> lineTypes;
    std::vector<Width> widths;
    std::vector<Font> fonts;

    // Every feature in file order (assembly records and definitions aside).
    std::vector<FeatureRef> features;
    // Every assembly record in file order. Walking them and writing each
    // one's members before it gives the file's order back; features after
    // the last assembly record belong to none.
    std::vector<AssemblyRef> assemblies;
    std::vector<Sheet> sheets;  // normally exactly one, the last assembly record
    std::vector<Symbol> symbols;
    std::vector<CompositeCurve> curves;  // curve number k is curves[k - 1]

    // The features of each kind, in file order.
    std::vector<PointMarkerFeature> pointMarkers;
    std::vector<LineFeature> lines;
    std::vector<PolylineFeature> polylines;
    std::vector<CircleFeature> circles;
    std::vector<ArcFeature> arcs;
    std::vector<EllipseFeature> ellipses;
    std::vector<EllipseArcFeature> ellipseArcs;
    std::vector<TextFeature> texts;
    std::vector<SplineFeature> splines;
    std::vector<ClothoidFeature> clothoids;
    std::vector<SymbolPlacementFeature> placements;
    std::vector<ExternalSymbolFeature> externalSymbols;
    std::vector<FillColourFeature> fillColours;
    std::vector<ExternalHatchFeature> externalHatches;
    std::vector<HatchingFeature> hatchings;
    std::vector<TilesFeature> tiles;
    std::vector<LinearDimFeature> linearDims;
    std::vector<ArcDimFeature> arcDims;  // CurveDim and AngularDim
    std::vector<RadiusDimFeature> radiusDims;
    std::vector<DiameterDimFeature> diameterDims;
    std::vector<LabelFeature> labels;  // Label and Balloon
    std::vector<AttributeFeature> attributes;

    // The first sheet, or null when the file has none.
    const Sheet* sheet() const { return sheets.empty() ? nullptr : &sheets.front(); }
};

}  // namespace sxf
