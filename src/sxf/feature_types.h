// Value groups that several feature writers share.
#pragma once

#include <QString>

#include <cstdint>

namespace sxf {

// A point of a polyline, label or balloon.
struct T2DPoint {
    double x = 0;
    double y = 0;
};

// Attribute block A: the SFC numbers a drawn feature refers to.
struct SfcAttr {
    int32_t layer = 0;
    int32_t colour = 0;
    int32_t lineType = 0;
    int32_t width = 0;
};

// Extension-line block E of a dimension.
struct SfcExtLine {
    int32_t flag = 0;  // 1 when the extension line is present
    double baseX = 0, baseY = 0;
    double startX = 0, startY = 0;
    double endX = 0, endY = 0;
};

// Arrow block R of a dimension.
struct SfcArrow {
    int32_t code = 0;
    int32_t orientation = 0;
    double x = 0, y = 0;
    double scale = 0;
};

// The values of one text_string_feature, in the order written.
struct SfcText {
    int32_t layer = 0;
    int32_t colour = 0;
    int32_t font = 1;
    QString text;     // written as passed
    double x = 0, y = 0;  // base point
    double height = 0;
    double width = 0;
    double spacing = 0;
    double angleDeg = 0;
    double slantDeg = 0;
    int32_t basePoint = 1;  // base point position 1..9
    int32_t direction = 1;  // 1 horizontal, 2 vertical
};

// Text block T of dimensions, labels and balloons, in the order written:
// mf, fo, st, kx, ky, sy, sx, md, ma, ms, kt, dr.
struct SfcTextBlock {
    int32_t mf = 0;   // 1 when the annotation has a text
    int32_t fo = 0;   // font number
    QString st;       // the text, written as passed
    double kx = 0, ky = 0;  // base point
    double sy = 0;    // box height
    double sx = 0;    // box width
    double md = 0;    // spacing
    double ma = 0;    // angle, degrees
    double ms = 0;    // slant, degrees
    int32_t kt = 1;   // base point position 1..9
    int32_t dr = 1;   // writing direction
};

}  // namespace sxf
