// Colour packing. A colour is a 32-bit value with alpha in the top byte, then
// red, green and blue; a colour stored in a drawing has red in its low byte,
// then green, then blue.
#pragma once

#include <QStringList>

#include <cstdint>

namespace common {

struct ColorParts {
    uint8_t alpha = 0, red = 0, green = 0, blue = 0;
};

// The names of the 16 pre-defined SFC colours, colour 1 ("black") first;
// the auxiliary-colour setting picks one of them by its index.
const QStringList& PreDefinedColourNames();

// 0xFF000000 + red * 65536 + green * 256 + blue. The components are not
// masked: one above 255 spills into the next byte (modulo 2^32).
uint32_t MakeColor(int red, int green, int blue);
// The four bytes of `color`, top byte first.
ColorParts SplitColor(uint32_t color);
// The opaque colour of a stored drawing colour; its top byte is ignored.
uint32_t ColorRefToColor(uint32_t stored);

}  // namespace common
