// Drawings whose top-level entities all belong to curve-attribute group 1,
// for the recogniser tests.
#pragma once

#include "common/geometry.h"
#include "tests/support/jww_builder.h"
#include "worker/annotation/group_recognizer.h"
#include "worker/convert/group_table.h"

#include <QString>

namespace grouptest {

using namespace jww;

inline TEntJwwAttr member(int style = 1, uint16_t sFlg = 0)
{
    TEntJwwAttr a;
    a.lGroup = 1;
    a.nPenColor = 2;
    a.nPenStyle = static_cast<uint8_t>(style);
    a.sFlg = sFlg;
    return a;
}

inline TEntJwwLine line(double x1, double y1, double x2, double y2)
{
    return {member(), x1, y1, x2, y2};
}

inline TEntJwwMoji text(const QString& s, uint16_t sFlg = 0)
{
    TEntJwwMoji m;
    m.att = member(1, sFlg);
    m.end_x = 10;
    m.dSizeX = m.dSizeY = 2.5;
    m.str = s;
    return m;
}

inline TEntJwwTen point(double x, double y, int style = 1, int32_t code = 0, double scale = 0, uint32_t temporary = 0)
{
    TEntJwwTen t;
    t.att = member(style);
    t.start_x = x;
    t.start_y = y;
    t.bKariten = temporary;
    t.nCode = code;
    t.dBairitsu = scale;
    return t;
}

// A solid without area: a thick stroke from (x1, y1) to (x2, y2).
inline TEntJwwSolid stroke(double x1, double y1, double x2, double y2)
{
    return {member(), x1, y1, x2, y2, x1, y1, x2, y2, 0};
}

// Arc of radius r about (cx, cy) from `startDeg` over `sweepDeg`.
inline TEntJwwEnko arc(double cx, double cy, double r, double startDeg, double sweepDeg, uint32_t full = 0)
{
    return {member(), cx, cy, r, startDeg * common::kPi / 180, sweepDeg * common::kPi / 180, 0, 1, full};
}

// Every top-level entity of `d` announced, in order, as a member of group 1.
inline convert::TSFC_GroupAttr groupOfAll(const TJwwData& d, int32_t groupNo = 1)
{
    convert::TSFC_GroupAttr g;
    for (size_t i = 0; i < d.EntNo.size(); ++i)
        g.AddAttrNumber(groupNo, -1, 0, static_cast<int32_t>(i));
    return g;
}

// A drawing is neither copied nor moved: tests fill one in place.
inline void emptyDrawing(TJwwData& d)
{
    testsupport::initEmptyDrawing(d, 700);
}

} // namespace grouptest
