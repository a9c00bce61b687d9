// The rules of the assemblies: the drawing sheet closes the file, every
// feature belongs to an assembly, composite curves hold curves only, symbols
// are defined once and placed where their kind allows, fill boundaries are
// well formed, and the sheet's own values.
#include "sxf/rule_context.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>

namespace sxf {

namespace {

// Symbol kinds: part drawings (1, 2), drawing group (3), drawing part (4).
constexpr int32_t kGroupSymbol = 3;
constexpr int32_t kPartSymbol = 4;

// Width and height in millimetres of the sheets A0..A4, landscape.
constexpr std::array<std::array<int, 2>, 5> kSheetSizes = {{{1189, 841}, {841, 594}, {594, 420}, {420, 297}, {297, 210}}};
constexpr int32_t kFreeSheet = 9;

QString assemblyName(AssemblyKind kind)
{
    switch (kind) {
    case AssemblyKind::Sheet: return QStringLiteral("用紙");
    case AssemblyKind::Symbol: return QStringLiteral("複合図形");
    case AssemblyKind::Curve: return QStringLiteral("複合曲線");
    }
    return {};
}

bool curveMember(FeatureKind kind)
{
    return kind == FeatureKind::Arc || kind == FeatureKind::EllipseArc || kind == FeatureKind::Polyline
           || kind == FeatureKind::Spline || kind == FeatureKind::Clothoid;
}

class AssemblyRules {
public:
    explicit AssemblyRules(RuleContext& c) : c(c), d(c.drawing), m_count(int32_t(d.assemblies.size())) {}

    void run();

private:
    struct Definition {
        int32_t position;  // of its sfig_org_feature among the assembly records
        int32_t flag;
    };

    void findClosingRecords();
    void walkRecords();
    void walkFeatures();
    void placement(const SymbolPlacementFeature& f, int32_t position);
    void boundary(const Origin& at, const FillBoundary& b, int32_t position);
    void sheetValues(const Sheet& sheet);

    RuleContext& c;
    const Drawing& d;
    const int32_t m_count;  // assembly records
    // Per feature: the position of the record that closes it, m_count for
    // a feature after the last record.
    std::vector<int32_t> m_closing;
    // Per record: the kind of symbol it defines, 0 for other records.
    std::vector<int32_t> m_symbolKind;
    // Per record: the number of composite curves before it.
    std::vector<int32_t> m_curvesBefore;
    // Per composite curve, in order: its 1-based position among all records.
    std::vector<int32_t> m_curveRecordNumber;
    QHash<QString, Definition> m_firstDefinition;
    QHash<QString, int> m_placed;
    bool m_sheetSeen = false;
};

void AssemblyRules::run()
{
    findClosingRecords();
    walkRecords();
    walkFeatures();
    if (const Sheet* sheet = d.sheet())
        sheetValues(*sheet);
}

void AssemblyRules::findClosingRecords()
{
    m_closing.assign(d.features.size(), m_count);
    for (int32_t p = 0; p < m_count; ++p) {
        const FeatureRange r = membersOf(d, d.assemblies[size_t(p)]);
        const int64_t first = std::max<int64_t>(r.first, 0);
        const int64_t end = std::min<int64_t>(int64_t(r.first) + r.count, int64_t(m_closing.size()));
        for (int64_t i = first; i < end; ++i)
            m_closing[size_t(i)] = p;
    }
}

void AssemblyRules::walkRecords()
{
    QSet<QString> symbolNames;
    m_symbolKind.assign(size_t(m_count), 0);
    m_curvesBefore.assign(size_t(m_count) + 1, 0);
    for (int32_t p = 0; p < m_count; ++p) {
        const AssemblyRef ref = d.assemblies[size_t(p)];
        const Origin& at = originOf(d, ref);
        m_curvesBefore[size_t(p) + 1] = m_curvesBefore[size_t(p)];
        // Readers take the sheet for the end of the drawing.
        if (m_sheetSeen) {
            const char* code = ref.kind == AssemblyKind::Sheet    ? "SXFSHEETONE"
                               : ref.kind == AssemblyKind::Symbol ? "SXFSFIGLOCERR"
                                                                  : "SXFCURVELOCERR";
            c.error(code, at, QStringLiteral("用紙の後に%1があります").arg(assemblyName(ref.kind)));
        }
        if (membersOf(d, ref).count <= 0)
            c.error("SXFNOTFEATURE", at, QStringLiteral("要素のない%1です").arg(assemblyName(ref.kind)));
        if (ref.kind == AssemblyKind::Sheet) {
            m_sheetSeen = true;
        } else if (ref.kind == AssemblyKind::Curve) {
            m_curveRecordNumber.push_back(p + 1);
            ++m_curvesBefore[size_t(p) + 1];
        } else if (ref.index >= 0 && size_t(ref.index) < d.symbols.size()) {
            const Symbol& s = d.symbols[size_t(ref.index)];
            if (s.name.isEmpty())
                c.error("SXFNOTSETCNAME", at, QStringLiteral("複合図形名が空です"));
            if (symbolNames.contains(s.name))
                c.error("SXFSAMENAME", at, QStringLiteral("複合図形「%1」が二度定義されています").arg(s.name));
            symbolNames.insert(s.name);
            if (s.flag < 1 || s.flag > kPartSymbol)
                c.error("SXFSFIGFLAG", at, QStringLiteral("複合図形の種類%1は1～4でなければなりません").arg(s.flag));
            c.nameLength(at, s.name);
            m_firstDefinition.insert(s.name, {p, s.flag});  // keeps the first
            m_symbolKind[size_t(p)] = s.flag;
        }
    }
    for (size_t i = 0; i < d.features.size(); ++i) {
        if (m_closing[i] == m_count)
            c.error("SXFNOTASSEMBLY", originOf(d, d.features[i]),
                    QStringLiteral("どの複合図形・複合曲線・用紙にも属さない要素です"));
    }
    if (!m_sheetSeen)
        c.error("SXFNOTSETSHEET", {}, QStringLiteral("用紙（drawing_sheet_feature）がありません"));
}

void AssemblyRules::walkFeatures()
{
    for (size_t i = 0; i < d.features.size(); ++i) {
        const FeatureRef ref = d.features[i];
        const int32_t p = m_closing[i];
        if (p < m_count && d.assemblies[size_t(p)].kind == AssemblyKind::Curve && !curveMember(ref.kind))
            c.error("SXFNOTCURVE", originOf(d, ref),
                    QStringLiteral("%1は複合曲線の要素になれません").arg(QLatin1String(featureName(ref.kind))));
        const auto index = size_t(ref.index);
        switch (ref.kind) {
        case FeatureKind::SymbolPlacement:
            if (index < d.placements.size())
                placement(d.placements[index], p);
            break;
        case FeatureKind::FillColour:
            if (index < d.fillColours.size())
                boundary(d.fillColours[index].at, d.fillColours[index].boundary, p);
            break;
        case FeatureKind::ExternalHatch:
            if (index < d.externalHatches.size())
                boundary(d.externalHatches[index].at, d.externalHatches[index].boundary, p);
            break;
        case FeatureKind::Hatching:
            if (index < d.hatchings.size())
                boundary(d.hatchings[index].at, d.hatchings[index].boundary, p);
            break;
        case FeatureKind::Tiles:
            if (index < d.tiles.size())
                boundary(d.tiles[index].at, d.tiles[index].boundary, p);
            break;
        default: break;
        }
    }
}

// A placement of a part drawing (kinds 1, 2) or a drawing group (3) places
// it once; part drawings go into no other symbol, and nothing but a drawing
// part goes into a drawing part. A symbol not defined before the placement
// is the reader's finding.
void AssemblyRules::placement(const SymbolPlacementFeature& f, int32_t position)
{
    const auto def = m_firstDefinition.constFind(f.name);
    if (def == m_firstDefinition.cend() || def->position >= position)
        return;
    const int32_t kind = def->flag;
    const int32_t host = position < m_count ? m_symbolKind[size_t(position)] : 0;
    if (kind >= 1 && kind <= kGroupSymbol && ++m_placed[f.name] >= 2)
        c.error("SXFSFIGLOCONE", f.at,
                QStringLiteral("複合図形「%1」（種類%2）が二度以上配置されています").arg(f.name).arg(kind));
    if (kind == 1 || kind == 2) {
        if (host == 1 || host == 2)
            c.error("SXFSFIGERROR", f.at, QStringLiteral("部分図「%1」が部分図の中に配置されています").arg(f.name));
        else if (host == kGroupSymbol)
            c.error("SXFGROUPERROR", f.at, QStringLiteral("部分図「%1」が作図グループの中に配置されています").arg(f.name));
        else if (host == kPartSymbol)
            c.error("SXFPARTERROR", f.at, QStringLiteral("部分図「%1」が作図部品の中に配置されています").arg(f.name));
    } else if (kind == kGroupSymbol && host == kPartSymbol) {
        c.error("SXFPARTERROR", f.at, QStringLiteral("作図グループ「%1」が作図部品の中に配置されています").arg(f.name));
    }
}

// Curve numbers count composite curves in file order; a curve that is not
// defined before the fill is the reader's finding.
void AssemblyRules::boundary(const Origin& at, const FillBoundary& b, int32_t position)
{
    if (b.holeCount < 0)
        c.error("SXFERRORNUMBER", at, QStringLiteral("穴の数%1が負の値です").arg(b.holeCount));
    if (size_t(std::max(b.holeCount, 0)) > b.holes.size())
        c.error("SXFNOTINIDNUMBER", at,
                QStringLiteral("穴の数は%1ですが穴の番号は%2個です").arg(b.holeCount).arg(b.holes.size()));
    const int32_t known = m_curvesBefore[size_t(position)];
    const size_t holes = std::min(size_t(std::max(b.holeCount, 0)), b.holes.size());
    for (size_t k = 0; k <= holes; ++k) {
        const int32_t id = k == 0 ? b.outer : b.holes[k - 1];
        if (k > 0 && id == b.outer) {
            c.error("SXFHATCHIDERROR", at, QStringLiteral("穴の複合曲線%1が外形と同じです").arg(id));
            continue;
        }
        if (id < 1 || id > known)
            continue;
        const int32_t recordNumber = m_curveRecordNumber[size_t(id) - 1];
        if (recordNumber != id)
            c.warning("CURVE-NUMBERING", at,
                      QStringLiteral("複合曲線%1は%2番目の複合図形です。複合図形の番号で数える読み込み側では"
                                     "別の曲線になります")
                          .arg(id)
                          .arg(recordNumber));
    }
}

void AssemblyRules::sheetValues(const Sheet& s)
{
    if (s.name.isEmpty())
        c.warning("SXFNOTSETZNAME", s.at, QStringLiteral("図面名が空です"));
    c.nameLength(s.at, s.name);
    if (s.kind == kFreeSheet) {
        if (s.x <= 0 || s.y <= 0)
            c.error("SXFSHEETLENGTH", s.at, QStringLiteral("自由用紙の大きさ%1×%2が正の値ではありません").arg(num(s.x), num(s.y)));
        return;
    }
    if (s.kind < 0 || s.kind > 4) {
        c.error("SXFSHEETSIZE", s.at, QStringLiteral("用紙の種類%1は0～4か9でなければなりません").arg(s.kind));
        return;
    }
    if (s.orientation != 0 && s.orientation != 1)
        c.error("SXFORIENTERROR", s.at, QStringLiteral("用紙の向き%1は0か1でなければなりません").arg(s.orientation));
    if (s.x > 0 || s.y > 0) {
        auto [w, h] = kSheetSizes[size_t(s.kind)];
        if (s.orientation == 0)
            std::swap(w, h);
        // Checking programs note the lengths even when they are the standard
        // ones; say so, since every sheet of this system's files has them.
        const bool standard = std::trunc(s.x) == w && std::trunc(s.y) == h;
        const QString note = standard ? QStringLiteral("標準の大きさと同じです")
                                      : QStringLiteral("A%1は%2×%3です").arg(s.kind).arg(w).arg(h);
        c.warning("SXFSHEETLENGTHWARNING", s.at,
                  QStringLiteral("A%1の用紙に大きさ%2×%3も書かれています（%4）").arg(s.kind).arg(num(s.x), num(s.y), note));
    }
}

}  // namespace

void checkAssemblies(RuleContext& c)
{
    AssemblyRules(c).run();
}

}  // namespace sxf
