// Structure and fill records: symbols, placements, the sheet and fills.
#include "sxf/structure_features.h"

#include "tests/sxf/sfc_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace sxf;
using sfctest::expectWrites;
using sfctest::WriterCase;

TEST(StructureFeatures, RecordsAsWritten)
{
    const std::vector<int32_t> oneHole = {6};
    const std::vector<int32_t> twoHoles = {2, 3};
    const WriterCase cases[] = {
        {40, [](SfcWriter& f) { procSfcCcurveDef(f, 1, 2, 3, 0); },
            "#40 = composite_curve_org_feature('1','2','3','0')"},
        {50, [](SfcWriter& f) { procSfcBlockDef(f, u"DOOR", 4); }, "#50 = sfig_org_feature(\\'DOOR\\','4')"},
        {60, [](SfcWriter& f) { procSfcBlock(f, 3, u"DOOR", 100, 50, 0, 1, 1); },
            "#60 = sfig_locate_feature('3',\\'DOOR\\','100.000000','50.000000','0.00000000000000',"
            "'1.00000000000000','1.00000000000000')"},
        {10, [](SfcWriter& f) { procSfcBlock(f, 0, u"P", -1.5, 2, 45, 0.01, 1.0 / 3); },
            "#10 = sfig_locate_feature('0',\\'P\\','-1.500000','2.000000','45.00000000000000',"
            "'0.01000000000000','0.33333333333333')"},
        {70, [&](SfcWriter& f) { procSfcHatchColor(f, 1, 2, 5, oneHole); },
            "#70 = fill_area_style_colour_feature('1','2','5','1','(6)')"},
        {10, [](SfcWriter& f) { procSfcHatchColor(f, 1, 2, 5, {}); },
            "#10 = fill_area_style_colour_feature('1','2','5','0','()')"},
        {10, [&](SfcWriter& f) { procSfcHatchExt(f, 4, u"hatch 1", 1, twoHoles); },
            "#10 = externally_defined_hatch_feature('4',\\'hatch 1\\','1','2','(2,3)')"},
        {10, [](SfcWriter& f) { procSfcHatchExt(f, 4, u"H", 7, {}); },
            "#10 = externally_defined_hatch_feature('4',\\'H\\','7','0','()')"},
        {10, [](SfcWriter& f) { procSfcPaper(f, u"A1", 1, 1, 841, 594); },
            "#10 = drawing_sheet_feature(\\'A1\\','1','1','841','594')"},
    };
    expectWrites(cases);
}
