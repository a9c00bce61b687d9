// Geometric and text records: argument order, decimals, and point lists.
#include "sxf/geometric_features.h"

#include "tests/sxf/sfc_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace sxf;
using sfctest::expectWrites;
using sfctest::WriterCase;

TEST(GeometricFeatures, RecordsAsWritten)
{
    const SfcAttr a {1, 2, 3, 4};
    const std::vector<T2DPoint> three = {{1, 2}, {3.5, -4}, {5, 6}};
    const WriterCase cases[] = {
        {120,
            [](SfcWriter& f) {
                procSfcLine(f, SfcAttr {1, 1, 1, 2}, 10, 20, 110, 20);
            },
            "#120 = line_feature('1','1','1','2','10.000000','20.000000','110.000000','20.000000')"},
        {10, [](SfcWriter& f) { procSfcTen(f, 5, 6, 1.5, -2.25, 3, 45, 0.5); },
            "#10 = point_marker_feature('5','6','1.500000','-2.250000','3','45.000000000000','0.500000000000')"},
        {10, [&](SfcWriter& f) { procSfcPolyLine(f, a, 2, three); },
            "#10 = polyline_feature('1','2','3','4','2','(1.000000,3.500000)','(2.000000,-4.000000)')"},
        {10, [&](SfcWriter& f) { procSfcPolyLine(f, a, 0, three); },
            "#10 = polyline_feature('1','2','3','4','0','()','()')"},
        // More points asked for than passed: the count follows the lists.
        {10, [&](SfcWriter& f) { procSfcPolyLine(f, a, 5, three); },
            "#10 = "
            "polyline_feature('1','2','3','4','3','(1.000000,3.500000,5.000000)','(2.000000,-4.000000,6.000000)')"},
        {10, [&](SfcWriter& f) { procSfcPolyLine(f, a, -2, three); },
            "#10 = polyline_feature('1','2','3','4','0','()','()')"},
        {10, [&](SfcWriter& f) { procSfcCircle(f, a, -1, 2, 0.0000005); },
            "#10 = circle_feature('1','2','3','4','-1.000000','2.000000','0.000000')"},
        // Angles and direction go out as passed, never normalised.
        {10, [&](SfcWriter& f) { procSfcArc(f, a, 0, 0, 5, 1, 350, 10); },
            "#10 = arc_feature('1','2','3','4','0.000000','0.000000','5.000000','1',"
            "'350.000000000000','10.000000000000')"},
        {10, [&](SfcWriter& f) { procSfcElli(f, a, 1, 2, 3, 4, -30.5); },
            "#10 = ellipse_feature('1','2','3','4','1.000000','2.000000','3.000000','4.000000','-30.500000000000')"},
        {10, [&](SfcWriter& f) { procSfcEArc(f, a, 1, 2, 3, 4, 0, 15, 90, 400); },
            "#10 = ellipse_arc_feature('1','2','3','4','1.000000','2.000000','3.000000','4.000000','0',"
            "'15.000000000000','90.000000000000','400.000000000000')"},
        // The text keeps its apostrophe and is written in code page 932,
        // without the header's hexadecimal form.
        {10, [](SfcWriter& f) { procSfcText(f, {1, 2, 3, QStringLiteral("図's"), 10, 20, 2.5, 7.5, 0.25, 90, 15, 7, 2}); },
            "#10 = text_string_feature('1','2','3',\\'\x90\x7D's\\','10.000000','20.000000','2.500000','7.500000',"
            "'0.250000','90.000000000000','15.000000000000','7','2')"},
    };
    expectWrites(cases);
}
