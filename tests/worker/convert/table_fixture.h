// Small drawings for the attribute-table tests.
#pragma once

#include "tests/support/jww_builder.h"
#include "worker/convert/attribute_tables.h"

namespace testsupport {

// An attribute block on layer `layer` of group `group`.
inline jww::TEntJwwAttr attrOn(int group, int layer, int color = 1, int style = 1, uint32_t lGroup = 0)
{
    jww::TEntJwwAttr a;
    a.nGLayer = static_cast<uint16_t>(group);
    a.nLayer = static_cast<uint16_t>(layer);
    a.nPenColor = static_cast<uint16_t>(color);
    a.nPenStyle = static_cast<uint8_t>(style);
    a.lGroup = lGroup;
    return a;
}

inline jww::TEntJwwLine lineOn(const jww::TEntJwwAttr& a, double x1 = 0, double y1 = 0, double x2 = 10,
                               double y2 = 0)
{
    jww::TEntJwwLine e;
    e.att = a;
    e.start_x = x1;
    e.start_y = y1;
    e.end_x = x2;
    e.end_y = y2;
    return e;
}

// A text from (0, 0) to (10, 0) in font `font`.
inline jww::TEntJwwMoji textOn(const jww::TEntJwwAttr& a, const QString& str, const QString& font = QString())
{
    jww::TEntJwwMoji e;
    e.att = a;
    e.end_x = 10;
    e.strFontName = font;
    e.str = str;
    return e;
}

inline jww::TEntJwwSolid solidOf(const jww::TEntJwwAttr& a, uint32_t color = 0)
{
    jww::TEntJwwSolid e;
    e.att = a;
    e.end_x = 10;
    e.DPoint2_x = 10;
    e.DPoint2_y = 10;
    e.DPoint3_y = 10;
    e.Color = color;
    return e;
}

// The tables of drawing `d` built with default pen widths.
struct BuiltTables {
    jww::TgraAttribute graAtt;
    convert::TSFC_GroupAttr groups;
    convert::AttributeTables tables;

    explicit BuiltTables(const jww::TJwwData& d, int cb2 = 0, int cb3 = 0, int cb4 = 0)
    {
        tables.cb2 = cb2;
        tables.cb3 = cb3;
        tables.cb4 = cb4;
        tables.proc3(d, graAtt, groups);
    }
};

}  // namespace testsupport
