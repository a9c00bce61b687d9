// How a solid is drawn: a four-corner area, a line, or a circular or elliptic
// area given by centre, radii and angles. The fill writer and the boundary
// writer read solids through this one description, so that both agree on how
// many composite curves each solid uses.
#pragma once

#include "worker/convert/conversion_context.h"
#include "worker/jww/jwwtype.h"

namespace convert {

struct SolidShape {
    enum class Kind {
        Line,       // a four-corner solid without area: drawn as a line
        Quad,       // a triangle or quadrilateral
        Disc,       // style 101: filled circle, ellipse, sector or segment
        Ring,       // styles 105 and 106
        Outline,    // style 111: the outline only
        Nothing,    // any other style from 101 on
    };

    Kind kind = Kind::Nothing;
    int style = 0;
    // Circular and elliptic solids, placed: centre, radius, flatness.
    double cx = 0, cy = 0, radius = 0, flatness = 1;
    // Angles in radians as stored, the sweep's sign reversed when negative,
    // and the same in normalised degrees.
    double startRad = 0, sweepRad = 0, tiltRad = 0;
    double startDeg = 0, sweepDeg = 0, endDeg = 0, tiltDeg = 0;
    double code = 0;  // style 101: shape code; rings: the stored inner radius
    bool full = false;  // the sweep covers the whole ellipse

    // What the boundary of a disc or ring is made of, placed. Outer ellipse:
    // the second radius and, unless full, the points at the start and end
    // angles. A partial disc closes with the chord (shape code 5) or through
    // `middle`: the centre for a sector, else where the tangents at both
    // ends meet. Rings: the inner ellipse's radius, flatness and end points.
    double minor = 0;
    sxf::T2DPoint startPt, endPt, middle;
    bool chord = false;
    double inner = 0, innerFlatness = 1;
    sxf::T2DPoint innerStart, innerEnd;

    // True when the solid was left out (kind Nothing) because one of the
    // numbers its records are made from is not finite: its boundary is
    // written whole or not at all, and its fill only with its boundary.
    bool nonFinite = false;

    // Composite curves the boundary of this solid uses: 0, 1 or 2.
    int curveCount() const;
};

// True when corners 3 and 4 each equal corner 1 or 2 (within 1e-12).
bool solidIsLine(const jww::TEntJwwSolid& e);

// The shape of solid `e` under placement `p`.
SolidShape solidShapeOf(const jww::TEntJwwSolid& e, const Placement& p);

}  // namespace convert
