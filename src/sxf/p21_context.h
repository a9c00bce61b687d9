// What the P21 writer keeps while it writes: the instance numbers of the
// tables by code, the members of each layer, the curves and symbols written
// so far, and what each feature adds to its layer and its assembly.
#pragma once

#include "sxf/drawing.h"
#include "sxf/p21_output.h"

#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace sxf::p21 {

// Why a feature is left out of the file.
enum class Refusal : uint8_t {
    None,
    UnknownCode,    // a layer, colour, line type, width or font code names no entry
    OutOfRange,     // a kind, code or count the form has no place for
    NotFinite,      // a NaN or infinite value
    NotInCurve,     // a kind a composite curve cannot hold
    NoAssembly,     // after the last assembly, or in a second sheet
    NoSymbol,       // a placement of a symbol not written before it
    NoBoundary,     // a fill whose curves are not written before it
};

// Instance numbers by table code; 0 for a code that names no written entry.
class CodeMap {
public:
    // Codes from 0 to this are kept; the tables' own limits are far lower.
    static constexpr int32_t kMaxCode = 4096;

    void set(int32_t code, int32_t instance);
    int32_t operator[](int32_t code) const
    {
        return code >= 0 && size_t(code) < m_ids.size() ? m_ids[size_t(code)] : 0;
    }

private:
    std::vector<int32_t> m_ids;
};

// The heights above and below the base line of a text font, as parts of
// the character height.
struct FontMetrics {
    double ascent = 1.0;
    double descent = 0.0;
};

struct TableInstances {
    CodeMap colours, lineTypes, widths, fonts;
    std::vector<FontMetrics> metrics;  // by font code
    int32_t firstFont = kNone;         // the lowest font code written
    // The layers by code, code 0 being the hidden layer of placements,
    // which exists once any layer is defined. Null for unused codes.
    std::vector<const Layer*> layers;
    bool anyLayer = false;
};

// The instances of one feature that go into its layer's member list and
// into its assembly's item list.
struct Placed {
    int32_t layer = kNone;  // the layer code
    std::array<int32_t, 2> members{};
    int memberCount = 0;
    std::array<int32_t, 2> items{};
    int itemCount = 0;

    void member(int32_t n) { members[size_t(memberCount++)] = n; }
    void item(int32_t n) { items[size_t(itemCount++)] = n; }
};

// A composite curve once written: its COMPOSITE_CURVE and a point inside.
struct WrittenCurve {
    int32_t instance = 0;
    double x = 0, y = 0;
};

// A symbol definition once written: its SYMBOL_REPRESENTATION_MAP and its
// name with the prefix of its kind.
struct WrittenSymbol {
    int32_t map = 0;
    QString name;
};

struct Context {
    Context(P21Output& o, const Drawing& d) : out(o), drawing(d) {}

    P21Output& out;
    const Drawing& drawing;
    TableInstances tables;
    std::vector<std::vector<int32_t>> layerMembers;  // by layer code
    std::vector<WrittenCurve> curves;                // by index in Drawing::curves
    QHash<QString, WrittenSymbol> symbols;           // by name as placements give it
    bool inSheet = false;                            // writing the sheet's members

    // The written curve with SFC number `number` (1-based), or null.
    const WrittenCurve* curve(int32_t number) const
    {
        if (number < 1 || size_t(number) > curves.size())
            return nullptr;
        const WrittenCurve& c = curves[size_t(number - 1)];
        return c.instance != 0 ? &c : nullptr;
    }
};

}  // namespace sxf::p21
