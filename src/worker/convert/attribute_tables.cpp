// Attribute tables: reset between runs, and the lookups made while writing.
#include "worker/convert/attribute_tables.h"

#include "common/text_slice.h"
#include "sxf/sfc_writer.h"

namespace convert {

void AttributeTables::clear()
{
    DatLgp.clear();
    DatLay.clear();
    HojoLay = -1;
    HojoShared = false;
    DatCol.clear();
    DatColF = 0;
    DatLtp.clear();
    DatWid.clear();
    DatFon.clear();
    m_fontIndex.clear();
    m_fontByName.clear();
    m_solidIndex.clear();
    DatPrt.clear();
    m_symbols.clear();
}

void AttributeTables::buildSymbols(const jww::TJwwData& d)
{
    m_symbols.build(d, DatPrt);
}

}  // namespace convert

namespace convert {
namespace {

template <typename Table>
int32_t noAt(const Table& table, int index)
{
    return index >= 0 && index < static_cast<int>(table.size()) ? table[index].no : -1;
}

}  // namespace

int32_t AttributeTables::layerNo(int groupLayer) const
{
    return noAt(DatLay, groupLayer);
}

int32_t AttributeTables::layerNo(const jww::TEntJwwAttr& att) const
{
    // Layers and groups run 0-15; anything else belongs to a damaged drawing.
    if (att.nLayer > 15 || att.nGLayer > 15)
        return -1;
    return layerNo(att.nGLayer * 16 + att.nLayer);
}

// Pen colours 0 and 10..100 and line types 0, 10 and 20..30 (and "none")
// never get an SFC number; a record naming -1 would refer to no definition,
// which other SXF software rejects. Such entities are drawn in pen colour 1
// and the continuous line type, which every drawing defines.
int32_t AttributeTables::colourNo(int penColor) const
{
    // Entries from 357 on hold solid colours, which no pen colour names.
    const int32_t no = penColor < kPenColourEntries ? noAt(DatCol, penColor) : -1;
    return no >= 0 ? no : noAt(DatCol, 1);
}

int32_t AttributeTables::lineTypeNo(int penStyle) const
{
    const int32_t no = noAt(DatLtp, penStyle);
    return no >= 0 ? no : noAt(DatLtp, 1);
}

sxf::SfcAttr AttributeTables::lineAttr(const jww::TEntJwwAttr& att) const
{
    const int32_t width = proc4subWidth(att.nPenColor, att.nPenWidth);
    if (att.nPenStyle == 9 || att.nPenColor == 9)
        return {HojoLay, cb3 + 1, cb4 + 1, width};
    return {layerNo(att), colourNo(att.nPenColor), lineTypeNo(att.nPenStyle), width};
}

sxf::SfcAttr AttributeTables::solidAttr(const jww::TEntJwwSolid& e) const
{
    const int32_t width = proc4subWidth(e.att.nPenColor, e.att.nPenWidth);
    if (e.att.nPenColor == 9)
        return {HojoLay, cb3 + 1, 1, width};
    const int32_t colour = e.att.nPenColor == 10 ? proc4subFColor(e.Color) : colourNo(e.att.nPenColor);
    return {layerNo(e.att), colour, lineTypeNo(1), width};
}

int32_t WidthEntry(double mm)
{
    for (int i = 1; i <= 15; ++i) {
        if (i == 10)
            continue;
        if ((kWidthTable[i] + kWidthTable[i + 1]) / 2 > mm)
            return i;
    }
    return 16;
}

double AttributeTables::widthValue(int co, int wd) const
{
    if (wd != 0)
        return wd * 0.01;
    if (co > 100)
        return 0.18;
    return GraAtt ? GraAtt->GetAttrColwid(co) : 0.0;
}

int32_t AttributeTables::proc4subWidth(int co, int wd) const
{
    // Features carry the number the width was defined under: the entry
    // itself up to 2.0 mm, 11, 12, ... in order of use above.
    const int32_t entry = WidthEntry(widthValue(co, wd));
    const int32_t no = entry < static_cast<int32_t>(DatWid.size()) ? DatWid[entry].no : -1;
    return no >= 0 ? no : entry;
}

int32_t AttributeTables::proc4subFColor(uint32_t co) const
{
    // The index covers the table exactly when proc3 built it.
    if (static_cast<int32_t>(m_solidIndex.size()) == DatColN() - kFirstSolidColour) {
        const auto it = m_solidIndex.find(co);
        return it == m_solidIndex.end() ? 16 : DatCol[static_cast<size_t>(it->second)].no;
    }
    for (int i = kFirstSolidColour; i < DatColN(); ++i) {
        if (DatCol[i].co == co)
            return DatCol[i].no;
    }
    return 16;
}

int32_t AttributeTables::proc4subFont(const QString& fon) const
{
    if (!m_fontIndex.isEmpty() && m_fontIndex.size() == DatFonN()) {
        const auto known = m_fontByName.constFind(fon);
        if (known != m_fontByName.constEnd())
            return std::max(known.value(), 0);
    }
    // Fonts are kept under the names they are written with.
    const QString upper = common::UpperText(sxf::safeSfcString(fon));
    if (!m_fontIndex.isEmpty() && m_fontIndex.size() == DatFonN())
        return m_fontIndex.value(upper, 0);
    for (int i = 0; i < DatFonN(); ++i) {
        if (common::UpperText(DatFon[i].nam) == upper)
            return i;
    }
    return 0;
}

}  // namespace convert
