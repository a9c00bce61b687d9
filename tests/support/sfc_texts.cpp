// SFC files as text.
#include "tests/support/sfc_texts.h"

#include "sxf/sfc_frame.h"

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

}  // namespace testsupport
