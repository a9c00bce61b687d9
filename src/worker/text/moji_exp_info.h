// The context that text codes are expanded in, and the work lists through
// which decorated texts hand their pieces to the text converter.
#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace text {

// One line piece of a decorated text, in output coordinates.
struct TSFC_Moji_Exp_LineField {
    int32_t col = 0;  // pen colour number (9 auxiliary)
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// One text piece of a decorated text, in output coordinates.
struct TSFC_Moji_Exp_MojiField {
    int32_t col = 0;  // pen colour number
    int32_t fon = 0;  // SFC font number
    int32_t ktn = 1;  // base point code 1..9
    int32_t dir = 1;  // 1 horizontal, 2 vertical
    int32_t ita = 0;  // 1: slanted
    double mjx = 0, mjy = 0;  // base point
    double msx = 0, msy = 0;  // box width and height
    double mjw = 0, mjh = 0;  // character width and height
    double mjd = 0;           // spacing
    double mja = 0;           // angle, degrees
    QString str;
};

// One named value of the reference file: `s1` the code name with its
// leading "%%", `s2` the value.
struct TStr2List {
    QString s1;
    QString s2;
};

struct TSFC_Moji_Exp_Info {
    QString filename;    // full path of the drawing
    QDateTime filedate;  // its last-write time, local; day 0 when unknown
    QString memo1;       // first memo line
    QString memo2;       // the rest of the memo
    std::array<double, 16> scale{};  // scale denominators of the layer groups
    double prtscale = 1;
    QDateTime nowdate;   // when the conversion started
    int32_t drawtime = 0;  // seconds
    std::vector<TSFC_Moji_Exp_LineField> eLine;
    int32_t eLineN = 0;
    std::vector<TSFC_Moji_Exp_MojiField> eMoji;
    int32_t eMojiN = 0;
    // The reference list: the named values of the "%%" codes in file order,
    // loaded by the driver once the drawing has been read. Empty when Jw_cad
    // names no reference file or it cannot be read.
    std::vector<TStr2List> refList;
};

}  // namespace text
