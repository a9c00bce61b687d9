// The look of colours, line types, widths and fonts.
#include "render/feature_style.h"

#include <QFont>

#include <algorithm>
#include <array>
#include <cmath>

namespace render {

namespace {

// White features are drawn in this grey; the page stays white.
const QColor kWhiteOnPage(64, 64, 64);

// Dash lengths in millimetres for the fifteen pre-defined line types, in
// their code order: dashes, long dashes with dots, dots, chains. Code 1
// (continuous) has none.
const std::array<std::vector<double>, 15> kPredefined = {{
    {},                                              // continuous
    {3, 1},                                          // dashed
    {3, 3},                                          // dashed spaced
    {10, 1.5, 0.5, 1.5},                             // long dashed dotted
    {10, 1.5, 0.5, 1.5, 0.5, 1.5},                   // long dashed double-dotted
    {10, 1.5, 0.5, 1.5, 0.5, 1.5, 0.5, 1.5},         // long dashed triplicate-dotted
    {0.5, 1},                                        // dotted
    {6, 1, 1, 1},                                    // chain
    {6, 1, 1, 1, 1, 1},                              // chain double dash
    {3, 1, 0.5, 1},                                  // dashed dotted
    {3, 1, 3, 1, 0.5, 1},                            // double-dashed dotted
    {3, 1, 0.5, 1, 0.5, 1},                          // dashed double-dotted
    {3, 1, 3, 1, 0.5, 1, 0.5, 1},                    // double-dashed double-dotted
    {3, 1, 0.5, 1, 0.5, 1, 0.5, 1},                  // dashed triplicate-dotted
    {3, 1, 3, 1, 0.5, 1, 0.5, 1, 0.5, 1},            // double-dashed triplicate-dotted
}};

const QString kGothic = QStringLiteral("IPAGothic");
const QString kMincho = QStringLiteral("IPAMincho");

}  // namespace

QColor colourOf(const sxf::Drawing& drawing, int32_t colour)
{
    if (colour < 0 || size_t(colour) >= drawing.colours.size())
        return kMissingColour;
    const sxf::Colour& c = drawing.colours[size_t(colour)];
    const QColor rgb(std::clamp(c.r, 0, 255), std::clamp(c.g, 0, 255), std::clamp(c.b, 0, 255));
    return rgb == QColor(Qt::white) ? kWhiteOnPage : rgb;
}

const std::vector<double>& predefinedDashes(int32_t code)
{
    static const std::vector<double> kContinuous;
    if (code < 1 || code > int32_t(kPredefined.size()))
        return kContinuous;
    return kPredefined[size_t(code - 1)];
}

std::vector<double> dashPattern(const sxf::LineType& type)
{
    if (type.predefined)
        return predefinedDashes(type.code);
    const size_t n = std::min(type.pitches.size(), size_t(std::max(type.segments, 0)));
    std::vector<double> pattern(type.pitches.begin(), type.pitches.begin() + std::ptrdiff_t(n));
    bool anyDash = false;
    for (double p : pattern) {
        if (!std::isfinite(p) || p < 0)
            return {};
        anyDash = anyDash || p > 0;
    }
    // An odd count repeats once more so that dashes and gaps keep alternating.
    if (pattern.size() % 2 == 1)
        pattern.insert(pattern.end(), pattern.begin(), pattern.end());
    return anyDash ? pattern : std::vector<double>{};
}

double widthOf(const sxf::Drawing& drawing, int32_t width)
{
    if (width < 0 || size_t(width) >= drawing.widths.size())
        return 0;
    const double w = drawing.widths[size_t(width)].width;
    return std::isfinite(w) && w > 0 ? w : 0;
}

QString fontFamilyFor(const QString& fontName)
{
    // The names Japanese drawings use for the mincho faces, full-width or not.
    static const QString kMinchoWords[] = {QStringLiteral("明朝"), QStringLiteral("mincho")};
    for (const QString& word : kMinchoWords) {
        if (fontName.contains(word, Qt::CaseInsensitive))
            return kMincho;
    }
    return kGothic;
}

}  // namespace render
