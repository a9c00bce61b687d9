// Rendering hand-made drawings into small images and looking at their
// pixels.
#pragma once

#include "render/scene.h"
#include "sxf/drawing.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <functional>

namespace rendertest {

// The drawing's sheet (0,0)-(width,height) mm rendered at `pxPerMm`, the
// sheet's top-left corner at the image's, without antialiasing, with the
// visibility the drawing starts with unless `visible` is given.
QImage picture(const sxf::Drawing& drawing, double width, double height, double pxPerMm = 1.0,
               const render::LayerVisibility* visible = nullptr);

// The same for a scene already built.
QImage picture(const render::Scene& scene, double width, double height, double pxPerMm,
               const render::LayerVisibility& visible);

// The pixels of `image` for which `match` holds: their number and the
// smallest rectangle holding them (null when none).
struct Found {
    int count = 0;
    QRect box;
};
Found find(const QImage& image, const std::function<bool(QColor)>& match);

// Exactly this colour; any colour that is neither white nor the sheet
// frame's grey ("ink").
std::function<bool(QColor)> exactly(QColor colour);
bool isInk(QColor c);

}  // namespace rendertest
