// The output attribute tables: which SFC layers, colours, line types, widths,
// fonts and parts a drawing defines, and the numbers its features carry.
#pragma once

#include "worker/jww/gra_attribute.h"
#include "worker/jww/jwwtype.h"
#include "worker/sfc/feature_types.h"

#include <QString>

#include <cstdint>
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

// The width entry 1..16 for a width of `mm` millimetres.
int32_t WidthEntry(double mm);

// The tables of one run, and the settings that shape them.
class AttributeTables {
public:
    // Empties every table (counts 0, arrays empty) and sets HojoLay to -1.
    void clear();

    // Lookups while writing. Indexes outside a table give -1 (or the stated
    // fallback) instead of reading past it.

    // SFC layer of JWW layer index `groupLayer` (group * 16 + layer).
    int32_t layerNo(int groupLayer) const;
    // SFC layer of an entity's own layer.
    int32_t layerNo(const jww::TEntJwwAttr& att) const;
    // SFC colour of JWW pen colour `penColor` (DatCol[penColor].no).
    int32_t colourNo(int penColor) const;
    // SFC line type of JWW line type `penStyle` (DatLtp[penStyle].no).
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
    sfc::SfcAttr lineAttr(const jww::TEntJwwAttr& att) const;

    std::vector<TDatLgpField> DatLgp;
    int32_t DatLgpN = 0;
    std::vector<TDatLayField> DatLay;
    int32_t DatLayN = 0;
    int32_t HojoLay = -1;  // SFC layer of auxiliary entities, -1 when none
    std::vector<TDatColField> DatCol;
    int32_t DatColN = 0;
    int32_t DatColF = 0;   // first SFC colour number free for solid colours
    std::vector<TDatLtpField> DatLtp;
    int32_t DatLtpN = 0;
    std::vector<TDatWidField> DatWid;
    int32_t DatWidN = 0;
    std::vector<TDatFonField> DatFon;
    int32_t DatFonN = 0;
    std::vector<TDatPrtField> DatPrt;
    int32_t DatPrtN = 0;

    // Pen widths of the colours; set before the tables are built.
    const jww::TgraAttribute* GraAtt = nullptr;

    int32_t cb2 = 0;  // 0: pen colours from the screen colours, else printer colours
    int32_t cb3 = 0;  // auxiliary entities use SFC colour cb3 + 1
    int32_t cb4 = 0;  // auxiliary entities use SFC line type cb4 + 1
};

}  // namespace convert
