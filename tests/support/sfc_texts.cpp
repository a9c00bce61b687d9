// SFC files as text.
#include "tests/support/sfc_texts.h"

#include "sxf/annotation_features.h"
#include "sxf/definition_features.h"
#include "sxf/geometric_features.h"
#include "sxf/sfc_frame.h"
#include "sxf/structure_features.h"

#include <QBuffer>

namespace testsupport {

QByteArray framedSfc(const QList<QByteArray>& featureLines)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sxf::SfcWriter f(buffer);
    sxf::procSfcHeader(QStringLiteral("/out/plan.sfc"), f, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    f.flush();
    QByteArray out = buffer.data();
    int32_t number = 10;
    for (const QByteArray& line : featureLines) {
        out += "/*SXF\r\n#" + QByteArray::number(number) + " = " + line + "\r\nSXF*/\r\n\r\n";
        number += 10;
    }
    return out + "ENDSEC;\r\nEND-ISO-10303-21;\r\n";
}

QByteArray otherKindsSfc()
{
    return framedSfc({
        "layer_feature(\\'L1\\','1')",
        "pre_defined_colour_feature(\\'red\\')",
        "pre_defined_font_feature(\\'continuous\\')",
        "width_feature('0.130000')",
        "text_font_feature(\\'F\\')",
        "spline_feature('1','2','1','1','1','3','(0.000000,1.000000,2.000000)','(0.000000,1.000000,0.500000)')",
        "composite_curve_org_feature('2','1','1','1')",
        "clothoid_feature('1','2','1','1','10.000000','20.000000','5.000000','1','30.000000000000','0.000000',"
        "'25.000000')",
        "externally_defined_symbol_feature('1','1','2',\\'SYM\\','1.000000','2.000000','45.000000000000',"
        "'2.000000000000')",
        "fill_area_style_hatching_feature('1','2','2','1','1','0.000000','0.000000','5.000000','45.000000000000',"
        "'2','1','1','1.000000','1.000000','3.000000','135.000000000000','1','0','()')",
        "fill_area_style_tiles_feature('1',\\'TILE\\','2','0.000000','0.500000','10.000000','0.000000000000',"
        "'12.000000','90.000000000000','1.000000000000','2.000000000000','15.000000000000','1','0','()')",
        "attribute_feature(\\'P\\',\\'C\\',\\'T\\',\\'D\\',\\'N\\',\\'DT\\',\\'1:100\\','2026','12','10',"
        "\\'Contractor\\',\\'Owner\\')",
        "drawing_sheet_feature(\\'S\\','3','1','420','297')",
    });
}

QByteArray annotationKindsSfc()
{
    using namespace sxf;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SfcWriter f(buffer);
    procSfcHeader(QStringLiteral("/out/plan.sfc"), f, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    procSfcSetLayer(f, u"L", 1);
    procSfcSetColor(f, u"black");
    procSfcSetLtype(f, u"continuous");
    procSfcSetWidth(f, 0.13);
    procSfcSetFont(f, u"ＭＳ ゴシック");
    const SfcAttr a{1, 1, 1, 1};
    procSfcEArc(f, a, 5, 5, 4, 2, 0, 30, 0, 90);
    const SfcExtLine e1{1, 0, 0, 0, -2, 0, -5};
    const SfcExtLine e2{1, 10, 0, 10, -2, 10, -5};
    const SfcArrow r1{1, 1, 0, -5, 1};
    const SfcArrow r2{1, 1, 10, -5, 1};
    SfcTextBlock t;
    t.mf = 1;
    t.fo = 1;
    t.st = QStringLiteral("10寸法");
    t.kx = 4;
    t.ky = -4.5;
    t.sy = 2.5;
    t.sx = 5;
    t.md = 0.5;
    t.kt = 1;
    t.dr = 1;
    procSfcDimLinear(f, a, 0, -5, 10, -5, e1, e2, r1, r2, t);
    procSfcDimCurve(f, a, 0, 0, 10, 0, 90, e1, e2, r1, r2, t);
    procSfcDimAngle(f, a, 0, 0, 10, 0, 90, e1, e2, r1, r2, t);
    procSfcDimRadius(f, a, 0, 0, 7, 7, r1, t);
    procSfcDimDiameter(f, a, -7, -7, 7, 7, r1, r2, t);
    const T2DPoint points[3] = {{0, 0}, {5, 5}, {10, 5}};
    procSfcLeader(f, a, 3, points, 2, 1, t);
    procSfcBalloon(f, a, 3, points, 12, 5, 2, 3, 1, t);
    procSfcArw(f, 1, 1, 20, 20, 1, 0.5, 1, 0.1);
    procSfcPaper(f, u"S", 3, 1, 420, 297);
    procSfcFooter(f);
    f.flush();
    return buffer.data();
}

}  // namespace testsupport
