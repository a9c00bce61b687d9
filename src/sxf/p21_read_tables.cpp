// Table instances into the drawing's tables, and the lookups features make.
#include "sxf/p21_read_tables.h"

#include "sxf/predefined_tables.h"

#include <charconv>
#include <cmath>

namespace sxf {
namespace {

// An RGB fraction as the official reader turns it into 0..255 (rounded),
// kept within int for values no colour has.
int32_t component(double v)
{
    const double c = std::floor(v * 255 + 0.5);
    return std::isfinite(c) ? static_cast<int32_t>(std::clamp(c, -1e6, 1e6)) : 0;
}

// Each table instance becomes an entry of the drawing's table, numbered by
// the rules the SFC reader numbers its records by: an entry the library
// refuses keeps code kNone, for the rule checks to name.
class Tables {
public:
    explicit Tables(P21Context& ctx) : m_ctx(ctx), m_d(ctx.drawing) {}
    void read();

private:
    void markInvisible(const P21Instance& at, int32_t index);
    void layer(const P21Instance& at, int32_t index);
    void colour(int32_t index, Colour c);
    void rgbColour(const P21Instance& at, int32_t index);
    void lineType(const P21Instance& at, int32_t index, bool predefined);
    void width(const P21Instance& at, int32_t index);
    void font(const P21Instance& at, int32_t index);
    bool walked(const P21Instance& at, const P21Walk& w)
    {
        if (!w.ok())
            m_ctx.report.error("P21_TABLE", &at, QStringLiteral("%1 の定義が読めません：%2").arg(p21Name(at), w.why()));
        return w.ok();
    }
    template <typename Entry>
    void entryOf(int32_t index, const std::vector<Entry>& table)
    {
        m_ctx.entry[static_cast<size_t>(index)] = static_cast<int32_t>(table.size()) - 1;
    }

    P21Context& m_ctx;
    Drawing& m_d;
};

void Tables::read()
{
    const auto& instances = m_ctx.data.instances;
    P21Walk names(m_ctx.data);
    for (size_t i = 0; i < instances.size(); ++i) {
        if (names.simpleName(static_cast<int32_t>(i)) == "INVISIBILITY")
            markInvisible(instances[i], static_cast<int32_t>(i));
    }
    for (size_t i = 0; i < instances.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        const std::string_view name = names.simpleName(index);
        const P21Instance& at = instances[i];
        if (name == "PRESENTATION_LAYER_USAGE") {
            layer(at, index);
        } else if (name == "DRAUGHTING_PRE_DEFINED_COLOUR") {
            P21Walk w = m_ctx.walk();
            const QString colourName = w.string(w.entity(index, name).at(0));
            if (walked(at, w))
                colour(index, Colour {p21Origin(at), true, colourName, 0, 0, 0, kNone});
        } else if (name == "COLOUR_RGB") {
            rgbColour(at, index);
        } else if (name == "DRAUGHTING_PRE_DEFINED_CURVE_FONT" || name == "CURVE_STYLE_FONT") {
            lineType(at, index, name == "DRAUGHTING_PRE_DEFINED_CURVE_FONT");
        } else if (name == "LENGTH_MEASURE_WITH_UNIT") {
            width(at, index);
        } else if (name == "EXTERNALLY_DEFINED_TEXT_FONT") {
            font(at, index);
        }
    }
}

void Tables::markInvisible(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    const P21List items = w.list(w.entity(index, "INVISIBILITY").at(0));
    for (const P21Value& v : items) {
        const int32_t target = v.kind == P21Kind::Reference ? m_ctx.data.find(v.integer()) : -1;
        if (target >= 0)
            m_ctx.invisible[static_cast<size_t>(target)] = 1;
    }
    walked(at, w);
}

void Tables::layer(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    const int32_t pla = w.target(w.entity(index, "PRESENTATION_LAYER_USAGE").at(0));
    const P21List a = w.entity(pla, "PRESENTATION_LAYER_ASSIGNMENT");
    const QString name = w.string(a.at(0));
    const P21List items = w.list(a.at(2));
    if (!walked(at, w))
        return;
    // The library's own layer for placements on no layer is not one that
    // feature records number: its members read as on layer 0.
    int32_t layer = kP21HiddenLayer;
    if (name != u"$$SXF_dummy_layer_for_subfigure") {
        const int32_t flag = m_ctx.invisible[static_cast<size_t>(pla)] ? 0 : 1;
        m_d.layers.push_back(Layer {p21Origin(at), name, flag, kNone});
        m_ctx.codes.registerLayer(m_d);
        layer = static_cast<int32_t>(m_d.layers.size()) - 1;
    }
    for (const P21Value& v : items) {
        const int32_t item = v.kind == P21Kind::Reference ? m_ctx.data.find(v.integer()) : -1;
        if (item < 0)
            continue;
        int32_t& of = m_ctx.layerOf[static_cast<size_t>(item)];
        if (of == kNone)
            of = layer;
        else
            m_ctx.report.warning("P21_LAYER", &at,
                QStringLiteral("#%1 は二つのレイヤに属しています（先のレイヤとして読みます）").arg(v.integer()));
    }
}

void Tables::colour(int32_t index, Colour c)
{
    if (c.predefined) {
        const Rgb rgb = preDefinedColourRgb(preDefinedColourCode(c.name));
        c.r = rgb.r;
        c.g = rgb.g;
        c.b = rgb.b;
    }
    m_d.colours.push_back(std::move(c));
    m_ctx.codes.registerColour(m_d);
    entryOf(index, m_d.colours);
}

void Tables::rgbColour(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    const P21List a = w.entity(index, "COLOUR_RGB");
    const QString name = w.string(a.at(0));
    const double r = w.real(a.at(1)), g = w.real(a.at(2)), b = w.real(a.at(3));
    if (!walked(at, w))
        return;
    // The pre-defined colours 9 to 16 are written as RGB values with the
    // name after this prefix.
    if (name.startsWith(u"$$SXF_"))
        colour(index, Colour {p21Origin(at), true, name.mid(6), 0, 0, 0, kNone});
    else
        colour(index, Colour {p21Origin(at), false, QString(), component(r), component(g), component(b), kNone});
}

void Tables::lineType(const P21Instance& at, int32_t index, bool predefined)
{
    P21Walk w = m_ctx.walk();
    const P21List a = w.entity(index, predefined ? "DRAUGHTING_PRE_DEFINED_CURVE_FONT" : "CURVE_STYLE_FONT");
    LineType t {p21Origin(at), predefined, w.string(a.at(0)), 0, {}, kNone};
    if (!predefined) {
        const P21List patterns = w.list(a.at(1));
        for (const P21Value& p : patterns) {
            const P21List lengths = w.entity(&p, "CURVE_STYLE_FONT_PATTERN");
            t.pitches.push_back(w.real(lengths.at(0)));
            t.pitches.push_back(w.real(lengths.at(1)));
            if (!w.ok())
                break;
        }
        t.segments = static_cast<int32_t>(t.pitches.size());
    }
    if (!walked(at, w))
        return;
    m_d.lineTypes.push_back(std::move(t));
    m_ctx.codes.registerLineType(m_d);
    entryOf(index, m_d.lineTypes);
}

void Tables::width(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    // The official reader takes the number inside the typed value, whatever
    // the type's name.
    const P21Value* value = w.entity(index, "LENGTH_MEASURE_WITH_UNIT").at(0);
    if (value && value->kind == P21Kind::Typed)
        value = P21List(&m_ctx.data, static_cast<uint32_t>(value - m_ctx.data.values.data())).at(0);
    const double width = w.real(value);
    if (!walked(at, w))
        return;
    m_d.widths.push_back(Width {p21Origin(at), width, kNone});
    m_ctx.codes.registerWidth(m_d);
    entryOf(index, m_d.widths);
}

void Tables::font(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    const QString name = w.string(w.untyped(w.entity(index, "EXTERNALLY_DEFINED_TEXT_FONT").at(0), "IDENTIFIER"));
    if (!walked(at, w))
        return;
    m_d.fonts.push_back(Font {p21Origin(at), name, kNone});
    m_ctx.codes.registerFont(m_d);
    entryOf(index, m_d.fonts);
}

// The table entry behind `ref` when the instance is one of `entities`.
template <typename Entry>
int32_t lookup(P21Context& ctx, P21Walk& w, const P21Value* ref, std::initializer_list<std::string_view> entities,
    const std::vector<Entry>& table, int32_t& refIndex)
{
    const int32_t index = w.target(ref);
    if (index < 0)
        return kNone;
    const std::string_view name = w.simpleName(index);
    if (std::find(entities.begin(), entities.end(), name) == entities.end())
        return kNone;
    const int32_t entry = ctx.entry[static_cast<size_t>(index)];
    if (entry < 0 || table[static_cast<size_t>(entry)].code == kNone)
        return kNone;
    refIndex = entry;
    return table[static_cast<size_t>(entry)].code;
}

int32_t resolved(P21Context& ctx, P21Walk& w, int32_t code, const P21Instance& at, const char* finding,
    const QString& what)
{
    if (code != kNone || !w.ok())
        return code == kNone ? 0 : code;
    ctx.report.error(finding, &at, QStringLiteral("%1 の%2が定義されていません").arg(p21Name(at), what));
    return 0;
}

}  // namespace

void readP21Tables(P21Context& ctx)
{
    Tables(ctx).read();
}

int32_t p21Colour(P21Context& ctx, P21Walk& w, const P21Value* ref, const P21Instance& at, TableRefs& refs)
{
    const int32_t code =
        lookup(ctx, w, ref, {"DRAUGHTING_PRE_DEFINED_COLOUR", "COLOUR_RGB"}, ctx.drawing.colours, refs.colour);
    return resolved(ctx, w, code, at, "SXFERRORCOLOUR", QStringLiteral("色"));
}

int32_t p21LineType(P21Context& ctx, P21Walk& w, const P21Value* ref, const P21Instance& at, TableRefs& refs)
{
    const int32_t code = lookup(ctx, w, ref, {"DRAUGHTING_PRE_DEFINED_CURVE_FONT", "CURVE_STYLE_FONT"},
        ctx.drawing.lineTypes, refs.lineType);
    return resolved(ctx, w, code, at, "SXFERRORFONT", QStringLiteral("線種"));
}

int32_t p21Width(P21Context& ctx, P21Walk& w, const P21Value* ref, const P21Instance& at, TableRefs& refs)
{
    const int32_t code = lookup(ctx, w, ref, {"LENGTH_MEASURE_WITH_UNIT"}, ctx.drawing.widths, refs.width);
    return resolved(ctx, w, code, at, "SXFERRORWIDTH", QStringLiteral("線幅"));
}

int32_t p21Font(P21Context& ctx, P21Walk& w, const P21Value* ref, const P21Instance& at, TableRefs& refs)
{
    const int32_t code = lookup(ctx, w, ref, {"EXTERNALLY_DEFINED_TEXT_FONT"}, ctx.drawing.fonts, refs.font);
    return resolved(ctx, w, code, at, "SXFTEXTFONTERROR", QStringLiteral("文字フォント"));
}

int32_t p21Layer(P21Context& ctx, int32_t index, TableRefs& refs, bool placement)
{
    const int32_t layer = ctx.layerOf[static_cast<size_t>(index)];
    if (layer == kP21HiddenLayer)
        return 0;
    if (layer >= 0 && ctx.drawing.layers[static_cast<size_t>(layer)].code != kNone) {
        refs.layer = layer;
        return ctx.drawing.layers[static_cast<size_t>(layer)].code;
    }
    if (!placement) {
        const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
        ctx.report.error("SXFEUNSETLAYER", &at, QStringLiteral("%1 はどのレイヤにも属していません").arg(p21Name(at)));
    }
    return 0;
}

SfcAttr p21CurveStyle(P21Context& ctx, P21Walk& w, const P21Value* styles, const P21Instance& at, TableRefs& refs)
{
    const P21List psa = w.entity(w.list(styles).at(0), "PRESENTATION_STYLE_ASSIGNMENT");
    const P21List style = w.entity(w.list(psa.at(0)).at(0), "CURVE_STYLE");
    SfcAttr a;
    a.lineType = p21LineType(ctx, w, style.at(1), at, refs);
    a.width = p21Width(ctx, w, style.at(2), at, refs);
    a.colour = p21Colour(ctx, w, style.at(3), at, refs);
    return a;
}

SfcAttr p21CurveAttr(P21Context& ctx, P21Walk& w, int32_t index, const P21Value* styles, TableRefs& refs)
{
    SfcAttr a = p21CurveStyle(ctx, w, styles, ctx.data.instances[static_cast<size_t>(index)], refs);
    if (w.ok())
        a.layer = p21Layer(ctx, index, refs, false);
    return a;
}

void p21FontMetrics(const Drawing& drawing, int32_t font, double& ascent, double& descent)
{
    ascent = 1.0;
    descent = 0.0;
    if (font < 0 || static_cast<size_t>(font) >= drawing.fonts.size())
        return;
    const QString& name = drawing.fonts[static_cast<size_t>(font)].name;
    const qsizetype last = name.lastIndexOf(u'-');
    const qsizetype before = last > 0 ? name.lastIndexOf(u'-', last - 1) : -1;
    if (before < 0)
        return;
    // Read as C's atof reads: the number at the start, 0 when there is none.
    const auto atof = [](QStringView s) {
        const QByteArray b = s.trimmed().toLatin1();
        const char* first = b.constData() + (b.startsWith('+') ? 1 : 0);
        double v = 0;
        std::from_chars(first, b.constData() + b.size(), v);
        return std::isfinite(v) ? v : 0.0;
    };
    const double a = atof(QStringView(name).sliced(before + 1, last - before - 1));
    const double d = atof(QStringView(name).sliced(last + 1));
    // A name whose two numbers add up to 0 would divide by 0.
    if (a + d != 0) {
        ascent = a;
        descent = d;
    }
}

}  // namespace sxf
