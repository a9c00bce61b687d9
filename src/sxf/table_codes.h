// The numbers that feature records use for the definition table entries:
// given to each entry as it is read, in the order and with the limits the
// SXF library registers them, and looked up when references are resolved.
#pragma once

#include "sxf/drawing.h"
#include "sxf/predefined_tables.h"

#include <QSet>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace sxf {

class TableCodes {
public:
    TableCodes();

    // Each register* call gives the entry just appended to its table in
    // `d` its code (kNone when it defines nothing: a name that is no
    // pre-defined one, a second definition the library refuses, a table
    // that is full, a width that is not a positive length), and remembers
    // which entry the code names.
    void registerLayer(Drawing& d);
    void registerColour(Drawing& d);
    void registerLineType(Drawing& d);
    void registerWidth(Drawing& d);
    void registerFont(Drawing& d);

    // The index of the entry that `code` names in its table, kNone when
    // none does (any code, however large or negative, is safe).
    int32_t layer(int32_t code) const { return lookup(m_layers, code); }
    int32_t colour(int32_t code) const { return lookup(m_colours, code); }
    int32_t lineType(int32_t code) const { return lookup(m_lineTypes, code); }
    int32_t width(int32_t code) const { return lookup(m_widths, code); }
    int32_t font(int32_t code) const { return lookup(m_fonts, code); }

private:
    static constexpr int32_t kColourCodes = kPreDefinedColours + kMaxUserColours;
    static constexpr int32_t kLineTypeCodes = kPreDefinedLineTypes + kMaxUserLineTypes;

    // Entry index by code - 1.
    template <typename Codes>
    static int32_t lookup(const Codes& codes, int32_t code)
    {
        return code >= 1 && static_cast<size_t>(code) <= codes.size() ? codes[static_cast<size_t>(code) - 1] : kNone;
    }

    std::vector<int32_t> m_layers;
    std::array<int32_t, kColourCodes> m_colours{};
    int32_t m_userColours = 0;
    std::array<int32_t, kLineTypeCodes> m_lineTypes{};
    int32_t m_userLineTypes = 0;
    std::array<int32_t, kLastWidthCode> m_widths{};
    int32_t m_nextUserWidth = kFirstUserWidth;
    std::vector<int32_t> m_fonts;
    QSet<QString> m_fontNames;
};

}  // namespace sxf
