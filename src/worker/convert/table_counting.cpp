// Counting what a drawing uses: the top-level entities and the members of
// every block placement, the first step of building the attribute tables.
#include "worker/convert/attribute_tables.h"

#include "common/image_text.h"
#include "common/number_parse.h"
#include "common/text_slice.h"
#include "worker/jww/entity_access.h"

#include <unordered_map>
#include <vector>

namespace convert {
namespace {

using namespace jww;

// Where a counted entity stands: at top level, or as a member of a block
// placement (counted on the placement's layer unless the placement's bit
// 0x40 says the members keep their own). The members of `times` placements
// that count alike are counted at once; only the first placement of a
// definition announces its members, later ones would only repeat them.
struct CountScope {
    bool topLevel = true;
    int32_t defno = -1;               // block definition of the members
    const TEntJwwAttr* placement = nullptr;  // layer of the placement
    int64_t times = 1;
    bool announce = true;
};

// The pen colours 1..9 that "^$1" .. "^$9" codes in `text` name, as bits 1..9.
uint32_t colourCodesIn(QStringView text)
{
    uint32_t codes = 0;
    for (qsizetype at = text.indexOf(u"^$"); at >= 0 && at + 2 < text.size(); at = text.indexOf(u"^$", at + 1)) {
        const char16_t c = text[at + 2].unicode();
        if (c >= u'1' && c <= u'9')
            codes |= 1u << (c - u'0');
    }
    return codes;
}

class TableCounter {
public:
    TableCounter(AttributeTables& t, TSFC_GroupAttr& groups) : m_t(t), m_groups(groups) {}

    void count(const TJwwData& d, const TEntJwwBlockDef* def, const TEntJwwNo& no, int32_t eid,
               const CountScope& scope)
    {
        m_eid = eid;
        m_scope = &scope;
        visitEntity(d, def, no, [this](const auto& e) { countOne(e); });
    }

    int32_t hojo = 0;  // auxiliary entities
    int32_t fc = 0;    // distinct solid colours
    bool auxStroke = false;  // an auxiliary line, arc or dimension: drawn with line type cb4 + 1

private:
    static bool isAux(const TEntJwwAttr& a) { return a.nPenStyle == 9 || a.nPenColor == 9; }

    void add(int32_t& cn) const { addCount(cn, m_scope->times); }
    void auxiliaryCount() { add(hojo); }
    void groupCount(const TEntJwwAttr& a)
    {
        if (m_scope->topLevel)
            add(m_t.DatLgp[a.nGLayer].cn);
    }
    void colourCount(int penColor)
    {
        if (penColor < kPenColourEntries)
            add(m_t.DatCol[penColor].cn);
    }
    void lineTypeCount(int penStyle)
    {
        if (penStyle < static_cast<int>(m_t.DatLtp.size()))
            add(m_t.DatLtp[penStyle].cn);
    }
    void widthCount(const TEntJwwAttr& a) { m_t.proc3subWidth(a.nPenColor, a.nPenWidth, m_scope->times); }
    void fontCount(const QString& font) { m_t.proc3subFont(font, m_scope->times); }
    // The counted entity's layer, and its announcement to the group table.
    void layerCount(const TEntJwwAttr& own, uint32_t lGroup, bool announce)
    {
        const TEntJwwAttr* at = &own;
        if (!m_scope->topLevel && !(m_scope->placement->nPenStyle & 0x40))
            at = m_scope->placement;
        if (hasValidLayer(*at))
            add(m_t.DatLay[at->nGLayer * 16 + at->nLayer].cn);
        // A member is written on its own layer, so that layer must be defined
        // even when nothing else uses it.
        if (at != &own)
            add(m_t.DatLay[own.nGLayer * 16 + own.nLayer].cn);
        if (announce && m_scope->announce)
            m_groups.AddAttrNumber(static_cast<int32_t>(lGroup), m_scope->defno, own.nGLayer, m_eid);
    }

    // Lines, arcs, circles and ellipses.
    void countStroke(const TEntJwwAttr& a)
    {
        groupCount(a);
        widthCount(a);
        if (isAux(a)) {
            auxiliaryCount();
            auxStroke = true;
            return;
        }
        colourCount(a.nPenColor);
        lineTypeCount(a.nPenStyle);
        layerCount(a, a.lGroup, true);
    }

    void countOne(const TEntJwwLine& e) { countStroke(e.att); }
    void countOne(const TEntJwwEnko& e) { countStroke(e.att); }

    void countOne(const TEntJwwTen& e)
    {
        const TEntJwwAttr& a = e.att;
        groupCount(a);
        if (a.nPenStyle == 100 && e.nCode >= 0) {
            // Markers and arrows are drawn with line type 1 and width 1.
            add(m_t.DatLtp[1].cn);
            add(m_t.DatWid[1].cn);
        }
        if (a.nPenColor == 9) {
            auxiliaryCount();
            return;
        }
        colourCount(a.nPenColor);
        layerCount(a, a.lGroup, true);
    }

    void countOne(const TEntJwwMoji& e)
    {
        const TEntJwwAttr& a = e.att;
        if (common::IsImageText(e.str)) {
            // An image reference is no text, but the frame of its image is
            // drawn on its layer, wherever its points lie.
            groupCount(a);
            layerCount(a, a.lGroup, false);
            return;
        }
        if (common::SamePoint(e.start_x, e.start_y, e.end_x, e.end_y))
            return;
        if (common::SamePoint(e.start_x, e.start_y, 0, 0) && common::SamePoint(e.end_x, e.end_y, 0.01, 0.01))
            return;
        groupCount(a);
        fontCount(e.strFontName);
        // Colour codes inside the text use those pen colours.
        const uint32_t codes = colourCodesIn(e.str);
        for (int n = 1; n <= 8; ++n) {
            if (codes & (1u << n))
                add(m_t.DatCol[n].cn);
        }
        if (codes & (1u << 9))
            auxiliaryCount();
        if (a.nPenColor == 9) {
            auxiliaryCount();
            return;
        }
        colourCount(a.nPenColor);
        layerCount(a, a.lGroup, true);
    }

    void countOne(const TEntJwwSunpo& e)
    {
        const TEntJwwAttr& s = e.Sen.att;
        groupCount(s);
        widthCount(s);
        fontCount(e.Moji.strFontName);
        if (isAux(s)) {
            auxiliaryCount();
            auxStroke = true;
            return;
        }
        colourCount(s.nPenColor);
        lineTypeCount(s.nPenStyle);
        layerCount(s, e.att.lGroup, true);
    }

    void countOne(const TEntJwwSolid& e)
    {
        const TEntJwwAttr& a = e.att;
        groupCount(a);
        widthCount(a);
        if (a.nPenColor == 9) {
            auxiliaryCount();
            return;
        }
        if (a.nPenColor == 10)
            m_t.proc3subFColor(e.Color, fc, m_scope->times);
        else
            colourCount(a.nPenColor);
        add(m_t.DatLtp[1].cn);
        layerCount(a, a.lGroup, true);
    }

    void countOne(const TEntJwwBlock& e)
    {
        const TEntJwwAttr& a = e.att;
        groupCount(a);
        // A placement on no layer counts only its group, so that a scaled
        // group holding nothing else still becomes a part.
        if (a.nPenStyle & 0x40)
            return;
        layerCount(a, a.lGroup, false);
    }

    AttributeTables& m_t;
    TSFC_GroupAttr& m_groups;
    int32_t m_eid = 0;
    const CountScope* m_scope = nullptr;
};

// True for an entity that the attribute tables may count: one whose layer and
// group lie within 0..15.
bool countable(const TJwwData& d, const TEntJwwBlockDef* def, const TEntJwwNo& no)
{
    bool valid = false;
    visitEntity(d, def, no, [&](const auto& e) { valid = hasValidLayer(layerAttrOf(e)); });
    return valid;
}

// The placements of the insert tree grouped by how their members count: by
// definition, and by the layer the members are counted on (the placement's,
// none when the placement's is damaged, or the members' own with bit 0x40).
// In order of the first placement of each group, which keeps the order in
// which fonts, solid colours and group members are first met.
std::vector<CountScope> placementScopes(const TJwwData& d)
{
    constexpr int32_t kOwnLayers = -2;
    constexpr int32_t kNoLayer = -1;
    std::vector<CountScope> scopes;
    std::unordered_map<int64_t, size_t> scopeOf;
    std::vector<bool> announced(d.EntBlockDef.size(), false);
    for (const TEntJwwBlockTree& node : d.EntBlockTree) {
        if (node.defno < 0 || node.defno >= countOf(d.EntBlockDef))
            continue;
        const TEntJwwAttr& a = node.att;
        const int32_t layer = (a.nPenStyle & 0x40) ? kOwnLayers : hasValidLayer(a) ? a.nGLayer * 16 + a.nLayer : kNoLayer;
        const int64_t key = static_cast<int64_t>(node.defno) * 512 + (layer - kOwnLayers);
        const auto [it, added] = scopeOf.emplace(key, scopes.size());
        if (!added) {
            ++scopes[it->second].times;
            continue;
        }
        const bool first = !announced[static_cast<size_t>(node.defno)];
        announced[static_cast<size_t>(node.defno)] = true;
        scopes.push_back({false, node.defno, &node.att, 1, first});
    }
    return scopes;
}

}  // namespace

void AttributeTables::proc3(const TJwwData& d, const TgraAttribute& graAtt, TSFC_GroupAttr& groups)
{
    GraAtt = &graAtt;
    // The auxiliary colour and line type index lists of 16 and 15 entries; a
    // settings file can hold anything (the front-end writes -1 for none).
    if (cb3 < 0 || cb3 > 15)
        cb3 = 0;
    if (cb4 < 0 || cb4 > 14)
        cb4 = 0;
    initTables(d);

    TableCounter counter(*this, groups);
    const CountScope top;
    for (int32_t eid = 0; eid < static_cast<int32_t>(d.EntNo.size()); ++eid) {
        if (countable(d, nullptr, d.EntNo[eid]))
            counter.count(d, nullptr, d.EntNo[eid], eid, top);
    }
    for (const CountScope& scope : placementScopes(d)) {
        const TEntJwwBlockDef& def = d.EntBlockDef[static_cast<size_t>(scope.defno)];
        for (int32_t eid2 = 0; eid2 < static_cast<int32_t>(def.mNo.size()); ++eid2) {
            if (countable(d, &def, def.mNo[eid2]))
                counter.count(d, &def, def.mNo[eid2], eid2, scope);
        }
    }

    // Always defined, so that every file has a layer, colour, line type and width.
    addCount(DatLay[0].cn, 1);
    addCount(DatCol[1].cn, 1);
    addCount(DatLtp[1].cn, 1);
    addCount(DatWid[1].cn, 1);
    // The background-colour area is outlined in colour 1, black.
    addCount(DatCol[101].cn, 1);
    if (counter.auxStroke)
        addCount(DatLtp[30 + cb4 + 1].cn, 1);
    DatCol.resize(kFirstSolidColour + counter.fc);

    proc3subLgp(d);
    buildSymbols(d);
    proc3subLayer(d, counter.hojo);
    proc3subColor(d, HojoLay >= 0);
    proc3subLtype(d);
    proc3subWidth();
}

}  // namespace convert
