// How a JWW text entity is set: direction, slant, base point, spacing, angle
// and the size of its box. Texts and the texts of dimensions read these the
// same way, so the rules live here, below both converters.
#pragma once

#include "worker/jww/jwwtype.h"

#include <QStringView>

#include <cstdint>

namespace convert {

struct MojiForm {
    bool vertical = false;  // attribute bit 0x20
    int32_t basePoint = 1;  // 1..9; any other stored code counts as 1
    double spacing = 0;     // unplaced; a negative (or unreadable) spacing counts as 0
    double angleDeg = 0;    // direction from the start to the end of the baseline, [0, 360)
    double slant = 0;       // 15 degrees for text kinds 1 and 3, else 0

    int32_t direction() const { return vertical ? 2 : 1; }
};

// The form of text entity `e`. Never fails; a degenerate baseline gives 0
// degrees.
MojiForm mojiFormOf(const jww::TEntJwwMoji& e);

struct MojiBoxSize {
    double w = 0, h = 0;
};

// The box that text `t` of entity `e` fills at scale `s`, measured as Jw_cad
// measures it before any code is expanded: a row along the baseline (half
// spacing after half-width characters), or for vertical text a column of
// whole characters. The spacing is `form.spacing`.
MojiBoxSize mojiBoxSize(const jww::TEntJwwMoji& e, QStringView t, double s, const MojiForm& form);

// The row box of `t`, whatever the direction of `e`: where a vertical
// column hangs from.
MojiBoxSize mojiRowSize(const jww::TEntJwwMoji& e, QStringView t, double s, const MojiForm& form);

}  // namespace convert
