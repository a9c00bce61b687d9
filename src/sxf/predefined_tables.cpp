// The pre-defined colours, line types and widths of SXF.
#include "sxf/predefined_tables.h"

#include "common/colors.h"

#include <cmath>
#include <iterator>

namespace sxf {
namespace {

constexpr Rgb kColourRgb[kPreDefinedColours] = {
    {0, 0, 0},       {255, 0, 0},     {0, 255, 0},     {0, 0, 255},     {255, 252, 0},   {255, 0, 255},
    {0, 255, 255},   {255, 255, 255}, {192, 0, 128},   {192, 128, 64},  {255, 128, 0},   {128, 192, 128},
    {0, 128, 255},   {128, 64, 255},  {192, 192, 192}, {128, 128, 128},
};

constexpr QStringView kLineTypeNames[kPreDefinedLineTypes] = {
    u"continuous",
    u"dashed",
    u"dashed spaced",
    u"long dashed dotted",
    u"long dashed double-dotted",
    u"long dashed triplicate-dotted",
    u"dotted",
    u"chain",
    u"chain double dash",
    u"dashed dotted",
    u"double-dashed dotted",
    u"dashed double-dotted",
    u"double-dashed double-dotted",
    u"dashed triplicate-dotted",
    u"double-dashed triplicate-dotted",
    u"",
};

constexpr double kWidths[kPreDefinedWidths] = {0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 1.4, 2.0};

// The tolerance within which a width is taken for a pre-defined one.
constexpr double kWidthTolerance = 1e-6;

}  // namespace

int32_t preDefinedColourCode(QStringView name)
{
    const QStringList& names = common::PreDefinedColourNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return static_cast<int32_t>(i + 1);
    }
    return 0;
}

Rgb preDefinedColourRgb(int32_t code)
{
    return code >= 1 && code <= kPreDefinedColours ? kColourRgb[code - 1] : Rgb{};
}

int32_t preDefinedLineTypeCode(QStringView name)
{
    for (int32_t i = 0; i < kPreDefinedLineTypes; ++i) {
        if (kLineTypeNames[i] == name)
            return i + 1;
    }
    return 0;
}

QStringView preDefinedLineTypeName(int32_t code)
{
    return code >= 1 && code <= kPreDefinedLineTypes ? kLineTypeNames[code - 1] : QStringView();
}

int32_t preDefinedWidthCode(double width)
{
    for (int32_t i = 0; i < kPreDefinedWidths; ++i) {
        if (std::abs(width - kWidths[i]) < kWidthTolerance)
            return i + 1;
    }
    return 0;
}

double preDefinedWidth(int32_t code)
{
    return code >= 1 && code <= kPreDefinedWidths ? kWidths[code - 1] : 0.0;
}

bool isTableLength(double value)
{
    // The bounds the SXF library checks lengths against: values at or below
    // 4e-15, between that and 5e-15, or from 1e15 on count as unset.
    constexpr double kMin = 4.0e-15;
    constexpr double kLimit = 5.0e-15;
    constexpr double kMax = 999999999999999.5;
    return value > kMin && value < kMax && !(value < kLimit);
}

}  // namespace sxf
