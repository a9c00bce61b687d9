// Table codes as the SXF library gives them: layers and fonts by position,
// pre-defined colours, line types and widths by name or value, user entries
// counted on from the first user code.
#include "sxf/table_codes.h"

#include <algorithm>

namespace sxf {
namespace {

// The code of `entry`, which becomes entry `index` of its table.
template <typename Codes>
void name(Codes& codes, int32_t code, int32_t index)
{
    codes[static_cast<size_t>(code) - 1] = index;
}

template <typename Table>
int32_t lastIndex(const Table& table)
{
    return static_cast<int32_t>(table.size()) - 1;
}

}  // namespace

TableCodes::TableCodes()
{
    m_colours.fill(kNone);
    m_lineTypes.fill(kNone);
    m_widths.fill(kNone);
}

void TableCodes::registerLayer(Drawing& d)
{
    Layer& layer = d.layers.back();
    // The library's own layer for symbols placed on no layer is not one the
    // drawing numbers.
    if (layer.name == u"$$SXF_dummy_layer_for_subfigure" || m_layers.size() >= static_cast<size_t>(kMaxLayers))
        return;
    m_layers.push_back(lastIndex(d.layers));
    layer.code = static_cast<int32_t>(m_layers.size());
}

void TableCodes::registerColour(Drawing& d)
{
    Colour& colour = d.colours.back();
    int32_t code = kNone;
    if (colour.predefined) {
        const int32_t k = preDefinedColourCode(colour.name);
        if (k > 0 && m_colours[static_cast<size_t>(k) - 1] == kNone)
            code = k;
    } else if (m_userColours < kMaxUserColours) {
        code = kPreDefinedColours + 1 + m_userColours++;
    }
    if (code == kNone)
        return;
    name(m_colours, code, lastIndex(d.colours));
    colour.code = code;
}

void TableCodes::registerLineType(Drawing& d)
{
    LineType& type = d.lineTypes.back();
    int32_t code = kNone;
    if (type.predefined) {
        const int32_t k = preDefinedLineTypeCode(type.name);
        if (k > 0 && m_lineTypes[static_cast<size_t>(k) - 1] == kNone)
            code = k;
    } else if (m_userLineTypes < kMaxUserLineTypes) {
        code = kPreDefinedLineTypes + 1 + m_userLineTypes++;
    }
    if (code == kNone)
        return;
    name(m_lineTypes, code, lastIndex(d.lineTypes));
    type.code = code;
}

void TableCodes::registerWidth(Drawing& d)
{
    Width& width = d.widths.back();
    if (width.width <= 0 || !isTableLength(width.width))
        return;
    int32_t code = preDefinedWidthCode(width.width);
    if (code > 0) {
        if (m_widths[static_cast<size_t>(code) - 1] != kNone)
            return;
    } else {
        // A width other than the pre-defined ones is refused when the same
        // value was registered before, or when the user codes are used up.
        for (int32_t c = kFirstUserWidth; c < m_nextUserWidth; ++c) {
            if (d.widths[static_cast<size_t>(m_widths[static_cast<size_t>(c) - 1])].width == width.width)
                return;
        }
        if (m_nextUserWidth > kLastWidthCode)
            return;
        code = m_nextUserWidth++;
    }
    name(m_widths, code, lastIndex(d.widths));
    width.code = code;
}

void TableCodes::registerFont(Drawing& d)
{
    Font& font = d.fonts.back();
    if (m_fonts.size() >= static_cast<size_t>(kMaxFonts) || m_fontNames.contains(font.name))
        return;
    m_fontNames.insert(font.name);
    m_fonts.push_back(lastIndex(d.fonts));
    font.code = static_cast<int32_t>(m_fonts.size());
}

}  // namespace sxf
