// The output attribute tables: which SFC layers, colours, line types, widths,
// fonts and parts a drawing defines, and the numbers its features carry.
#pragma once

#include "common/number_parse.h"
#include "sxf/feature_types.h"
#include "worker/convert/block_symbols.h"
#include "worker/convert/group_table.h"
#include "worker/jww/gra_attribute.h"
#include "worker/jww/jww_data.h"
#include "worker/jww/jwwtype.h"

#include <QHash>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

namespace convert {

// `cn` counts the entities that use an entry (0: not defined); `no` is the
// SFC number written into features (-1: none); `nam` the defined name.
struct TDatLgpField {
    QString nam;
    double sc = 0;
    int32_t cn = 0;
    int32_t no = -1;
};

struct TDatLayField {
    QString nam;
    int32_t dsp = 1;
    int32_t cn = 0;
    int32_t no = -1;
};

struct TDatColField {
    uint32_t co = 0;  // red in the low byte, then green, then blue
    int32_t cn = 0;
    int32_t no = -1;
};

struct TDatLtpField {
    QString nam;
    int32_t cn = 0;
    int32_t no = -1;
};

struct TDatWidField {
    double wid = 0;
    int32_t cn = 0;
    int32_t no = -1;
};

struct TDatFonField {
    QString nam;
    int32_t cn = 0;
};

// A symbol definition made from scaled layer groups (typ 0) or from a block
// definition marked "@@SfigorgFlag@@1" or "@@SfigorgFlag@@2" (typ 1, 2).
struct TDatPrtField {
    QString nam;
    int32_t typ = 0;
    int32_t no = 0;  // typ 0: first layer group; typ 1, 2: block definition index
    double sc = 1;
};

// The fixed SFC widths in millimetres by width entry 1..16 (entry 10 repeats
// entry 9 and is never defined).
inline constexpr double kWidthTable[17] = {0,   0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 1.4,
                                           2.0, 2.0,  3.0,  4.0,  5.0,  6.0, 8.0, 10.0};

// DatCol entries 0..356 stand for pen colours (1-9) and SFC colours
// (101-356); solid colours follow from 357 on.
inline constexpr int kPenColourEntries = 357;
inline constexpr int kFirstSolidColour = 357;

// True when a layer group of scale `sc` is drawn on the sheet itself (scale
// 1 within 1e-12); a group of any other scale becomes a part.
inline bool isSheetScale(double sc)
{
    return common::SameNum(sc, 1);
}

// Adds `times` uses to the count `cn`. A count stops at the largest int32_t
// rather than wrapping: a drawing placing a large block often enough can
// reach it, and a wrapped count could read as "not used".
inline void addCount(int32_t& cn, int64_t times)
{
    cn = static_cast<int32_t>(std::min<int64_t>(std::numeric_limits<int32_t>::max(), int64_t{cn} + times));
}

// The width entry 1..16 for a width of `mm` millimetres.
int32_t WidthEntry(double mm);

// The tables of one run, and the settings that shape them.
class AttributeTables {
public:
    // Empties every table (counts 0, arrays empty) and sets HojoLay to -1.
    void clear();

    // Builds every table from drawing `d` (whose pen widths are `graAtt`):
    // counts what the entities use, numbers the used entries and names them.
    // Every counted member of a curve-attribute group is announced to
    // `groups`. cb2, cb3 and cb4 must be set before.
    void proc3(const jww::TJwwData& d, const jww::TgraAttribute& graAtt, TSFC_GroupAttr& groups);

    // The steps of proc3.
    void proc3subLgp(const jww::TJwwData& d);
    // Lists the block symbols of `d` from the definitions and the parts
    // (DatPrt, so after proc3subLgp); proc3 calls it.
    void buildSymbols(const jww::TJwwData& d);
    void proc3subLayer(const jww::TJwwData& d, int32_t hojo);
    // Counts `times` uses of solid colour `c`; `fc` is the number of
    // distinct solid colours so far (a new one is appended at 356 + fc).
    void proc3subFColor(uint32_t c, int32_t& fc, int64_t times = 1);
    // Needs the layers numbered first: `auxiliaryUsed` (HojoLay >= 0 after
    // proc3subLayer) makes the auxiliary colour cb3 + 1 count as used.
    void proc3subColor(const jww::TJwwData& d, bool auxiliaryUsed);
    // Index 101..356 of the SFC colour whose value is `c`, or -1.
    int32_t proc3subColorCheck1(uint32_t c) const;
    // Index 101..356 of the SFC colour equal to `c` or, failing that, nearest
    // to it by the sum of the differences of the squared channels.
    int32_t proc3subColorCheck2(uint32_t c) const;
    void proc3subLtype(const jww::TJwwData& d);
    // Counts `times` uses of the width an entity of pen colour `co` and pen
    // width `wd` gets.
    void proc3subWidth(int co, int wd, int64_t times = 1);
    // Numbers the widths.
    void proc3subWidth();
    // Counts `times` uses of font `fo`; blank names are ignored, names
    // compare case-insensitively. The font is kept under its written name
    // (sxf::safeSfcString).
    void proc3subFont(const QString& fo, int64_t times = 1);

    // Lookups while writing. Indexes outside a table give -1 (or the stated
    // fallback) instead of reading past it.

    // The block symbols of the drawing; empty before buildSymbols.
    const BlockSymbols& symbols() const { return m_symbols; }
    // SFC layer of JWW layer index `groupLayer` (group * 16 + layer).
    int32_t layerNo(int groupLayer) const;
    // SFC layer of an entity's own layer.
    int32_t layerNo(const jww::TEntJwwAttr& att) const;
    // SFC colour of JWW pen colour `penColor` (DatCol[penColor].no); that
    // of pen colour 1 when `penColor` has no number.
    int32_t colourNo(int penColor) const;
    // SFC line type of JWW line type `penStyle` (DatLtp[penStyle].no); that
    // of line type 1 when `penStyle` has no number.
    int32_t lineTypeNo(int penStyle) const;
    // Width in millimetres of an entity with pen colour `co` and pen width
    // `wd`: wd hundredths when not 0, else the colour's pen width (0.18 mm
    // above colour 100).
    double widthValue(int co, int wd) const;
    // Width number for pen colour `co` and pen width `wd`.
    int32_t proc4subWidth(int co, int wd) const;
    // 0-based position of font `fon` in DatFon (compared upper-cased), or 0.
    int32_t proc4subFont(const QString& fon) const;
    // SFC colour of solid colour `co`; 16 when it is not in the table.
    int32_t proc4subFColor(uint32_t co) const;
    // Layer, colour, line type and width of a line, arc or dimension line;
    // an auxiliary one (line type 9 or colour 9) goes to HojoLay with colour
    // cb3 + 1 and line type cb4 + 1.
    sxf::SfcAttr lineAttr(const jww::TEntJwwAttr& att) const;
    // Layer, colour, line type and width of a solid's fill and boundary: its
    // own colour for pen colour 10, line type 1; an auxiliary one (colour 9)
    // goes to HojoLay with colour cb3 + 1.
    sxf::SfcAttr solidAttr(const jww::TEntJwwSolid& e) const;

    // The counts are the sizes of their tables.
    std::vector<TDatLgpField> DatLgp;
    int32_t DatLgpN() const { return jww::countOf(DatLgp); }
    std::vector<TDatLayField> DatLay;
    int32_t DatLayN() const { return jww::countOf(DatLay); }
    int32_t HojoLay = -1;  // SFC layer of auxiliary entities, -1 when none
    // True when all 256 SFC layers are in use: auxiliary entities then share
    // layer 256 (HojoLay) and no layer of their own is defined.
    bool HojoShared = false;
    std::vector<TDatColField> DatCol;
    int32_t DatColN() const { return jww::countOf(DatCol); }
    int32_t DatColF = 0;   // first SFC colour number free for solid colours
    std::vector<TDatLtpField> DatLtp;
    int32_t DatLtpN() const { return jww::countOf(DatLtp); }
    std::vector<TDatWidField> DatWid;
    int32_t DatWidN() const { return jww::countOf(DatWid); }
    std::vector<TDatFonField> DatFon;
    int32_t DatFonN() const { return jww::countOf(DatFon); }
    std::vector<TDatPrtField> DatPrt;
    int32_t DatPrtN() const { return jww::countOf(DatPrt); }

    // Pen widths of the colours, set by proc3 for the lookups while writing.
    // Not owned: the TgraAttribute handed to proc3 must outlive every lookup
    // (the worker keeps it for the whole run). Null before proc3.
    const jww::TgraAttribute* GraAtt = nullptr;

    int32_t cb2 = 0;  // 0: pen colours from the screen colours, else printer colours
    int32_t cb3 = 0;  // auxiliary entities use SFC colour cb3 + 1
    int32_t cb4 = 0;  // auxiliary entities use SFC line type cb4 + 1

private:
    // Sizes and resets every table for drawing `d` (the first steps of proc3).
    void initTables(const jww::TJwwData& d);

    // Upper-cased font name -> index in DatFon, kept by proc3subFont so that
    // fonts are found without a scan per text.
    QHash<QString, int32_t> m_fontIndex;
    // A font name as the drawing spells it -> index in DatFon, -1 for a name
    // that is not kept (blank, or past the last font): each spelling is made
    // safe and upper-cased once, not once per text.
    QHash<QString, int32_t> m_fontByName;
    // Solid colour -> its entry in DatCol (from 357 on).
    std::unordered_map<uint32_t, int32_t> m_solidIndex;
    BlockSymbols m_symbols;
};

}  // namespace convert
