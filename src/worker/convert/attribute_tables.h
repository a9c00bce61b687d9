// The output attribute tables: which SFC layers, colours, line types, widths,
// fonts and parts a drawing defines, and the numbers its features carry.
#pragma once

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

// The tables of one run, and the settings that shape them.
class AttributeTables {
public:
    // Empties every table (counts 0, arrays empty) and sets HojoLay to -1.
    void clear();

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

    int32_t cb2 = 0;  // 0: pen colours from the screen colours, else printer colours
    int32_t cb3 = 0;  // auxiliary entities use SFC colour cb3 + 1
    int32_t cb4 = 0;  // auxiliary entities use SFC line type cb4 + 1
};

}  // namespace convert
