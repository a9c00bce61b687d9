// Point markers, external symbols, placements and symbol definitions.
#include "sxf/p21_symbols.h"

#include "sxf/p21_blocks.h"

#include <array>

namespace sxf::p21 {
namespace {

constexpr std::array<std::string_view, 7> kMarkerNames = {
    "'asterisk'", "'circle'", "'dot'", "'plus'", "'square'", "'triangle'", "'x'"};

// The prefixes of symbol definition names by flag 1 to 4.
constexpr std::array<const char16_t*, 4> kSymbolPrefixes = {u"$$SXF_FM_", u"$$SXF_FG_", u"$$SXF_G_", u"$$SXF_P_"};

// DIRECTION, CARTESIAN_POINT, placement and SYMBOL_TARGET of a symbol.
int32_t writeTarget(P21Output& o, double x, double y, double angleDeg, double sx, double sy)
{
    const int32_t direction = writeRotation(o, angleDeg);
    const int32_t point = writePoint(o, x, y);
    return writeSymbolTarget(o, writeAxis(o, point, direction), sx, sy);
}

}  // namespace

Refusal writePointMarker(Context& ctx, const PointMarkerFeature& f, Placed& placed)
{
    if (f.code < 1 || size_t(f.code) > kMarkerNames.size())
        return Refusal::OutOfRange;
    const int32_t colour = ctx.tables.colours[f.colour];
    if (colour == 0)
        return Refusal::UnknownCode;
    P21Output& o = ctx.out;
    const int32_t target = writeTarget(o, f.x, f.y, f.angle, f.scale, f.scale);
    const int32_t marker = o.take();
    o.simple(marker, "PRE_DEFINED_POINT_MARKER_SYMBOL").raw(kMarkerNames[size_t(f.code - 1)]).end();
    const int32_t symbol = o.take();
    o.simple(symbol, "DEFINED_SYMBOL").raw("' '").ref(marker).ref(target).end();
    const int32_t style = writeSymbolStyle(o, colour);
    const int32_t item = writeStyledItem(o, Styled::Symbol, u" ", style, symbol);
    placed.layer = f.layer;
    placed.member(item);
    placed.item(item);
    return Refusal::None;
}

int32_t writeExternalSymbolBlock(P21Output& o, int32_t colour, QStringView name, double x, double y,
                                 double angleDeg, double sx, double sy)
{
    const int32_t target = writeTarget(o, x, y, angleDeg, sx, sy);
    const int32_t source = o.take();
    o.simple(source, "EXTERNAL_SOURCE").open("IDENTIFIER").raw("'scadec'").close().end();
    const int32_t external = o.take();
    o.simple(external, "EXTERNALLY_DEFINED_SYMBOL").open("IDENTIFIER").string(name).close().ref(source).end();
    const int32_t symbol = o.take();
    o.simple(symbol, "DEFINED_SYMBOL").raw("' '").ref(external).ref(target).end();
    int32_t style = 0;
    if (colour != 0) {
        style = writeSymbolStyle(o, colour);
    } else {
        const int32_t plain = o.take();
        o.simple(plain, "SYMBOL_STYLE").raw("' '").raw("$").end();
        style = writeStyleAssignment(o, plain);
    }
    return writeStyledItem(o, Styled::Symbol, u" ", style, symbol);
}

Refusal writeExternalSymbol(Context& ctx, const ExternalSymbolFeature& f, Placed& placed)
{
    if (f.colourFlag != 0 && f.colourFlag != 1)
        return Refusal::OutOfRange;
    const int32_t colour = f.colourFlag == 1 ? ctx.tables.colours[f.colour] : 0;
    if (f.colourFlag == 1 && colour == 0)
        return Refusal::UnknownCode;
    const int32_t item = writeExternalSymbolBlock(ctx.out, colour, f.name, f.x, f.y, f.angle, f.scale, f.scale);
    placed.layer = f.layer;
    placed.member(item);
    placed.item(item);
    return Refusal::None;
}

Refusal writePlacement(Context& ctx, const SymbolPlacementFeature& f, Placed& placed)
{
    const auto symbol = ctx.symbols.constFind(f.name);
    if (symbol == ctx.symbols.cend())
        return Refusal::NoSymbol;
    P21Output& o = ctx.out;
    const int32_t target = writeTarget(o, f.x, f.y, f.angle, f.scaleX, f.scaleY);
    const int32_t mapped = o.take();
    o.complex(mapped);
    o.emptyRecords({"ANNOTATION_SYMBOL", "GEOMETRIC_REPRESENTATION_ITEM"});
    o.record("MAPPED_ITEM").ref(symbol->map).ref(target).endRecord();
    o.record("REPRESENTATION_ITEM").raw("' '").endRecord();
    o.endComplex();
    const int32_t style = writeNullStyle(o);
    const int32_t item = writeStyledItem(o, Styled::Subfigure, symbol->name, style, mapped);
    placed.layer = f.layer;
    placed.member(item);
    placed.item(item);
    return Refusal::None;
}

int32_t writeRepresentationContext(P21Output& o)
{
    const int32_t angle = o.take();
    o.complex(angle);
    o.text("NAMED_UNIT(*)\r\nPLANE_ANGLE_UNIT()\r\nSI_UNIT($,.RADIAN.)\r\n");
    o.endComplex();
    const int32_t length = o.take();
    o.complex(length);
    o.text("LENGTH_UNIT()\r\nNAMED_UNIT(*)\r\nSI_UNIT(.MILLI.,.METRE.)\r\n");
    o.endComplex();
    const int32_t context = o.take();
    o.complex(context);
    o.record("GEOMETRIC_REPRESENTATION_CONTEXT").integer(2).endRecord();
    o.record("GLOBAL_UNIT_ASSIGNED_CONTEXT").open().ref(angle).ref(length).close().endRecord();
    o.record("REPRESENTATION_CONTEXT").raw("'ID1'").raw("'2D'").endRecord();
    o.endComplex();
    return context;
}

bool writeSymbolDefinition(Context& ctx, const Symbol& s, std::span<const int32_t> items)
{
    // Placements find a definition by its name: a second one of the same
    // name could never be placed.
    if (s.flag < 1 || size_t(s.flag) > kSymbolPrefixes.size() || ctx.symbols.contains(s.name))
        return false;
    P21Output& o = ctx.out;
    const int32_t context = writeRepresentationContext(o);
    const int32_t origin = writeAxis(o, writePoint(o, 0, 0), 0);
    const QString name = QString::fromUtf16(kSymbolPrefixes[size_t(s.flag - 1)]) + s.name;
    const int32_t representation = o.take();
    o.simple(representation, "DRAUGHTING_SUBFIGURE_REPRESENTATION").string(name).open();
    for (int32_t item : items)
        o.ref(item);
    o.ref(origin).close().ref(context).end();
    const int32_t map = o.take();
    o.simple(map, "SYMBOL_REPRESENTATION_MAP").ref(origin).ref(representation).end();
    ctx.symbols.insert(s.name, {map, name});
    return true;
}

}  // namespace sxf::p21
