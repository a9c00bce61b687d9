// Table instances: one per colour, width and pre-defined line type, the
// patterns and the font of a user line type, the source and the font of a
// text font.
#include "sxf/p21_tables.h"

#include "common/colors.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace sxf::p21 {
namespace {

// The pre-defined colours that are no AP202 colour are written as RGB
// values under their own names; these are the library's values.
struct Rgb {
    int r, g, b;
};
constexpr Rgb kPreDefinedRgb[16] = {
    {0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 252, 0}, {255, 0, 255}, {0, 255, 255},
    {255, 255, 255}, {192, 0, 128}, {192, 128, 64}, {255, 128, 0}, {128, 192, 128}, {0, 128, 255},
    {128, 64, 255}, {192, 192, 192}, {128, 128, 128},
};
// Codes up to this one are AP202's own pre-defined colours.
constexpr int32_t kLastDraughtingColour = 8;

void writeRgb(P21Output& o, int32_t n, QStringView name, int r, int g, int b)
{
    o.simple(n, "COLOUR_RGB").string(name).real(r / 255.0).real(g / 255.0).real(b / 255.0).end();
}

int32_t writeColour(P21Output& o, const Colour& c)
{
    if (c.predefined && (c.code < 1 || c.code > 16))
        return 0;
    const int32_t n = o.take();
    if (!c.predefined) {
        writeRgb(o, n, u"", c.r, c.g, c.b);
        return n;
    }
    const QString& name = common::PreDefinedColourNames()[c.code - 1];
    if (c.code <= kLastDraughtingColour) {
        o.simple(n, "DRAUGHTING_PRE_DEFINED_COLOUR").string(name).end();
    } else {
        const Rgb& rgb = kPreDefinedRgb[c.code - 1];
        writeRgb(o, n, QString(QStringLiteral("$$SXF_") + name), rgb.r, rgb.g, rgb.b);
    }
    return n;
}

int32_t writeLineType(P21Output& o, const LineType& t)
{
    if (t.predefined) {
        const int32_t n = o.take();
        o.simple(n, "DRAUGHTING_PRE_DEFINED_CURVE_FONT").string(t.name).end();
        return n;
    }
    // Visible and invisible lengths in pairs; an odd last pitch has no pair.
    const size_t pairs = t.pitches.size() / 2;
    if (pairs == 0)
        return 0;
    std::vector<int32_t> patterns;
    for (size_t i = 0; i < pairs; ++i) {
        patterns.push_back(o.take());
        o.simple(patterns.back(), "CURVE_STYLE_FONT_PATTERN").real(t.pitches[2 * i]).real(t.pitches[2 * i + 1]).end();
    }
    const int32_t n = o.take();
    o.simple(n, "CURVE_STYLE_FONT").string(t.name).refs(patterns).end();
    return n;
}

int32_t writeWidth(P21Output& o, const Width& w)
{
    const int32_t n = o.take();
    o.simple(n, "LENGTH_MEASURE_WITH_UNIT").open("POSITIVE_LENGTH_MEASURE").real(w.width).close().ref(10).end();
    return n;
}

int32_t writeFont(P21Output& o, const Font& f)
{
    const int32_t source = o.take();
    o.simple(source, "EXTERNAL_SOURCE").open("IDENTIFIER").raw("'scadec'").close().end();
    const int32_t n = o.take();
    o.simple(n, "EXTERNALLY_DEFINED_TEXT_FONT").open("IDENTIFIER").string(f.name).close().ref(source).end();
    return n;
}

// C's atof: leading blanks, then the longest number that begins there.
double atof(QStringView text)
{
    std::string ascii;
    for (QChar c : text)
        ascii.push_back(c.unicode() < 0x80 ? char(c.unicode()) : '\x01');
    size_t at = ascii.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string::npos)
        return 0;
    if (ascii[at] == '+')
        ++at;
    double value = 0;
    std::from_chars(ascii.data() + at, ascii.data() + ascii.size(), value);
    return value;
}

enum class TableKind { Colour, LineType, Width, Font };

struct TableEntry {
    int32_t number;
    TableKind kind;
    size_t index;
};

// Every entry with a code, in the order of the file it came from.
std::vector<TableEntry> entriesInOrder(const Drawing& d)
{
    std::vector<TableEntry> entries;
    const auto add = [&entries](const auto& table, TableKind kind) {
        for (size_t i = 0; i < table.size(); ++i) {
            if (table[i].code != kNone)
                entries.push_back({table[i].at.number, kind, i});
        }
    };
    add(d.colours, TableKind::Colour);
    add(d.lineTypes, TableKind::LineType);
    add(d.widths, TableKind::Width);
    add(d.fonts, TableKind::Font);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TableEntry& a, const TableEntry& b) { return a.number < b.number; });
    return entries;
}

void registerLayers(Context& ctx)
{
    TableInstances& t = ctx.tables;
    for (const Layer& layer : ctx.drawing.layers) {
        if (layer.code < 1 || layer.code > CodeMap::kMaxCode)
            continue;
        if (t.layers.size() <= size_t(layer.code))
            t.layers.resize(size_t(layer.code) + 1, nullptr);
        if (!t.layers[size_t(layer.code)])
            t.layers[size_t(layer.code)] = &layer;
        t.anyLayer = true;
    }
    ctx.layerMembers.resize(t.layers.size());
}

}  // namespace

void CodeMap::set(int32_t code, int32_t instance)
{
    if (code < 0 || code > kMaxCode || instance == 0)
        return;
    if (m_ids.size() <= size_t(code))
        m_ids.resize(size_t(code) + 1, 0);
    if (m_ids[size_t(code)] == 0)
        m_ids[size_t(code)] = instance;
}

FontMetrics fontMetrics(QStringView name)
{
    const qsizetype last = name.lastIndexOf(u'-');
    const qsizetype before = last > 0 ? name.left(last).lastIndexOf(u'-') : -1;
    if (before < 0)
        return {};
    const FontMetrics m{atof(name.mid(before + 1, last - before - 1)), atof(name.mid(last + 1))};
    if (m.ascent + m.descent == 0)
        return {};
    return m;
}

void writeTables(Context& ctx)
{
    const Drawing& d = ctx.drawing;
    TableInstances& t = ctx.tables;
    P21Output& o = ctx.out;
    for (const TableEntry& e : entriesInOrder(d)) {
        switch (e.kind) {
        case TableKind::Colour: t.colours.set(d.colours[e.index].code, writeColour(o, d.colours[e.index])); break;
        case TableKind::LineType:
            t.lineTypes.set(d.lineTypes[e.index].code, writeLineType(o, d.lineTypes[e.index]));
            break;
        case TableKind::Width: t.widths.set(d.widths[e.index].code, writeWidth(o, d.widths[e.index])); break;
        case TableKind::Font: {
            const Font& f = d.fonts[e.index];
            t.fonts.set(f.code, writeFont(o, f));
            if (f.code >= 0 && f.code <= CodeMap::kMaxCode) {
                if (t.firstFont == kNone || f.code < t.firstFont)
                    t.firstFont = f.code;
                if (t.metrics.size() <= size_t(f.code))
                    t.metrics.resize(size_t(f.code) + 1);
                t.metrics[size_t(f.code)] = fontMetrics(f.name);
            }
            break;
        }
        }
        o.flushIfFull();
    }
    registerLayers(ctx);
}

void writeLayers(Context& ctx, int32_t sheet)
{
    P21Output& o = ctx.out;
    std::vector<int32_t> hidden;
    for (size_t code = 0; code < ctx.layerMembers.size(); ++code) {
        const std::vector<int32_t>& members = ctx.layerMembers[code];
        if (members.empty())
            continue;
        const Layer* layer = ctx.tables.layers[code];
        const int32_t n = o.take();
        o.simple(n, "PRESENTATION_LAYER_ASSIGNMENT");
        if (layer)
            o.string(layer->name);
        else
            o.raw("'$$SXF_dummy_layer_for_subfigure'");
        o.raw("' '").refs(members).end();
        o.simple(o.take(), "PRESENTATION_LAYER_USAGE").ref(n).ref(sheet).end();
        if (layer && layer->flag == 0)
            hidden.push_back(n);
        o.flushIfFull();
    }
    if (!hidden.empty())
        o.simple(o.take(), "INVISIBILITY").refs(hidden).end();
}

}  // namespace sxf::p21
