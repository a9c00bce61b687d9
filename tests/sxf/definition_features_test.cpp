// Definition records: layers, colours, line types, widths and fonts.
#include "sxf/definition_features.h"

#include "tests/sxf/sfc_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace sxf;
using sfctest::expectWrites;
using sfctest::WriterCase;

TEST(DefinitionFeatures, RecordsAsWritten)
{
    const std::vector<double> tenPitches = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const std::vector<double> twoPitches = {1.5, 0.25};
    const WriterCase cases[] = {
        {10, [](SfcWriter& f) { procSfcSetLayer(f, u"A-1", 1); }, "#10 = layer_feature(\\'A-1\\','1')"},
        {10, [](SfcWriter& f) { procSfcSetLayer(f, u"HOJO", 0); }, "#10 = layer_feature(\\'HOJO\\','0')"},
        {20, [](SfcWriter& f) { procSfcSetColorUser(f, 0x000080FFu); },
            "#20 = user_defined_colour_feature('255','128','0')"},
        // Red is the low byte, blue the third; the top byte is not a colour.
        {10, [](SfcWriter& f) { procSfcSetColorUser(f, 0xFF123456u); },
            "#10 = user_defined_colour_feature('86','52','18')"},
        {10, [](SfcWriter& f) { procSfcSetColor(f, u"deeppink"); }, "#10 = pre_defined_colour_feature(\\'deeppink\\')"},
        {30, [](SfcWriter& f) { procSfcSetWidth(f, 0.35); }, "#30 = width_feature('0.350000')"},
        {10, [](SfcWriter& f) { procSfcSetWidth(f, 0.13); }, "#10 = width_feature('0.130000')"},
        {10, [](SfcWriter& f) { procSfcSetLtype(f, u"dashed spaced"); },
            "#10 = pre_defined_font_feature(\\'dashed spaced\\')"},
        {10, [&](SfcWriter& f) { procSfcSetLtypeUser(f, u"u1", 2, twoPitches); },
            "#10 = user_defined_font_feature(\\'u1\\','2','(1.500000,0.250000)')"},
        {10, [&](SfcWriter& f) { procSfcSetLtypeUser(f, u"u8", 8, tenPitches); },
            "#10 = user_defined_font_feature(\\'u8\\','8',"
            "'(1.000000,2.000000,3.000000,4.000000,5.000000,6.000000,7.000000,8.000000)')"},
        // A short pitch array: the count states what the list holds.
        {10, [&](SfcWriter& f) { procSfcSetLtypeUser(f, u"u3", 3, twoPitches); },
            "#10 = user_defined_font_feature(\\'u3\\','2','(1.500000,0.250000)')"},
        {10, [&](SfcWriter& f) { procSfcSetLtypeUser(f, u"neg", -1, twoPitches); },
            "#10 = user_defined_font_feature(\\'neg\\','0','()')"},
        // ＭＳ ゴシック in code page 932.
        {10, [](SfcWriter& f) { procSfcSetFont(f, u"ＭＳ ゴシック"); },
            "#10 = text_font_feature(\\'\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E\\')"},
    };
    expectWrites(cases);
}
