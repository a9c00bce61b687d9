// Numbering and naming the counted entries of the attribute tables.
#include "worker/convert/attribute_tables.h"

#include "common/number_parse.h"
#include "common/number_text.h"
#include "common/text_slice.h"
#include "sxf/sfc_writer.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace convert {
namespace {

using namespace jww;

const QString kDefaultFont = QStringLiteral("ＭＳ ゴシック");
constexpr int32_t kMaxFonts = 1024;  // the most fonts an SFC file may define

int64_t channelSquare(uint32_t c, int shift)
{
    const int64_t v = (c >> shift) & 0xFF;
    return v * v;
}

// Each part whose upper-cased name equals that of an earlier part, as that
// one was finally named, takes "_" and its own position, once for every such
// earlier part met in order, the comparisons going on with the longer name.
// The final names are indexed, so that this stays linear in the parts.
void makePartNamesUnique(std::vector<TDatPrtField>& parts)
{
    QHash<QString, std::vector<int32_t>> named;  // upper-cased name -> parts so named, in order
    for (int32_t j = 0; j < jww::countOf(parts); ++j) {
        QString upper = common::UpperText(parts[j].nam);
        const QString suffix = QStringLiteral("_") + QString::number(j);
        int32_t from = 0;  // the earlier parts not compared yet
        for (auto it = named.constFind(upper); it != named.constEnd(); it = named.constFind(upper)) {
            const auto match = std::lower_bound(it->begin(), it->end(), from);
            if (match == it->end())
                break;
            parts[j].nam += suffix;
            upper += suffix;  // digits and "_" have no case
            from = *match + 1;
        }
        named[upper].push_back(j);
    }
}

// The index 101..356 of the first SFC colour of each value.
std::unordered_map<uint32_t, int32_t> sfcColourIndex(const std::vector<TDatColField>& cols)
{
    std::unordered_map<uint32_t, int32_t> index;
    for (int i = 101; i <= 356; ++i)
        index.emplace(cols[static_cast<size_t>(i)].co, i);
    return index;
}

}  // namespace

void AttributeTables::initTables(const TJwwData& d)
{
    DatLgp.assign(16, {});
    for (int g = 0; g < 16; ++g) {
        const TEntJwwLayerGroup* lg = g < static_cast<int>(d.EntLgrp.size()) ? &d.EntLgrp[g] : nullptr;
        const QString name = lg ? lg->aStrGLayName : QString();
        DatLgp[g].nam = common::IsBlank(name) ? QStringLiteral("部分図") + common::HexDigit(g) : sxf::safeSfcString(name);
        // A scale of 0, below 0 or not finite cannot place a part: such a
        // group is drawn at scale 1.
        const double sc = lg ? lg->adScale : 1.0;
        DatLgp[g].sc = std::isfinite(sc) && sc > 0 ? sc : 1.0;
    }
    DatLay.assign(256, {});
    DatCol.assign(kPenColourEntries, {});
    DatLtp.assign(63, {});
    DatWid.assign(17, {});
    for (int i = 0; i < 17; ++i)
        DatWid[i].wid = kWidthTable[i];
    DatFon.clear();
    m_fontIndex.clear();
    m_fontByName.clear();
    m_solidIndex.clear();
    proc3subFont(kDefaultFont);
    DatPrt.clear();
    HojoLay = -1;
    HojoShared = false;
}

void AttributeTables::proc3subLgp(const TJwwData& d)
{
    DatPrt.clear();
    for (int i = 0; i < static_cast<int>(d.EntBlockDef.size()); ++i) {
        const TEntJwwBlockDef& def = d.EntBlockDef[i];
        if (def.N <= 0 || !def.ref_flag)
            continue;
        const BlockMark mark = blockMarkOf(def.strName);
        if (mark.typ == 0)
            continue;
        QString name = sxf::safeSfcString(def.strName.left(mark.at));
        if (common::IsBlank(name))
            name = QStringLiteral("_BLOCK_") + QString::number(i);
        DatPrt.push_back({name, mark.typ, i, 1.0});
    }
    for (int g = 0; g < 16; ++g) {
        TDatLgpField& lg = DatLgp[g];
        if (lg.cn <= 0 || isSheetScale(lg.sc))
            continue;
        int shared = -1;
        for (int j = 0; j < g && shared < 0; ++j) {
            if (DatLgp[j].cn > 0 && !isSheetScale(DatLgp[j].sc) && common::SameNum(DatLgp[j].sc, lg.sc))
                shared = j;
        }
        if (shared >= 0) {
            lg.no = DatLgp[shared].no;  // groups of equal scale share one part
            continue;
        }
        DatPrt.push_back({lg.nam, 0, g, lg.sc});
        lg.no = static_cast<int32_t>(DatPrt.size());
    }
    makePartNamesUnique(DatPrt);
}

void AttributeTables::proc3subLayer(const TJwwData& d, int32_t hojo)
{
    int32_t next = 1;
    // The upper-cased names assigned so far, each cased once rather than
    // once per later layer.
    std::vector<QString> assigned;
    assigned.reserve(256);
    for (int i = 0; i < 256; ++i) {
        const QString fallback = QStringLiteral("_") + common::HexDigit(i / 16) + u'_' + common::HexDigit(i % 16) + u'_';
        const TEntJwwLayer* layer = i < static_cast<int>(d.EntLay.size()) ? &d.EntLay[i] : nullptr;
        const QString own = layer ? layer->aStrLayName : QString();
        // Names are made unique as they will be written.
        QString name = common::IsBlank(own) ? fallback : sxf::safeSfcString(own);
        if (std::find(assigned.begin(), assigned.end(), common::UpperText(name)) != assigned.end())
            name = fallback + name;
        assigned.push_back(common::UpperText(name));
        TDatLayField& lay = DatLay[i];
        lay.nam = name;
        const bool groupHidden = i / 16 < static_cast<int>(d.EntLgrp.size()) && d.EntLgrp[i / 16].anGLay == 0;
        lay.dsp = (layer && layer->aanLay == 0) || groupHidden ? 0 : 1;
        if (lay.cn > 0)
            lay.no = next++;
    }
    HojoLay = hojo > 0 ? next : -1;
    // SFC has 256 layers: when all are in use, auxiliary entities share the last one.
    HojoShared = HojoLay > 256;
    if (HojoShared)
        HojoLay = 256;
}

void AttributeTables::proc3subFColor(uint32_t c, int32_t& fc, int64_t times)
{
    const auto it = m_solidIndex.find(c);
    if (it != m_solidIndex.end() && it->second <= 356 + fc) {
        addCount(DatCol[static_cast<size_t>(it->second)].cn, times);
        return;
    }
    ++fc;
    DatCol.resize(kFirstSolidColour + fc);
    DatCol[356 + fc] = {c, 0, -1};
    addCount(DatCol[356 + fc].cn, times);
    m_solidIndex[c] = 356 + fc;
}

int32_t AttributeTables::proc3subColorCheck1(uint32_t c) const
{
    for (int i = 101; i <= 356; ++i) {
        if (DatCol[i].co == c)
            return i;
    }
    return -1;
}

int32_t AttributeTables::proc3subColorCheck2(uint32_t c) const
{
    const int32_t same = proc3subColorCheck1(c);
    if (same >= 0)
        return same;
    // The distance compares squared channel values, not squared differences.
    auto distance = [c](uint32_t o) {
        return std::llabs(channelSquare(c, 0) - channelSquare(o, 0)) + std::llabs(channelSquare(c, 8) - channelSquare(o, 8))
               + std::llabs(channelSquare(c, 16) - channelSquare(o, 16));
    };
    int32_t best = 101;
    int64_t bestDistance = distance(DatCol[101].co);
    for (int i = 102; i <= 356; ++i) {
        const int64_t dist = distance(DatCol[i].co);
        if (dist < bestDistance) {
            best = i;
            bestDistance = dist;
        }
    }
    return best;
}

void AttributeTables::proc3subColor(const TJwwData& d, bool auxiliaryUsed)
{
    for (int n = 1; n <= 8 && n < static_cast<int>(d.EntCol.size()); ++n)
        DatCol[n].co = static_cast<uint32_t>(cb2 != 0 ? d.EntCol[n].aPrtPenColor : d.EntCol[n].aPenColor);
    for (int k = 1; k <= 256 && k < static_cast<int>(d.EntColS.size()); ++k)
        DatCol[100 + k].co = static_cast<uint32_t>(d.EntColS[k].aPenColor);
    for (int n = 1; n <= 8; ++n)
        addCount(DatCol[proc3subColorCheck2(DatCol[n].co)].cn, DatCol[n].cn);

    DatCol[9].co = DatCol[101 + cb3].co;
    DatCol[9].cn = 0;
    if (auxiliaryUsed) {
        addCount(DatCol[101 + cb3].cn, 1);
        DatCol[9].cn = 1;
        DatCol[9].no = cb3 + 1;
    }
    // Solid colours are matched through an index of the SFC colours: a
    // drawing can hold any number of them.
    const std::unordered_map<uint32_t, int32_t> sfcIndex = sfcColourIndex(DatCol);
    auto sameSfcColour = [&sfcIndex](uint32_t co) {
        const auto it = sfcIndex.find(co);
        return it == sfcIndex.end() ? -1 : it->second;
    };
    for (int i = kFirstSolidColour; i < DatColN(); ++i) {
        const int32_t same = sameSfcColour(DatCol[i].co);
        if (same >= 0)
            addCount(DatCol[same].cn, DatCol[i].cn);
    }

    for (int k = 1; k <= 16; ++k)
        DatCol[100 + k].no = k;
    int32_t counter = 17;
    for (int i = 117; i <= 356; ++i) {
        if (DatCol[i].cn != 0)
            DatCol[i].no = counter++;
    }
    DatColF = counter;
    for (int n = 1; n <= 8; ++n)
        DatCol[n].no = DatCol[proc3subColorCheck2(DatCol[n].co)].no;
    for (int i = kFirstSolidColour; i < DatColN(); ++i) {
        const int32_t same = sameSfcColour(DatCol[i].co);
        if (same >= 0) {
            DatCol[i].no = DatCol[same].no;
        } else {
            // SFC has 256 colour numbers; the rest fall back to dark grey.
            const int32_t no = counter++;
            DatCol[i].no = no > 256 ? 16 : no;
            if (no > 256)
                addCount(DatCol[116].cn, 1);  // the fallback colour must be defined
        }
    }
}

void AttributeTables::proc3subLtype(const TJwwData& d)
{
    static const char* const kNames[16] = {
        "continuous", "dashed", "dashed spaced", "long dashed dotted", "long dashed double-dotted",
        "long dashed triplicate-dotted", "dotted", "chain", "chain double dash", "dashed dotted",
        "double-dashed dotted", "dashed double-dotted", "double-dashed double-dotted", "dashed triplicate-dotted",
        "double-dashed triplicate-dotted", "none",
    };
    for (int k = 0; k < 16; ++k)
        DatLtp[31 + k].nam = QString::fromLatin1(kNames[k]);
    for (int i = 17; i <= 32; ++i) {
        const QString own = i < static_cast<int>(d.EntLtpS.size()) ? d.EntLtpS[i].astrUDLTypeName : QString();
        QString name = common::IsBlank(own) ? QStringLiteral("SXF_LType_") + QString::number(i) : sxf::safeSfcString(own);
        const QString upper = common::UpperText(name);
        for (int k = 31; k <= 29 + i; ++k) {
            if (common::UpperText(DatLtp[k].nam) == upper) {
                name += QStringLiteral("_") + QString::number(i);
                break;
            }
        }
        DatLtp[i + 30].nam = name;
    }
    for (int k = 1; k <= 15; ++k)
        DatLtp[30 + k].no = k;
    int32_t counter = 17;
    for (int i = 47; i <= 62; ++i) {
        if (DatLtp[i].cn != 0)
            DatLtp[i].no = counter++;
    }
    // Jw_cad's own line types take the number of a pre-defined SFC line type.
    struct Map {
        int from, to, sfc;
    };
    const Map maps[] = {{1, 1, 1}, {2, 2, 7},   {3, 3, 3},   {4, 4, 2},   {5, 5, 10},  {6, 6, 8},
                        {7, 7, 12}, {8, 8, 9},  {9, 9, cb4 + 1}, {11, 15, 6}, {16, 16, 4}, {17, 17, 5}, {18, 19, 2}};
    for (const Map& m : maps) {
        for (int t = m.from; t <= m.to; ++t) {
            DatLtp[t].no = m.sfc;
            if (m.sfc >= 1 && m.sfc <= 15)
                addCount(DatLtp[30 + m.sfc].cn, DatLtp[t].cn);
        }
    }
}

void AttributeTables::proc3subWidth(int co, int wd, int64_t times)
{
    addCount(DatWid[WidthEntry(widthValue(co, wd))].cn, times);
}

void AttributeTables::proc3subWidth()
{
    for (int i = 1; i <= 9; ++i)
        DatWid[i].no = i;
    int32_t counter = 11;
    for (int i = 11; i <= 16; ++i) {
        if (DatWid[i].cn != 0)
            DatWid[i].no = counter++;
    }
}

void AttributeTables::proc3subFont(const QString& fo, int64_t times)
{
    const auto known = m_fontByName.constFind(fo);
    if (known != m_fontByName.constEnd()) {
        if (known.value() >= 0)
            addCount(DatFon[static_cast<size_t>(known.value())].cn, times);
        return;
    }
    int32_t index = -1;
    if (!common::IsBlank(fo)) {
        const QString name = sxf::safeSfcString(fo);
        const QString upper = common::UpperText(name);
        const auto it = m_fontIndex.constFind(upper);
        if (it != m_fontIndex.constEnd()) {
            index = it.value();
        } else if (DatFonN() < kMaxFonts) {
            // Once the table is full it stays full, so a name left out now
            // is left out for good.
            index = DatFonN();
            m_fontIndex.insert(upper, index);
            DatFon.push_back({name, 0});
        }
        if (index >= 0)
            addCount(DatFon[static_cast<size_t>(index)].cn, times);
    }
    m_fontByName.insert(fo, index);
}

}  // namespace convert
