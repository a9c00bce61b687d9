// TgraAttribute: pen widths in millimetres by colour number.
#pragma once

#include <array>

namespace jww {

// Colour numbers 1-9 and 101-356 have a width; every other number has none.
class TgraAttribute {
public:
    // Builds the table with the default widths.
    TgraAttribute();

    // Restores the default widths: 0.1 .. 0.5 mm for colours 1-8, 0.01 mm for
    // the auxiliary colour 9 and 0.18 mm for 101-356.
    void SetDefaultWidth();
    // Stores `width` for colour number `color`; ignored for a number without
    // an entry.
    void SetAttrCol(int color, double width);
    // The stored width of `color`; 0 for a number without an entry.
    double GetAttrColwid(int color) const;

private:
    static int entryOf(int color);

    std::array<double, 265> m_width{};
};

}  // namespace jww
