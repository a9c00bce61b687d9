// Building the scene of a drawing.
#pragma once

#include "render/scene.h"
#include "sxf/drawing.h"

#include <cstddef>

namespace render {

// The scene of `drawing`: the features of its sheet (and those after its
// last assembly record, which belong to none), visible composite curves,
// and each symbol placement drawn through its position, angle and scales,
// nested placements included. Anything that refers to a definition the
// drawing lacks is drawn in magenta and counted; a placement of a symbol
// inside itself draws a magenta cross instead of the symbol again. Both are
// noted. The hatch named "Area_control", which only carries the
// background colour beside the sheet, is not drawn. Never fails: values that cannot be drawn (not finite, no size) are
// left out; placements stop being expanded (and a note says so) once the
// scene holds `maxItems` shapes and texts, or eight times as many points,
// which only a file built to explode asks for. Texts need a QGuiApplication
// for their fonts.
constexpr size_t kDefaultMaxItems = 4'000'000;
Scene buildScene(const sxf::Drawing& drawing, size_t maxItems = kDefaultMaxItems);

}  // namespace render
