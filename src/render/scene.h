// A drawing made ready to paint: every feature that shows on the sheet,
// symbol placements expanded and curves sampled, as shapes and texts in the
// sheet's millimetres (y up), each tagged with its layer and the feature it
// comes from. Built once per drawing (scene_builder.h); painting any view of
// it (scene_painter.h) only culls and strokes.
#pragma once

#include "sxf/drawing.h"

#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <vector>

namespace render {

constexpr int32_t kNone = sxf::kNone;

// Where an item comes from. `feature` is the index in Drawing::features of
// the feature that made it (a symbol member for the contents of a
// placement); `placement` the index of the placement on the sheet that drew
// it, or kNone. `layer` is the item's own layer (an index in
// Drawing::layers), `placementLayer` that of the placement; kNone for none.
struct ItemTag {
    int32_t feature = kNone;
    int32_t placement = kNone;
    int32_t layer = kNone;
    int32_t placementLayer = kNone;
};

// A run of Scene::points: one open or closed line, or one ring of an area.
struct Ring {
    int32_t first = 0;
    int32_t count = 0;
};

// How a line is stroked: its colour, its width in millimetres (0 for the
// thinnest line) and its dash pattern (an index in Scene::dashes, 0 for a
// continuous line).
struct StrokeStyle {
    QRgb colour = 0;
    float widthMm = 0;
    int32_t dashes = 0;
    friend bool operator==(const StrokeStyle&, const StrokeStyle&) = default;
};

enum class Fill : uint8_t {
    None,
    Solid,     // filled with `fillColour`, rings even-odd
    Hatched,   // a light hatch inside the rings, even-odd
};

struct Shape {
    ItemTag tag;
    QRectF bounds;             // of its points, in millimetres
    int32_t firstRing = 0;     // into Scene::rings
    int32_t ringCount = 0;
    int32_t stroke = kNone;    // into Scene::strokes; kNone: not stroked
    Fill fill = Fill::None;
    bool closed = false;       // the rings are closed outlines
    // An area drawn among the lines rather than under them: a filled or
    // blanked terminator.
    bool withLines = false;
    QRgb fillColour = 0;
};

// A text laid out in its box: glyphs of one font at their positions in the
// box's own millimetres (x along the text from the lower-left corner of the
// box, y across it, on the glyph's baseline), and the map from there onto
// the sheet.
struct TextItem {
    ItemTag tag;
    QRectF bounds;           // of the box on the sheet
    QString text;
    QTransform toSheet;      // box millimetres -> sheet millimetres
    double em = 0;           // the font's size in box millimetres
    double stretch = 1;      // how much wider than the font draws them
    int32_t font = 0;        // into Scene::fontFamilies
    QRgb colour = 0;
    std::vector<quint32> glyphs;
    std::vector<QPointF> positions;
};

// Something the scene could not draw as the file says: a reference to a
// missing definition (drawn in magenta), a placement of a symbol inside
// itself (drawn once). `feature` is the index in Drawing::features.
struct SceneNote {
    int32_t feature = kNone;
    int32_t number = 0;  // the feature number in the file
    QString message;     // Japanese, for the user
};

struct Scene {
    std::vector<QPointF> points;
    std::vector<Ring> rings;
    std::vector<Shape> shapes;
    std::vector<TextItem> texts;
    std::vector<StrokeStyle> strokes;
    std::vector<std::vector<double>> dashes{{}};  // dashes[0]: continuous
    std::vector<QString> fontFamilies;

    QRectF sheet;    // the drawing sheet, empty when the file has none
    QRectF extents;  // of everything drawn
    int32_t layerCount = 0;
    std::vector<SceneNote> notes;
    // How many features refer to a definition the file lacks.
    int32_t missingDefinitions = 0;

    // The area a view of the whole drawing shows: the sheet and anything
    // drawn beside it; a 100 mm square at the origin for an empty drawing.
    QRectF area() const;
};

// Which layers show: one flag per entry of Drawing::layers.
using LayerVisibility = std::vector<bool>;

// The visibility a drawing starts with: the layers its file marks shown.
LayerVisibility initialVisibility(const sxf::Drawing& drawing);

// Whether an item with `tag` shows under `visible`: both its own layer and
// its placement's layer are shown (an item without one counts as shown).
bool isShown(const ItemTag& tag, const LayerVisibility& visible);

}  // namespace render
