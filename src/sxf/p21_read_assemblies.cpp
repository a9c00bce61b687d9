// Composite curves, symbol definitions and the sheet, in dependency order.
#include "sxf/p21_read_assemblies.h"

#include "sxf/p21_read_annotations.h"
#include "sxf/p21_read_items.h"
#include "sxf/p21_read_sheet.h"
#include "sxf/p21_read_tables.h"

#include <QSet>

#include <array>

namespace sxf {
namespace {

struct Definition {
    int32_t map = kNone;  // the SYMBOL_REPRESENTATION_MAP
    QString name;
    int32_t flag = 4;
    P21List items;
    std::vector<int32_t> uses;  // definitions placed and curves bounding fills
    uint8_t state = 0;          // 0 not yet read, 1 being read, 2 read
};

class Assemblies {
public:
    explicit Assemblies(P21Context& ctx) : m_ctx(ctx) {}
    void read();

private:
    void collect();
    void definition(int32_t index);
    void curveStyle(int32_t index);
    void findUses(Definition& def);
    void visit(size_t root);
    void emitCurve(int32_t index);
    void emitSymbol(Definition& def);
    void sheet();
    void memberAttributes();
    void warnUnplaced();
    const P21Instance& at(int32_t index) const { return m_ctx.data.instances[static_cast<size_t>(index)]; }

    P21Context& m_ctx;
    std::vector<int32_t> m_curves;  // COMPOSITE_CURVE instances, file order
    std::vector<Definition> m_defs;  // registered definitions, file order
    std::unordered_map<int32_t, size_t> m_defOf;
    QSet<QString> m_names;
    std::vector<int32_t> m_usages;
    // The styled item that gives each composite curve its style; one that
    // is part of a complex instance wins over a simple STYLED_ITEM.
    std::unordered_map<int32_t, int32_t> m_styleOf;
};

void Assemblies::read()
{
    collect();
    if (!m_defs.empty() && m_usages.empty()) {
        m_ctx.fatal = QStringLiteral("シンボル定義があるのに図面（DRAWING_SHEET_REVISION_USAGE）がありません");
        return;
    }
    for (Definition& def : m_defs)
        findUses(def);
    // Curves and definitions in file order; a definition pulls in what it
    // uses first.
    size_t c = 0, d = 0;
    while ((c < m_curves.size() || d < m_defs.size()) && m_ctx.fatal.isEmpty()) {
        if (d == m_defs.size() || (c < m_curves.size() && m_curves[c] < m_defs[d].map))
            emitCurve(m_curves[c++]);
        else
            visit(d++);
    }
    if (m_ctx.fatal.isEmpty())
        sheet();
    memberAttributes();
    warnUnplaced();
}

void Assemblies::collect()
{
    P21Walk names(m_ctx.data);
    for (size_t i = 0; i < m_ctx.data.instances.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        const std::string_view name = names.simpleName(index);
        if (name == "COMPOSITE_CURVE")
            m_curves.push_back(index);
        else if (name == "SYMBOL_REPRESENTATION_MAP")
            definition(index);
        else if (name == "DRAWING_SHEET_REVISION_USAGE")
            m_usages.push_back(index);
        else if (name == "STYLED_ITEM" || (name.empty() && names.has(index, "STYLED_ITEM")))
            curveStyle(index);
    }
}

void Assemblies::definition(int32_t index)
{
    static const std::array<std::pair<QString, int32_t>, 4> prefixes = {{{QStringLiteral("$$SXF_FM_"), 1},
        {QStringLiteral("$$SXF_FG_"), 2}, {QStringLiteral("$$SXF_G_"), 3}, {QStringLiteral("$$SXF_P_"), 4}}};
    P21Walk w = m_ctx.walk();
    const P21List map = w.entity(index, "SYMBOL_REPRESENTATION_MAP");
    const P21List rep = w.entity(map.at(map.size() - 1), "DRAUGHTING_SUBFIGURE_REPRESENTATION");
    Definition def {index, w.string(rep.at(0)), 4, w.list(rep.at(1)), {}, 0};
    if (!w.ok()) {
        m_ctx.report.error("P21_SYMBOL", &at(index),
            QStringLiteral("シンボル定義 %1 が読めません：%2").arg(p21Name(at(index)), w.why()));
        return;
    }
    const auto prefix = std::find_if(prefixes.begin(), prefixes.end(),
        [&def](const auto& p) { return def.name.startsWith(p.first); });
    if (prefix != prefixes.end()) {
        def.flag = prefix->second;
        def.name = def.name.mid(prefix->first.size());
    } else {
        m_ctx.report.warning("P21_SYMBOL", &at(index),
            QStringLiteral("シンボル定義「%1」の名前に種類（$$SXF_FM_ など）がありません").arg(def.name));
    }
    if (m_names.contains(def.name)) {
        m_ctx.report.error("SXFSAMENAME", &at(index),
            QStringLiteral("シンボル定義「%1」は二度目なので読みません").arg(def.name));
        return;
    }
    // Registered from the start: a placement of a definition that is left
    // out later (empty, or inside a cycle) is an error of its own, while the
    // official reader gives up on a placement of one never registered.
    m_ctx.symbolOf[index] = kNone;
    m_names.insert(def.name);
    m_defOf[index] = m_defs.size();
    m_defs.push_back(std::move(def));
}

void Assemblies::curveStyle(int32_t index)
{
    P21Walk w(m_ctx.data);
    const P21List styled = w.entity(index, "STYLED_ITEM");
    const P21Value* item = styled.at(styled.size() - 1);
    const int32_t target = item && item->kind == P21Kind::Reference ? m_ctx.data.find(item->integer()) : -1;
    if (w.simpleName(target) != "COMPOSITE_CURVE")
        return;
    auto it = m_styleOf.find(target);
    if (it == m_styleOf.end())
        m_styleOf.emplace(target, index);
    else if (!at(it->second).complex && at(index).complex)
        it->second = index;
}

// What the items of `def` need read before it: the definitions its
// placements show and the curves that bound its fills.
void Assemblies::findUses(Definition& def)
{
    for (const P21Value& v : def.items) {
        const int32_t item = v.kind == P21Kind::Reference ? m_ctx.data.find(v.integer()) : -1;
        P21Walk w = m_ctx.walk();
        if (w.has(item, "ANNOTATION_SUBFIGURE_OCCURRENCE")) {
            const P21List mapped = w.entity(readP21Styled(w, item).item, "MAPPED_ITEM");
            const int32_t shown = w.target(mapped.at(mapped.size() - 2));
            if (w.ok())
                def.uses.push_back(shown);
        } else if (w.has(item, "ANNOTATION_FILL_AREA_OCCURRENCE")) {
            const P21List area = w.entity(readP21Styled(w, item).item, "ANNOTATION_FILL_AREA");
            for (const P21Value& curve : w.list(area.at(area.size() - 1))) {
                if (curve.kind == P21Kind::Reference && m_ctx.data.find(curve.integer()) >= 0)
                    def.uses.push_back(m_ctx.data.find(curve.integer()));
            }
        }
    }
}

// Reads definition `root` after what it uses, depth first without
// recursion: a file can nest definitions as deep as it likes.
void Assemblies::visit(size_t root)
{
    if (m_defs[root].state != 0)
        return;
    std::vector<std::pair<size_t, size_t>> stack {{root, 0}};
    m_defs[root].state = 1;
    while (!stack.empty() && m_ctx.fatal.isEmpty()) {
        auto& [def, next] = stack.back();
        Definition& d = m_defs[def];
        if (next == d.uses.size()) {
            emitSymbol(d);
            d.state = 2;
            stack.pop_back();
            continue;
        }
        const int32_t used = d.uses[next++];
        if (P21Walk(m_ctx.data).simpleName(used) == "COMPOSITE_CURVE") {
            emitCurve(used);
            continue;
        }
        const auto it = m_defOf.find(used);
        if (it == m_defOf.end())
            continue;
        Definition& u = m_defs[it->second];
        if (u.state == 1) {
            m_ctx.report.error("P21_SYMBOL", &at(d.map),
                QStringLiteral("シンボル定義「%1」が自分自身を（間接に）配置しています").arg(d.name));
        } else if (u.state == 0) {
            u.state = 1;
            stack.emplace_back(it->second, 0);
        }
    }
}

void Assemblies::emitCurve(int32_t index)
{
    if (m_ctx.curveOf.count(index) != 0)
        return;
    m_ctx.curveOf[index] = kNone;
    Drawing& d = m_ctx.drawing;
    P21Walk w = m_ctx.walk();
    const P21List segments = w.list(w.entity(index, "COMPOSITE_CURVE").at(1));
    CompositeCurve curve;
    curve.at = p21Origin(at(index));
    curve.segments.first = static_cast<int32_t>(d.features.size());
    for (const P21Value& ref : segments) {
        P21Walk sw = m_ctx.walk();
        const int32_t segment = sw.target(&ref);
        const P21List s = sw.entity(segment, "COMPOSITE_CURVE_SEGMENT");
        const P21Curve c = readP21Curve(m_ctx, sw, sw.target(s.at(s.size() - 1)));
        const bool member = c.kind == FeatureKind::Arc || c.kind == FeatureKind::EllipseArc
            || c.kind == FeatureKind::Polyline || c.kind == FeatureKind::Spline;
        if (sw.ok() && !member)
            sw.fail(QStringLiteral("円弧・楕円弧・折れ線・スプラインのほかは複合曲線の要素になれません"));
        if (!sw.ok()) {
            const P21Instance& where = segment >= 0 ? at(segment) : at(index);
            m_ctx.report.error("P21_SEGMENT", &where,
                QStringLiteral("%1 を複合曲線の要素として読めません：%2").arg(p21Name(where), sw.why()));
            continue;
        }
        appendP21Curve(d, c, p21Origin(at(segment)), SfcAttr {}, TableRefs {});
    }
    curve.segments.count = static_cast<int32_t>(d.features.size()) - curve.segments.first;
    const auto style = m_styleOf.find(index);
    if (style != m_styleOf.end()) {
        P21Walk sw(m_ctx.data);
        const SfcAttr a = p21CurveStyle(m_ctx, sw, readP21Styled(sw, style->second).styles, at(index), curve.refs);
        curve.colour = a.colour;
        curve.lineType = a.lineType;
        curve.width = a.width;
        curve.flag = m_ctx.invisible[static_cast<size_t>(style->second)] ? 0 : 1;
        if (!sw.ok())
            m_ctx.report.error("P21_CURVE", &at(index),
                QStringLiteral("複合曲線 %1 のスタイルが読めません：%2").arg(p21Name(at(index)), sw.why()));
    } else {
        curve.flag = 1;
        m_ctx.report.error("P21_CURVE", &at(index),
            QStringLiteral("複合曲線 %1 にスタイル（STYLED_ITEM）がありません").arg(p21Name(at(index))));
    }
    if (!w.ok() || curve.segments.count == 0) {
        m_ctx.report.warning("SXFNOTFEATURE", &at(index),
            QStringLiteral("複合曲線 %1 には読める要素がないので除きます").arg(p21Name(at(index))));
        return;
    }
    m_ctx.curveOf[index] = static_cast<int32_t>(d.curves.size());
    d.assemblies.push_back(AssemblyRef {AssemblyKind::Curve, static_cast<int32_t>(d.curves.size())});
    d.curves.push_back(curve);
}

void Assemblies::emitSymbol(Definition& def)
{
    Drawing& d = m_ctx.drawing;
    const auto first = static_cast<int32_t>(d.features.size());
    if (!mapP21Items(m_ctx, def.items)) {
        m_ctx.fatal = QStringLiteral("シンボル定義「%1」の項目の並びが壊れています").arg(def.name);
        return;
    }
    const int32_t count = static_cast<int32_t>(d.features.size()) - first;
    if (count == 0) {
        m_ctx.report.warning("SXFNOTFEATURE", &at(def.map),
            QStringLiteral("シンボル定義「%1」には読める図形がないので除きます").arg(def.name));
        return;
    }
    m_ctx.symbolOf[def.map] = static_cast<int32_t>(d.symbols.size());
    d.assemblies.push_back(AssemblyRef {AssemblyKind::Symbol, static_cast<int32_t>(d.symbols.size())});
    d.symbols.push_back(Symbol {p21Origin(at(def.map)), def.name, def.flag, FeatureRange {first, count}});
}

void Assemblies::sheet()
{
    for (size_t i = 1; i < m_usages.size(); ++i) {
        m_ctx.report.error("SXFSHEETONE", &at(m_usages[i]),
            QStringLiteral("図面が二つ以上あります（%1 は読みません）").arg(p21Name(at(m_usages[i]))));
    }
    if (m_usages.empty()) {
        m_ctx.report.error("SXFNOTSETSHEET", nullptr, QStringLiteral("図面（DRAWING_SHEET_REVISION_USAGE）がありません"));
        return;
    }
    if (!readP21Sheet(m_ctx, m_usages[0]))
        m_ctx.fatal = QStringLiteral("図面の項目の並びが壊れています");
}

// Composite curve members carry no style of their own in P21; they get the
// curve's, and the layer of the first fill the curve bounds, which is how
// feature records give them.
void Assemblies::memberAttributes()
{
    Drawing& d = m_ctx.drawing;
    std::vector<std::pair<int32_t, int32_t>> layerOf(d.curves.size(), {0, kNone});
    std::vector<bool> seen(d.curves.size());
    const auto bound = [&](const FillBoundary& b, int32_t layer, const TableRefs& refs) {
        std::vector<int32_t> curves = b.holeCurves;
        curves.push_back(b.outerCurve);
        for (int32_t c : curves) {
            if (c >= 0 && !seen[static_cast<size_t>(c)]) {
                seen[static_cast<size_t>(c)] = true;
                layerOf[static_cast<size_t>(c)] = {layer, refs.layer};
            }
        }
    };
    for (const FeatureRef& f : d.features) {
        const auto i = static_cast<size_t>(f.index);
        if (f.kind == FeatureKind::FillColour)
            bound(d.fillColours[i].boundary, d.fillColours[i].layer, d.fillColours[i].refs);
        else if (f.kind == FeatureKind::ExternalHatch)
            bound(d.externalHatches[i].boundary, d.externalHatches[i].layer, d.externalHatches[i].refs);
        else if (f.kind == FeatureKind::Hatching)
            bound(d.hatchings[i].boundary, d.hatchings[i].layer, d.hatchings[i].refs);
        else if (f.kind == FeatureKind::Tiles)
            bound(d.tiles[i].boundary, d.tiles[i].layer, d.tiles[i].refs);
    }
    for (size_t c = 0; c < d.curves.size(); ++c) {
        const CompositeCurve& curve = d.curves[c];
        const SfcAttr a {layerOf[c].first, curve.colour, curve.lineType, curve.width};
        TableRefs refs = curve.refs;
        refs.layer = layerOf[c].second;
        for (int32_t k = 0; k < curve.segments.count; ++k) {
            const FeatureRef& f = d.features[static_cast<size_t>(curve.segments.first + k)];
            const auto i = static_cast<size_t>(f.index);
            if (f.kind == FeatureKind::Arc)
                std::tie(d.arcs[i].a, d.arcs[i].refs) = std::tie(a, refs);
            else if (f.kind == FeatureKind::EllipseArc)
                std::tie(d.ellipseArcs[i].a, d.ellipseArcs[i].refs) = std::tie(a, refs);
            else if (f.kind == FeatureKind::Polyline)
                std::tie(d.polylines[i].a, d.polylines[i].refs) = std::tie(a, refs);
            else if (f.kind == FeatureKind::Spline)
                std::tie(d.splines[i].a, d.splines[i].refs) = std::tie(a, refs);
        }
    }
}

// The official reader returns only the definitions that the sheet places,
// directly or through other definitions; this reader keeps the others and
// says so.
void Assemblies::warnUnplaced()
{
    const Drawing& d = m_ctx.drawing;
    std::vector<bool> reached(d.symbols.size());
    std::vector<int32_t> work;
    const auto scan = [&](FeatureRange r) {
        for (int32_t k = 0; k < r.count; ++k) {
            const FeatureRef& f = d.features[static_cast<size_t>(r.first + k)];
            const int32_t s = f.kind == FeatureKind::SymbolPlacement ? d.placements[static_cast<size_t>(f.index)].symbol
                                                                      : kNone;
            if (s >= 0 && !reached[static_cast<size_t>(s)]) {
                reached[static_cast<size_t>(s)] = true;
                work.push_back(s);
            }
        }
    };
    if (const Sheet* sheet = d.sheet())
        scan(sheet->members);
    while (!work.empty()) {
        const int32_t s = work.back();
        work.pop_back();
        scan(d.symbols[static_cast<size_t>(s)].members);
    }
    for (size_t s = 0; s < d.symbols.size(); ++s) {
        if (reached[s])
            continue;
        const Symbol& symbol = d.symbols[s];
        const P21Instance where {symbol.at.number, symbol.at.line, 0, 0, false};
        m_ctx.report.warning("P21_SYMBOL_UNUSED", &where,
            QStringLiteral("シンボル定義「%1」は図面から配置されていません（公式の読み手はこの定義を返しません）")
                .arg(symbol.name));
    }
}

}  // namespace

void readP21Assemblies(P21Context& ctx)
{
    Assemblies(ctx).read();
}

}  // namespace sxf
