// Table instances into the drawing's tables, and the lookups features make.
#include "sxf/p21_read_tables.h"

#include "common/colors.h"

#include <QStringList>

#include <array>
#include <charconv>
#include <cmath>

namespace sxf {
namespace {

// The limits of the official library's tables.
constexpr int kMaxLayers = 256;
constexpr int kMaxUserColours = 240;
constexpr int kMaxUserLineTypes = 16;
constexpr int kFirstUserWidth = 11;
constexpr int kLastUserWidth = 16;
constexpr int kMaxFonts = 1024;
constexpr int kFirstUser = 17;  // first code of user colours and line types
constexpr double kWidthTolerance = 1e-6;

constexpr std::array<std::array<int, 3>, 16> kPreColourRgb = {{
    {0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 252, 0}, {255, 0, 255}, {0, 255, 255},
    {255, 255, 255}, {192, 0, 128}, {192, 128, 64}, {255, 128, 0}, {128, 192, 128}, {0, 128, 255},
    {128, 64, 255}, {192, 192, 192}, {128, 128, 128},
}};

const QStringList& preLineTypeNames()
{
    static const QStringList names = {
        QStringLiteral("continuous"), QStringLiteral("dashed"), QStringLiteral("dashed spaced"),
        QStringLiteral("long dashed dotted"), QStringLiteral("long dashed double-dotted"),
        QStringLiteral("long dashed triplicate-dotted"), QStringLiteral("dotted"), QStringLiteral("chain"),
        QStringLiteral("chain double dash"), QStringLiteral("dashed dotted"), QStringLiteral("double-dashed dotted"),
        QStringLiteral("dashed double-dotted"), QStringLiteral("double-dashed double-dotted"),
        QStringLiteral("dashed triplicate-dotted"), QStringLiteral("double-dashed triplicate-dotted"),
        QString(),  // 16: the blank name
    };
    return names;
}

constexpr std::array kPreWidths = {0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 1.4, 2.0};

// An RGB fraction as the official reader turns it into 0..255 (rounded),
// kept within int for values no colour has.
int32_t component(double v)
{
    const double c = std::floor(v * 255 + 0.5);
    return std::isfinite(c) ? static_cast<int32_t>(std::clamp(c, -1e6, 1e6)) : 0;
}

class Tables {
public:
    explicit Tables(P21Context& ctx) : m_ctx(ctx), m_d(ctx.drawing) {}
    void read();

private:
    void markInvisible(const P21Instance& at, int32_t index);
    void layer(const P21Instance& at, int32_t index);
    void preColour(const P21Instance& at, int32_t index, const QString& name);
    void rgbColour(const P21Instance& at, int32_t index);
    void preLineType(const P21Instance& at, int32_t index);
    void userLineType(const P21Instance& at, int32_t index);
    void width(const P21Instance& at, int32_t index);
    void font(const P21Instance& at, int32_t index);
    void refused(const P21Instance& at, const char* code, const QString& why)
    {
        m_ctx.report.error(code, &at, QStringLiteral("%1 の定義を読みません：%2").arg(p21Name(at), why));
    }
    bool walked(const P21Instance& at, const P21Walk& w)
    {
        if (!w.ok())
            m_ctx.report.error("P21_TABLE", &at, QStringLiteral("%1 の定義が読めません：%2").arg(p21Name(at), w.why()));
        return w.ok();
    }

    P21Context& m_ctx;
    Drawing& m_d;
    int m_userColours = 0;
    int m_userLineTypes = 0;
    int m_userWidths = 0;
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
        if (name == "PRESENTATION_LAYER_USAGE")
            layer(instances[i], index);
        else if (name == "DRAUGHTING_PRE_DEFINED_COLOUR") {
            P21Walk w = m_ctx.walk();
            const QString colour = w.string(w.entity(index, name).at(0));
            if (walked(instances[i], w))
                preColour(instances[i], index, colour);
        } else if (name == "COLOUR_RGB")
            rgbColour(instances[i], index);
        else if (name == "DRAUGHTING_PRE_DEFINED_CURVE_FONT")
            preLineType(instances[i], index);
        else if (name == "CURVE_STYLE_FONT")
            userLineType(instances[i], index);
        else if (name == "LENGTH_MEASURE_WITH_UNIT")
            width(instances[i], index);
        else if (name == "EXTERNALLY_DEFINED_TEXT_FONT")
            font(instances[i], index);
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
    int32_t layer = kP21HiddenLayer;
    if (name != u"$$SXF_dummy_layer_for_subfigure") {
        layer = static_cast<int32_t>(m_d.layers.size());
        const bool full = layer >= kMaxLayers;
        const int32_t flag = m_ctx.invisible[static_cast<size_t>(pla)] ? 0 : 1;
        m_d.layers.push_back(Layer {p21Origin(at), name, flag, full ? kNone : layer + 1});
        if (full)
            refused(at, "SXFMAXLAYER", QStringLiteral("レイヤが 256 を超えています"));
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

void Tables::preColour(const P21Instance& at, int32_t index, const QString& name)
{
    const qsizetype k = common::PreDefinedColourNames().indexOf(name);
    Colour c {p21Origin(at), true, name, 0, 0, 0, kNone};
    if (k < 0) {
        refused(at, "SXFNOTPRECOLOUR", QStringLiteral("既定義色の名前「%1」はありません").arg(name));
    } else if (std::any_of(m_d.colours.begin(), m_d.colours.end(),
                   [&](const Colour& o) { return o.predefined && o.code == k + 1; })) {
        refused(at, "SXFSAMENAME", QStringLiteral("既定義色「%1」は定義済みです").arg(name));
    } else {
        const auto& rgb = kPreColourRgb[static_cast<size_t>(k)];
        c = Colour {p21Origin(at), true, name, rgb[0], rgb[1], rgb[2], static_cast<int32_t>(k + 1)};
    }
    m_ctx.entry[static_cast<size_t>(index)] = static_cast<int32_t>(m_d.colours.size());
    m_d.colours.push_back(c);
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
    if (name.startsWith(u"$$SXF_")) {
        preColour(at, index, name.mid(6));
        return;
    }
    const bool full = m_userColours >= kMaxUserColours;
    if (full)
        refused(at, "SXFMAXUSERCOLOUR", QStringLiteral("ユーザ定義色が 240 を超えています"));
    const int32_t code = full ? kNone : kFirstUser + m_userColours++;
    m_ctx.entry[static_cast<size_t>(index)] = static_cast<int32_t>(m_d.colours.size());
    m_d.colours.push_back(Colour {p21Origin(at), false, QString(), component(r), component(g), component(b), code});
}

void Tables::preLineType(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    const QString name = w.string(w.entity(index, "DRAUGHTING_PRE_DEFINED_CURVE_FONT").at(0));
    if (!walked(at, w))
        return;
    const qsizetype k = preLineTypeNames().indexOf(name);
    int32_t code = kNone;
    if (k < 0)
        refused(at, "SXFNOTPRETYPE", QStringLiteral("既定義線種の名前「%1」はありません").arg(name));
    else if (std::any_of(m_d.lineTypes.begin(), m_d.lineTypes.end(),
                 [&](const LineType& o) { return o.predefined && o.code == k + 1; }))
        refused(at, "SXFSAMENAME", QStringLiteral("既定義線種「%1」は定義済みです").arg(name));
    else
        code = static_cast<int32_t>(k + 1);
    m_ctx.entry[static_cast<size_t>(index)] = static_cast<int32_t>(m_d.lineTypes.size());
    m_d.lineTypes.push_back(LineType {p21Origin(at), true, name, 0, {}, code});
}

void Tables::userLineType(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    const P21List a = w.entity(index, "CURVE_STYLE_FONT");
    LineType t {p21Origin(at), false, w.string(a.at(0)), 0, {}, kNone};
    const P21List patterns = w.list(a.at(1));
    w.spend(2 * patterns.size());
    for (const P21Value& p : patterns) {
        const P21List lengths = w.entity(&p, "CURVE_STYLE_FONT_PATTERN");
        t.pitches.push_back(w.real(lengths.at(0)));
        t.pitches.push_back(w.real(lengths.at(1)));
    }
    if (!walked(at, w))
        return;
    t.segments = static_cast<int32_t>(t.pitches.size());
    if (m_userLineTypes >= kMaxUserLineTypes)
        refused(at, "SXFMAXUSERLINETYPE", QStringLiteral("ユーザ定義線種が 16 を超えています"));
    else
        t.code = kFirstUser + m_userLineTypes++;
    m_ctx.entry[static_cast<size_t>(index)] = static_cast<int32_t>(m_d.lineTypes.size());
    m_d.lineTypes.push_back(std::move(t));
}

void Tables::width(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    const P21Value* value = w.entity(index, "LENGTH_MEASURE_WITH_UNIT").at(0);
    if (value && value->kind == P21Kind::Typed)
        value = P21List(&m_ctx.data, static_cast<uint32_t>(value - m_ctx.data.values.data())).at(0);
    const double width = w.real(value);
    if (!walked(at, w))
        return;
    int32_t code = kNone;
    const auto same = [&](int32_t c) {
        return std::any_of(m_d.widths.begin(), m_d.widths.end(), [c](const Width& o) { return o.code == c; });
    };
    const auto pre = std::find_if(kPreWidths.begin(), kPreWidths.end(),
        [width](double p) { return std::abs(width - p) < kWidthTolerance; });
    if (!(width > 0)) {
        refused(at, "SXFERRORWIDTH", QStringLiteral("線幅 %1 が 0 以下です").arg(width));
    } else if (pre != kPreWidths.end()) {
        code = static_cast<int32_t>(pre - kPreWidths.begin()) + 1;
        if (same(code)) {
            refused(at, "SXFSAMEWIDTH", QStringLiteral("線幅 %1 は定義済みです").arg(width));
            code = kNone;
        }
    } else if (std::any_of(m_d.widths.begin(), m_d.widths.end(),
                   [width](const Width& o) { return o.code >= kFirstUserWidth && o.width == width; })) {
        refused(at, "SXFSAMEWIDTH", QStringLiteral("線幅 %1 は定義済みです").arg(width));
    } else if (kFirstUserWidth + m_userWidths > kLastUserWidth) {
        refused(at, "SXFMAXLINEWIDTH", QStringLiteral("ユーザ定義の線幅が 6 を超えています"));
    } else {
        code = kFirstUserWidth + m_userWidths++;
    }
    m_ctx.entry[static_cast<size_t>(index)] = static_cast<int32_t>(m_d.widths.size());
    m_d.widths.push_back(Width {p21Origin(at), width, code});
}

void Tables::font(const P21Instance& at, int32_t index)
{
    P21Walk w = m_ctx.walk();
    const QString name = w.string(w.untyped(w.entity(index, "EXTERNALLY_DEFINED_TEXT_FONT").at(0), "IDENTIFIER"));
    if (!walked(at, w))
        return;
    int32_t code = kNone;
    if (std::any_of(m_d.fonts.begin(), m_d.fonts.end(), [&](const Font& o) { return o.name == name; }))
        refused(at, "SXFSAMENAME", QStringLiteral("文字フォント「%1」は定義済みです").arg(name));
    else if (m_d.fonts.size() >= static_cast<size_t>(kMaxFonts))
        refused(at, "SXFMAXTEXTFONT", QStringLiteral("文字フォントが 1024 を超えています"));
    else
        code = static_cast<int32_t>(m_d.fonts.size()) + 1;
    m_ctx.entry[static_cast<size_t>(index)] = static_cast<int32_t>(m_d.fonts.size());
    m_d.fonts.push_back(Font {p21Origin(at), name, code});
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
