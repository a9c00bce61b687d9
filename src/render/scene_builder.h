// Building the scene of a drawing.
#pragma once

#include "render/scene.h"
#include "sxf/drawing.h"

namespace render {

// The scene of `drawing`: the features of its sheet (and those after its
// last assembly record, which belong to none), visible composite curves,
// and each symbol placement drawn through its position, angle and scales,
// nested placements included. Anything that refers to a definition the
// drawing lacks is drawn in magenta and counted; a placement of a symbol
// inside itself draws a magenta cross instead of the symbol again. Both are
// noted. The hatch named "Area_control", which only carries the
// background colour beside the sheet, is not drawn. Never fails: values that cannot be drawn (not finite, no size) are
// left out; placements stop being expanded once the scene holds many
// millions of points, which only a file built to explode does. Texts need a
// QGuiApplication for their fonts.
Scene buildScene(const sxf::Drawing& drawing);

}  // namespace render
