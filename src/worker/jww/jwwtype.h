// The records of a drawing: entity records in the field order of the file,
// the layer, colour, line-type and text-type tables, block definitions and
// the flattened block-insert tree.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace jww {

// The size of `array` as the 32-bit count that the drawing's records use;
// no array the reader fills can hold more entries than that.
template <typename T>
int32_t countOf(const std::vector<T>& array)
{
    return static_cast<int32_t>(array.size());
}

}  // namespace jww

namespace jww {

// Every record compares field by field (tests compare drawings read back
// with the drawings they were written from).

// Attributes that open every entity record.
struct TEntJwwAttr {
    uint32_t lGroup = 0;     // curve-attribute number; 0 = none
    uint8_t nPenStyle = 0;   // line type; 9 auxiliary; 100 on a point with code/angle/scale
    uint16_t nPenColor = 0;  // colour; 9 auxiliary; 10 on a solid = its own Color
    uint16_t nPenWidth = 0;  // 0 in files older than version 351
    uint16_t nLayer = 0;     // 0-15 within the group
    uint16_t nGLayer = 0;    // layer group 0-15
    uint16_t sFlg = 0;       // flags (0x20: vertical text)

    bool operator==(const TEntJwwAttr&) const = default;
};

struct TEntJwwLine {
    TEntJwwAttr att;
    double start_x = 0, start_y = 0, end_x = 0, end_y = 0;

    bool operator==(const TEntJwwLine&) const = default;
};

// Arc, circle, ellipse or elliptic arc; angles in radians.
struct TEntJwwEnko {
    TEntJwwAttr att;
    double start_x = 0, start_y = 0;  // centre
    double dHankei = 0;               // radius
    double radKaishiKaku = 0;         // start angle
    double radEnkoKaku = 0;           // swept angle
    double radKatamukiKaku = 0;       // tilt of the axis
    double dHenpeiRitsu = 0;          // flattening, 1 for a circle
    uint32_t bZenEnFlg = 0;           // non-zero: full circle or ellipse

    bool operator==(const TEntJwwEnko&) const = default;
};

struct TEntJwwTen {
    TEntJwwAttr att;
    double start_x = 0, start_y = 0;
    uint32_t bKariten = 0;  // non-zero: temporary point
    // The last three carry meaning only when att.nPenStyle is 100. nCode is
    // signed: negative codes select marker shapes.
    int32_t nCode = 0;
    double radKaitenKaku = 0;
    double dBairitsu = 0;

    bool operator==(const TEntJwwTen&) const = default;
};

struct TEntJwwMoji {
    TEntJwwAttr att;
    double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
    uint32_t nMojiShu = 0;  // text type
    double dSizeX = 0, dSizeY = 0, dKankaku = 0;
    double degKakudo = 0;  // degrees
    QString strFontName;
    QString str;

    bool operator==(const TEntJwwMoji&) const = default;
};

struct TEntJwwSunpo {
    TEntJwwAttr att;
    TEntJwwLine Sen;   // dimension line
    TEntJwwMoji Moji;  // dimension text
    // From version 420 on; older files give 0 and sub-records that carry the
    // dimension's attributes with zero geometry.
    uint16_t bSxfMode = 0;
    TEntJwwLine Ho1, Ho2;   // extension lines
    TEntJwwTen Te1, Te2;    // end markers
    TEntJwwTen Kt1, Kt2;    // base points of the extension lines

    bool operator==(const TEntJwwSunpo&) const = default;
};

// Filled triangle or quadrilateral; styles from 101 on reuse the corners for
// circular and elliptic fills.
struct TEntJwwSolid {
    TEntJwwAttr att;
    double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
    double DPoint2_x = 0, DPoint2_y = 0, DPoint3_x = 0, DPoint3_y = 0;
    uint32_t Color = 0;  // own colour when att.nPenColor is 10, otherwise 0

    bool operator==(const TEntJwwSolid&) const = default;
};

struct TEntJwwBlock {
    TEntJwwAttr att;
    double DPKijunTen_x = 0, DPKijunTen_y = 0;  // insertion point
    double dBairitsuX = 0, dBairitsuY = 0;
    double radKaitenKaku = 0;
    uint32_t nNumber = 0;  // nNumber of the inserted definition

    bool operator==(const TEntJwwBlock&) const = default;
};

// Entity kinds of TEntJwwNo::EntType.
enum EntKind : int32_t {
    kEntConsumed = -1,  // taken by a recognised curve-attribute group
    kEntNone = 0,       // a slot that no entity filled
    kEntLine = 1,
    kEntEnko = 2,
    kEntTen = 3,
    kEntMoji = 4,
    kEntSunpo = 5,
    kEntSolid = 6,
    kEntBlock = 7,
};

struct TEntJwwNo {
    int32_t EntType = kEntNone;
    int32_t EntNo = 0;  // index into the array of that kind

    bool operator==(const TEntJwwNo&) const = default;
};

struct TEntJwwBlockDef {
    TEntJwwAttr att;
    uint32_t nNumber = 0;
    uint32_t bRefferd = 0;
    uint32_t dtime = 0;  // a negative stored stamp becomes the 1-based position
    QString strName;
    int32_t N = 0;
    std::vector<TEntJwwNo> mNo;
    std::vector<TEntJwwLine> mLine;
    std::vector<TEntJwwEnko> mEnko;
    std::vector<TEntJwwTen> mTen;
    std::vector<TEntJwwMoji> mMoji;
    std::vector<TEntJwwSunpo> mSunpo;
    std::vector<TEntJwwSolid> mSolid;
    std::vector<TEntJwwBlock> mBlock;
    // The member counts are the sizes of their arrays.
    int32_t mLineN() const { return countOf(mLine); }
    int32_t mEnkoN() const { return countOf(mEnko); }
    int32_t mTenN() const { return countOf(mTen); }
    int32_t mMojiN() const { return countOf(mMoji); }
    int32_t mSunpoN() const { return countOf(mSunpo); }
    int32_t mSolidN() const { return countOf(mSolid); }
    int32_t mBlockN() const { return countOf(mBlock); }
    bool ref_flag = false;  // some insert, at any depth, uses this definition
    int32_t ref_no = -1;    // 0-based among referenced definitions, else -1

    bool operator==(const TEntJwwBlockDef&) const = default;
};

// One node per block insert, nested inserts included.
struct TEntJwwBlockTree {
    TEntJwwAttr att;  // top level: the insert's; nested: the containing definition's
    int32_t level = 0;
    int32_t parent = -1;
    uint32_t no = 0;       // block number inserted
    int32_t defno = -1;    // index into EntBlockDef, -1 if no definition has `no`
    QString name;
    double x = 0, y = 0;   // insertion point in drawing coordinates
    // drawing = (x, y) + (r1 r2 / r3 r4) x definition point
    double r1 = 0, r2 = 0, r3 = 0, r4 = 0;

    bool operator==(const TEntJwwBlockTree&) const = default;
};

struct TEntJwwLayerGroup {
    int32_t anGLay = 0;  // 0 = hidden
    int32_t anWriteLay = 0;
    double adScale = 0;  // scale denominator, 100 for 1:100
    int32_t anGLayProtect = 0;
    QString aStrGLayName;

    bool operator==(const TEntJwwLayerGroup&) const = default;
};

struct TEntJwwLayer {
    int32_t aanLay = 0;  // 0 = hidden
    int32_t aanLayProtect = 0;
    QString aStrLayName;

    bool operator==(const TEntJwwLayer&) const = default;
};

// Colours are stored with red in the low byte, then green, then blue.
struct TEntJwwColorNo {
    int32_t aPenColor = 0;
    int32_t anPenWidth = 0;
    int32_t aPrtPenColor = 0;
    int32_t anPrtPenWidth = 0;  // printer dots
    double adPrtTenHankei = 0;

    bool operator==(const TEntJwwColorNo&) const = default;
};

struct TEntJwwColorExNo {
    int32_t aPenColor = 0;
    int32_t anPenWidth = 0;
    QString astrUDColorName;
    int32_t aPrtPenColor = 0;
    int32_t anPrtPenWidth = 0;
    double adPrtTenHankei = 0;

    bool operator==(const TEntJwwColorExNo&) const = default;
};

struct TEntJwwLineTypeNo {
    int32_t alLType = 0;  // 32-bit on/off pattern, most significant bit first
    int32_t anTokushuSenUintDot = 0;
    int32_t anTokushuSenPich = 0;
    int32_t anPrtTokushuSenPich = 0;

    bool operator==(const TEntJwwLineTypeNo&) const = default;
};

struct TEntJwwRandomLineNo {
    int32_t alLType = 0;
    int32_t anRandSenWide = 0;
    int32_t anTokushuSenPich = 0;
    int32_t anPrtRandSenWide = 0;
    int32_t anPrtTokushuSenPich = 0;

    bool operator==(const TEntJwwRandomLineNo&) const = default;
};

struct TEntJwwLineTypeExNo {
    int32_t alLType = 0;
    int32_t anTokushuSenUintDot = 0;
    int32_t anTokushuSenPich = 0;
    int32_t anPrtTokushuSenPich = 0;
    QString astrUDLTypeName;
    int32_t anUDLTypeSegment = 0;                // number of pitches used
    std::array<double, 10> aadUDLTypePitch{};    // [0] holds pitch 1

    bool operator==(const TEntJwwLineTypeExNo&) const = default;
};

struct TEntJwwMojiType {
    double adMojiX = 0, adMojiY = 0, adMojiD = 0;
    int32_t anMojiCol = 0;

    bool operator==(const TEntJwwMojiType&) const = default;
};

struct TBindImageType {
    QString Fname;  // name as stored, usually ending in ".gz"
    int32_t Fsize = 0;
    bool exf = false;

    bool operator==(const TBindImageType&) const = default;
};

// Drawing settings. Arrays that the file numbers from 1 are stored from
// index 0 here ([0] is register 1).
struct TEntJwwHeader {
    QString jwID;
    int32_t jwVer = 0;
    QString strMemo;
    int32_t nZumen = 0;
    int32_t nWriteGLay = 0;
    int32_t lnSunpou1 = 0, lnSunpou2 = 0, lnSunpou3 = 0, lnSunpou4 = 0, lnSunpou5 = 0;
    int32_t nMaxDrawWid = 0;
    bool bSenHaba100 = false;
    int32_t nMaxDrawWidBak = 0;
    double DPPrtGenten_x = 0, DPPrtGenten_y = 0;
    double dPrtBairitsu = 0;
    int32_t nPrtSet = 0;
    int32_t nMemoriMode = 0;
    double dMemoriHyoujiMin = 0, dMemoriX = 0, dMemoriY = 0, DpMemoriKjTen_x = 0, DpMemoriKjTen_y = 0;
    double dKageLevel = 0, dKageIdo = 0;
    int32_t nKage9_15JiFlg = 0;
    double dKabeKageLevel = 0, dTenkuuZuLevel = 0, dTenkuuZuEnkoR = 0;
    int32_t nMMTani3D = 0;
    double dBairitsu = 0, DPGenten_x = 0, DPGenten_y = 0;
    double dHanniBairitsu = 0, DPHanniGenten_x = 0, DPHanniGenten_y = 0;
    std::array<double, 8> dZoomJumpBairitsu{}, DPZoomJumpGenten_x{}, DPZoomJumpGenten_y{};
    std::array<int32_t, 8> nZoomJumpGLay{};
    double dDm11 = 0, dDm12 = 0, dDm13 = 0;
    int32_t lnDm1 = 0;
    double dDm21 = 0, dDm22 = 0;
    double dMojiBG = 0;
    int32_t nMojiBG = 0;
    std::array<double, 10> adFukusenSuuchi{};
    double dRyougawaFukusenTomeDe = 0;
    int32_t nDrawGamenTen = 0, nDrawPrtTen = 0, nBitMapFirstDraw = 0, nGyakuDraw = 0, nGyakuSearch = 0;
    int32_t nColorPrint = 0, nLayJunPrint = 0, nColJunPrint = 0, nPrtRenzoku = 0, nPrtKyoutsuuGray = 0;
    int32_t nPrtDispOnlyNonDraw = 0;
    int32_t nPrtDpi = 0;
    int32_t lnDrawTime = 0;  // seconds
    int32_t nEyeInit = 0, dEye_H_Ichi_1 = 0, dEye_H_Ichi_2 = 0, dEye_H_Ichi_3 = 0;
    double dEye_Z_Ichi_1 = 0, dEye_Y_Ichi_1 = 0, dEye_Z_Ichi_2 = 0, dEye_Y_Ichi_2 = 0, dEye_V_Ichi_3 = 0;
    double dSenNagasaSnpou = 0, dBoxSunpouX = 0, dBoxSunpouY = 0, dEnHankeiSnpou = 0;
    int32_t nSolidNinniColor = 0, SolidColor = 0;
    double dMojiSizeX = 0, dMojiSizeY = 0, dMojiKankaku = 0;
    int32_t nMojiColor = 0, nMojiShu = 0;
    double dMojiSeiriGyouKan = 0, dMojiSeiriSuu = 0;
    int32_t nMojiKijunZureOn = 0;
    double adMojiKijunZureX0 = 0, adMojiKijunZureX1 = 0, adMojiKijunZureX2 = 0;
    double adMojiKijunZureY0 = 0, adMojiKijunZureY1 = 0, adMojiKijunZureY2 = 0;
    int32_t n1 = 0;  // top-level entities declared (length of EntNo)
    int32_t n2 = 0;  // block definitions declared

    bool operator==(const TEntJwwHeader&) const = default;
};

}  // namespace jww
