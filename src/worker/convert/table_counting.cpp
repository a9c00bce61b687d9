// Counting what a drawing uses: the top-level entities and the members of
// every block placement, the first step of building the attribute tables.
#include "worker/convert/attribute_tables.h"

#include "common/image_text.h"
#include "common/number_parse.h"
#include "common/text_slice.h"
#include "worker/jww/entity_access.h"

namespace convert {
namespace {

using namespace jww;

// Where a counted entity stands: at top level, or as a member of a block
// placement (counted on the placement's layer unless the placement's bit
// 0x40 says the members keep their own).
struct CountScope {
    bool topLevel = true;
    int32_t defno = -1;               // block definition of the members
    const TEntJwwAttr* placement = nullptr;  // layer of the placement
};

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

    void groupCount(const TEntJwwAttr& a)
    {
        if (m_scope->topLevel)
            ++m_t.DatLgp[a.nGLayer].cn;
    }
    void colourCount(int penColor)
    {
        if (penColor < kPenColourEntries)
            ++m_t.DatCol[penColor].cn;
    }
    void lineTypeCount(int penStyle)
    {
        if (penStyle < static_cast<int>(m_t.DatLtp.size()))
            ++m_t.DatLtp[penStyle].cn;
    }
    // The counted entity's layer, and its announcement to the group table.
    void layerCount(const TEntJwwAttr& own, uint32_t lGroup, bool announce)
    {
        const TEntJwwAttr* at = &own;
        if (!m_scope->topLevel && !(m_scope->placement->nPenStyle & 0x40))
            at = m_scope->placement;
        if (hasValidLayer(*at))
            ++m_t.DatLay[at->nGLayer * 16 + at->nLayer].cn;
        // A member is written on its own layer, so that layer must be defined
        // even when nothing else uses it.
        if (at != &own)
            ++m_t.DatLay[own.nGLayer * 16 + own.nLayer].cn;
        if (announce)
            m_groups.AddAttrNumber(static_cast<int32_t>(lGroup), m_scope->defno, own.nGLayer, m_eid);
    }

    // Lines, arcs, circles and ellipses.
    void countStroke(const TEntJwwAttr& a)
    {
        groupCount(a);
        m_t.proc3subWidth(a.nPenColor, a.nPenWidth);
        if (isAux(a)) {
            ++hojo;
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
            ++m_t.DatLtp[1].cn;
            ++m_t.DatWid[1].cn;
        }
        if (a.nPenColor == 9) {
            ++hojo;
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
        m_t.proc3subFont(e.strFontName);
        // Colour codes inside the text use those pen colours.
        for (int n = 1; n <= 8; ++n) {
            if (e.str.contains(QStringLiteral("^$") + QChar(u'0' + n)))
                ++m_t.DatCol[n].cn;
        }
        if (e.str.contains(QStringLiteral("^$9")))
            ++hojo;
        if (a.nPenColor == 9) {
            ++hojo;
            return;
        }
        colourCount(a.nPenColor);
        layerCount(a, a.lGroup, true);
    }

    void countOne(const TEntJwwSunpo& e)
    {
        const TEntJwwAttr& s = e.Sen.att;
        groupCount(s);
        m_t.proc3subWidth(s.nPenColor, s.nPenWidth);
        m_t.proc3subFont(e.Moji.strFontName);
        if (isAux(s)) {
            ++hojo;
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
        m_t.proc3subWidth(a.nPenColor, a.nPenWidth);
        if (a.nPenColor == 9) {
            ++hojo;
            return;
        }
        if (a.nPenColor == 10)
            m_t.proc3subFColor(e.Color, fc);
        else
            colourCount(a.nPenColor);
        ++m_t.DatLtp[1].cn;
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
    for (const TEntJwwBlockTree& node : d.EntBlockTree) {
        if (node.defno < 0 || node.defno >= static_cast<int32_t>(d.EntBlockDef.size()))
            continue;
        const TEntJwwBlockDef& def = d.EntBlockDef[node.defno];
        const CountScope scope{false, node.defno, &node.att};
        for (int32_t eid2 = 0; eid2 < static_cast<int32_t>(def.mNo.size()); ++eid2) {
            if (countable(d, &def, def.mNo[eid2]))
                counter.count(d, &def, def.mNo[eid2], eid2, scope);
        }
    }

    // Always defined, so that every file has a layer, colour, line type and width.
    ++DatLay[0].cn;
    ++DatCol[1].cn;
    ++DatLtp[1].cn;
    ++DatWid[1].cn;
    // The background-colour area is outlined in colour 1, black.
    ++DatCol[101].cn;
    if (counter.auxStroke)
        ++DatLtp[30 + cb4 + 1].cn;
    DatCol.resize(kFirstSolidColour + counter.fc);

    proc3subLgp(d);
    proc3subLayer(d, counter.hojo);
    proc3subColor(d, HojoLay >= 0);
    proc3subLtype(d);
    proc3subWidth();
}

}  // namespace convert
