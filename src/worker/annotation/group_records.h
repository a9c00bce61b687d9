// The result records the group recognisers fill: what a dimension, leader,
// balloon or polyline group is made of. Every id field holds a member index
// (eid) of the group or kNoMember; coordinates are unplaced drawing units of
// the members, angles of TGroupAttrDimCrv are degrees.
#pragma once

#include "worker/jww/jwwtype.h"

#include <cstdint>
#include <vector>

namespace annotation {

inline constexpr int32_t kNoMember = -1;

// A linear dimension.
struct TGroupAttrDimLin {
    int32_t idl = kNoMember; // dimension line: a line or a plain dimension entity
    int32_t ide1 = kNoMember, ide2 = kNoMember; // continuations beyond end 1, end 2
    int32_t idh1 = kNoMember, idh2 = kNoMember; // extension lines through end 1, end 2
    int32_t ida1 = kNoMember, ida2 = kNoMember; // arrow at end 1 (ida2: a second stroke)
    int32_t ida3 = kNoMember, ida4 = kNoMember; // arrow at end 2 (ida4: a second stroke)
    int32_t idm = kNoMember; // the text (or the dimension entity)
    jww::TEntJwwMoji mj;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // ends of the dimension line
    double x3 = 0, y3 = 0; // far end of the continuation at end 1
    double x4 = 0, y4 = 0; // far end of the continuation at end 2
    double h1x1 = 0, h1y1 = 0, h1x2 = 0, h1y2 = 0; // extension line 1 as stored
    double h2x1 = 0, h2y1 = 0, h2x2 = 0, h2y2 = 0; // extension line 2 as stored
    double ar = 0.1, ar2 = 0.1; // arrow scales
    int32_t ar1c = 0, ar1d = 1, ar2c = 0, ar2d = 1; // arrow and orientation codes
};

// A diameter or radius dimension: a linear one without extension lines.
struct TGroupAttrDimDia {
    int32_t idl = kNoMember;
    int32_t ide1 = kNoMember, ide2 = kNoMember;
    int32_t ida1 = kNoMember, ida2 = kNoMember;
    int32_t ida3 = kNoMember, ida4 = kNoMember;
    int32_t idm = kNoMember;
    jww::TEntJwwMoji mj;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double x3 = 0, y3 = 0;
    double x4 = 0, y4 = 0;
    double ar = 0.1, ar2 = 0.1;
    int32_t ar1c = 0, ar1d = 1, ar2c = 0, ar2d = 1;
};

// An arc-length (curve) or angular dimension.
struct TGroupAttrDimCrv {
    int32_t idc = kNoMember; // the dimension arc
    int32_t ide1 = kNoMember, ide2 = kNoMember; // arcs continuing it before its start, after its end
    int32_t idh1 = kNoMember, idh2 = kNoMember; // radial extension lines at sa, at ea
    int32_t ida1 = kNoMember, ida2 = kNoMember;
    int32_t ida3 = kNoMember, ida4 = kNoMember;
    int32_t idm = kNoMember;
    jww::TEntJwwMoji mj;
    double x = 0, y = 0, r = 0; // centre and radius
    double sa = 0, ea = 0; // start and end angle, [0, 360)
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // the arc's points at sa and at ea
    double ae1 = 0, ae2 = 0; // start of the continuation before sa, end of the one after ea
    double h1x1 = 0, h1y1 = 0, h1x2 = 0, h1y2 = 0; // extension line 1: nearer end, then farther end
    double h2x1 = 0, h2y1 = 0, h2x2 = 0, h2y2 = 0;
    double ar = 0.1, ar2 = 0.1;
    int32_t ar1c = 0, ar1d = 1, ar2c = 0, ar2d = 1;
};

// One line of a chain: (x1, y1) joins the previous element (or the arrow
// tip), (x2, y2) is where the chain goes on.
struct TGroupAttrLine {
    int32_t id = kNoMember;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A leader or balloon.
struct TGroupAttrLeader {
    int32_t ida1 = kNoMember, ida2 = kNoMember; // arrow elements: strokes, a point, a round solid, a solid with area
    int32_t ida3 = kNoMember, ida4 = kNoMember; // arrow elements: solids without area
    int32_t idc = kNoMember; // the balloon circle
    int32_t idm = kNoMember; // the text
    jww::TEntJwwMoji mj; // empty when the group has no text
    double ax = 0, ay = 0; // the arrow tip
    double cx = 0, cy = 0, cr = 0; // the balloon circle
    int32_t arc = 0; // arrow code
    int32_t aln = 0; // leader lines in al
    std::vector<TGroupAttrLine> al; // leader lines in chain order from the tip
};

} // namespace annotation
