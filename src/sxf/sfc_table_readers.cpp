// Readers of the definition records and the assembly records.
#include "sxf/sfc_record_kinds.h"

#include "sxf/predefined_tables.h"

namespace sxf {
namespace {

// Ends the assembly just appended: its members are the features read since
// the previous assembly record.
void closeAssembly(ReaderState& s, AssemblyKind kind, int32_t index, FeatureRange& members)
{
    const auto end = static_cast<int32_t>(s.d.features.size());
    members = {s.firstOpenMember, end - s.firstOpenMember};
    s.firstOpenMember = end;
    s.d.assemblies.push_back({kind, index});
}

template <typename T>
int32_t lastIndex(const std::vector<T>& list)
{
    return static_cast<int32_t>(list.size()) - 1;
}

}  // namespace

void reportListCount(ReaderState& s, const Origin& at, const QString& message)
{
    s.findings.add(Severity::Error, "SFC_LIST_COUNT", at,
                   QString::fromLatin1(s.recordName.data(), static_cast<qsizetype>(s.recordName.size())) + u'：' + message);
}

void readLayer(ArgCursor& c, ReaderState& s, const Origin& at)
{
    Layer layer;
    layer.at = at;
    layer.name = c.string();
    layer.flag = c.integer();
    if (!c.ok())
        return;
    s.d.layers.push_back(std::move(layer));
    s.codes.registerLayer(s.d);
}

void readPreDefinedColour(ArgCursor& c, ReaderState& s, const Origin& at)
{
    Colour colour;
    colour.at = at;
    colour.predefined = true;
    colour.name = c.string();
    if (!c.ok())
        return;
    const Rgb rgb = preDefinedColourRgb(preDefinedColourCode(colour.name));
    colour.r = rgb.r;
    colour.g = rgb.g;
    colour.b = rgb.b;
    s.d.colours.push_back(std::move(colour));
    s.codes.registerColour(s.d);
}

void readUserColour(ArgCursor& c, ReaderState& s, const Origin& at)
{
    Colour colour;
    colour.at = at;
    colour.predefined = false;
    colour.r = c.integer();
    colour.g = c.integer();
    colour.b = c.integer();
    if (!c.ok())
        return;
    s.d.colours.push_back(std::move(colour));
    s.codes.registerColour(s.d);
}

void readPreDefinedLineType(ArgCursor& c, ReaderState& s, const Origin& at)
{
    LineType type;
    type.at = at;
    type.predefined = true;
    type.name = c.string();
    if (!c.ok())
        return;
    s.d.lineTypes.push_back(std::move(type));
    s.codes.registerLineType(s.d);
}

void readUserLineType(ArgCursor& c, ReaderState& s, const Origin& at)
{
    LineType type;
    type.at = at;
    type.predefined = false;
    type.name = c.string();
    type.segments = c.integer();
    c.reals(type.pitches);
    if (!c.ok())
        return;
    if (static_cast<size_t>(type.segments) != type.pitches.size() || type.segments < 0)
        reportListCount(s, at, QStringLiteral("線分の数は%1ですが、ピッチが%2個あります").arg(type.segments).arg(type.pitches.size()));
    s.d.lineTypes.push_back(std::move(type));
    s.codes.registerLineType(s.d);
}

void readWidth(ArgCursor& c, ReaderState& s, const Origin& at)
{
    Width width;
    width.at = at;
    width.width = c.real();
    if (!c.ok())
        return;
    s.d.widths.push_back(width);
    s.codes.registerWidth(s.d);
}

void readFont(ArgCursor& c, ReaderState& s, const Origin& at)
{
    Font font;
    font.at = at;
    font.name = c.string();
    if (!c.ok())
        return;
    s.d.fonts.push_back(std::move(font));
    s.codes.registerFont(s.d);
}

void readCompositeCurve(ArgCursor& c, ReaderState& s, const Origin& at)
{
    CompositeCurve curve;
    curve.at = at;
    curve.colour = c.integer();
    curve.lineType = c.integer();
    curve.width = c.integer();
    curve.flag = c.integer();
    s.d.curves.push_back(curve);
    closeAssembly(s, AssemblyKind::Curve, lastIndex(s.d.curves), s.d.curves.back().segments);
}

void readSymbol(ArgCursor& c, ReaderState& s, const Origin& at)
{
    Symbol symbol;
    symbol.at = at;
    symbol.name = c.string();
    symbol.flag = c.integer();
    s.d.symbols.push_back(std::move(symbol));
    closeAssembly(s, AssemblyKind::Symbol, lastIndex(s.d.symbols), s.d.symbols.back().members);
}

void readSheet(ArgCursor& c, ReaderState& s, const Origin& at)
{
    Sheet sheet;
    sheet.at = at;
    sheet.name = c.string();
    sheet.kind = c.integer();
    sheet.orientation = c.integer();
    // The width is written as an integer and the height in the general
    // number form; other writers may give either as a real.
    sheet.x = c.real();
    sheet.y = c.real();
    s.d.sheets.push_back(std::move(sheet));
    closeAssembly(s, AssemblyKind::Sheet, lastIndex(s.d.sheets), s.d.sheets.back().members);
}

}  // namespace sxf
