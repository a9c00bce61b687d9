// Colour packing.
#include "common/colors.h"

namespace common {

const QStringList& PreDefinedColourNames()
{
    static const QStringList names = {
        "black", "red", "green", "blue", "yellow", "magenta", "cyan", "white",
        "deeppink", "brown", "orange", "lightgreen", "lightblue", "lavender", "lightgray", "darkgray",
    };
    return names;
}

uint32_t MakeColor(int red, int green, int blue)
{
    // Unsigned arithmetic: an out-of-range component wraps instead of
    // overflowing a signed value.
    return 0xFF000000u + uint32_t(red) * 65536u + uint32_t(green) * 256u + uint32_t(blue);
}

ColorParts SplitColor(uint32_t color)
{
    return {uint8_t(color >> 24), uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color)};
}

uint32_t ColorRefToColor(uint32_t stored)
{
    return MakeColor(int(stored % 256), int(stored / 256 % 256), int(stored / 65536 % 256));
}

}  // namespace common
