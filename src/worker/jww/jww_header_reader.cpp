// The header rows in file order, with the version gates inline.
#include "worker/jww/jww_header_reader.h"

#include "common/codepage.h"
#include "worker/jww/jww_cstring.h"

#include <cmath>
#include <cstdlib>

namespace jww {
namespace {

constexpr int32_t kMinVersion = 220;
constexpr int32_t kMaxVersion = 700;

double finiteOr(double v, double fallback)
{
    return std::isfinite(v) ? v : fallback;
}

void sizeTables(TJwwData& d)
{
    d.EntLgrp.assign(16, {});
    d.EntLay.assign(256, {});
    d.EntCol.assign(10, {});
    d.EntLtp1.assign(8, {});
    d.EntLtp2.assign(5, {});
    d.EntLtp3.assign(4, {});
    d.EntMoj.assign(10, {});
    d.EntColS.assign(257, {});
    d.EntLtpS.assign(33, {});
}

// Widths of -101 and below select the fixed 0.01 mm widths; two bands of
// them also carry a width of their own in nMaxDrawWidBak.
void deriveLineWidthMode(TEntJwwHeader& h)
{
    const int32_t w = h.nMaxDrawWid;
    h.bSenHaba100 = false;
    h.nMaxDrawWidBak = w;
    if (w > -101)
        return;
    h.bSenHaba100 = true;
    const int32_t a = w == INT32_MIN ? INT32_MAX : std::abs(w);
    if (w >= -500 && w <= -401)
        h.nMaxDrawWidBak = 400 - a;
    else if (w >= -300 && w <= -201)
        h.nMaxDrawWidBak = a - 200;
    else
        h.nMaxDrawWidBak = -100;
}

void readLayerStates(TJwwData& d, ByteCursor& in)
{
    for (int g = 0; g < 16; ++g) {
        TEntJwwLayerGroup& grp = d.EntLgrp[g];
        grp.anGLay = in.i32();
        grp.anWriteLay = in.i32();
        grp.adScale = in.f64();
        grp.anGLayProtect = in.i32();
        for (int l = 0; l < 16; ++l) {
            d.EntLay[g * 16 + l].aanLay = in.i32();
            d.EntLay[g * 16 + l].aanLayProtect = in.i32();
        }
    }
}

// Rows 7 to 13: dimension settings, line-width mode, printing, grid, names.
void readPrintAndNames(TJwwData& d, ByteCursor& in)
{
    TEntJwwHeader& h = d.Enthd;
    in.skip(56);
    h.lnSunpou1 = in.i32();
    h.lnSunpou2 = in.i32();
    h.lnSunpou3 = in.i32();
    h.lnSunpou4 = in.i32();
    h.lnSunpou5 = in.i32();
    in.skip(4);
    h.nMaxDrawWid = in.i32();
    deriveLineWidthMode(h);
    h.DPPrtGenten_x = in.f64();
    h.DPPrtGenten_y = in.f64();
    h.dPrtBairitsu = in.f64();
    h.nPrtSet = in.i32();
    h.nMemoriMode = in.i32();
    h.dMemoriHyoujiMin = in.f64();
    h.dMemoriX = in.f64();
    h.dMemoriY = in.f64();
    h.DpMemoriKjTen_x = in.f64();
    h.DpMemoriKjTen_y = in.f64();
    for (TEntJwwLayer& lay : d.EntLay)
        lay.aStrLayName = ReadCStringPrintable(in);
    for (TEntJwwLayerGroup& grp : d.EntLgrp)
        grp.aStrGLayName = ReadCStringPrintable(in);
}

// Rows 14 to 20: shading, view, zoom-jump registers and line offsets.
void readViewSettings(TEntJwwHeader& h, ByteCursor& in)
{
    const int32_t v = h.jwVer;
    h.dKageLevel = in.f64();
    h.dKageIdo = in.f64();
    h.nKage9_15JiFlg = in.i32();
    h.dKabeKageLevel = in.f64();
    if (v >= 300) {
        h.dTenkuuZuLevel = in.f64();
        h.dTenkuuZuEnkoR = in.f64();
    }
    h.nMMTani3D = in.i32();
    h.dBairitsu = in.f64();
    h.DPGenten_x = in.f64();
    h.DPGenten_y = in.f64();
    h.dHanniBairitsu = in.f64();
    h.DPHanniGenten_x = in.f64();
    h.DPHanniGenten_y = in.f64();
    // Version 231 doubled the zoom-jump registers and gave them a layer
    // group; the solid colours of row 30 came one version earlier.
    const int registers = v >= 231 ? 8 : 4;
    for (int i = 0; i < registers; ++i) {
        h.dZoomJumpBairitsu[i] = in.f64();
        h.DPZoomJumpGenten_x[i] = in.f64();
        h.DPZoomJumpGenten_y[i] = in.f64();
        if (v >= 231)
            h.nZoomJumpGLay[i] = in.i32();
    }
    if (v >= 231) {
        h.dDm11 = in.f64();
        h.dDm12 = in.f64();
        h.dDm13 = in.f64();
        h.lnDm1 = in.i32();
        h.dDm21 = in.f64();
        h.dDm22 = in.f64();
        h.dMojiBG = in.f64();
        h.nMojiBG = in.i32();
    }
    for (double& x : h.adFukusenSuuchi)
        x = in.f64();
    h.dRyougawaFukusenTomeDe = in.f64();
}

// Rows 21 to 25: the colour and line-type tables.
void readColoursAndLineTypes(TJwwData& d, ByteCursor& in)
{
    for (TEntJwwColorNo& c : d.EntCol) {
        c.aPenColor = in.i32();
        c.anPenWidth = in.i32();
    }
    for (TEntJwwColorNo& c : d.EntCol) {
        c.aPrtPenColor = in.i32();
        c.anPrtPenWidth = in.i32();
        c.adPrtTenHankei = in.f64();
    }
    for (TEntJwwLineTypeNo& t : d.EntLtp1) {
        t.alLType = in.i32();
        t.anTokushuSenUintDot = in.i32();
        t.anTokushuSenPich = in.i32();
        t.anPrtTokushuSenPich = in.i32();
    }
    for (TEntJwwRandomLineNo& t : d.EntLtp2) {
        t.alLType = in.i32();
        t.anRandSenWide = in.i32();
        t.anTokushuSenPich = in.i32();
        t.anPrtRandSenWide = in.i32();
        t.anPrtTokushuSenPich = in.i32();
    }
    for (TEntJwwLineTypeNo& t : d.EntLtp3) {
        t.alLType = in.i32();
        t.anTokushuSenUintDot = in.i32();
        t.anTokushuSenPich = in.i32();
        t.anPrtTokushuSenPich = in.i32();
    }
}

// Rows 26 to 30: drawing and printing switches, editing time, eye point,
// dimension defaults and solid colours.
void readSwitches(TEntJwwHeader& h, ByteCursor& in)
{
    const int32_t v = h.jwVer;
    for (int32_t* x : {&h.nDrawGamenTen, &h.nDrawPrtTen, &h.nBitMapFirstDraw, &h.nGyakuDraw, &h.nGyakuSearch,
                       &h.nColorPrint, &h.nLayJunPrint, &h.nColJunPrint, &h.nPrtRenzoku, &h.nPrtKyoutsuuGray})
        *x = in.i32();
    // One stored value carries two settings: the printer resolution in its
    // tens and the "print only what is not drawn" switch in its units.
    const int32_t prt = in.i32();
    h.nPrtDpi = prt / 10;
    h.nPrtDispOnlyNonDraw = prt % 10;
    if (v >= 223) {
        for (int32_t* x : {&h.lnDrawTime, &h.nEyeInit, &h.dEye_H_Ichi_1, &h.dEye_H_Ichi_2, &h.dEye_H_Ichi_3})
            *x = in.i32();
        for (double* x : {&h.dEye_Z_Ichi_1, &h.dEye_Y_Ichi_1, &h.dEye_Z_Ichi_2, &h.dEye_Y_Ichi_2, &h.dEye_V_Ichi_3})
            *x = in.f64();
    }
    if (v >= 225) {
        for (double* x : {&h.dSenNagasaSnpou, &h.dBoxSunpouX, &h.dBoxSunpouY, &h.dEnHankeiSnpou})
            *x = in.f64();
    }
    if (v >= 230) {
        h.nSolidNinniColor = in.i32();
        h.SolidColor = in.i32();
    }
}

// Rows 31 to 34, present from version 420: extended colours and user line
// types.
void readExtendedTables(TJwwData& d, ByteCursor& in)
{
    for (TEntJwwColorExNo& c : d.EntColS) {
        c.aPenColor = in.i32();
        c.anPenWidth = in.i32();
    }
    for (TEntJwwColorExNo& c : d.EntColS) {
        c.astrUDColorName = ReadCStringPrintable(in);
        c.aPrtPenColor = in.i32();
        c.anPrtPenWidth = in.i32();
        c.adPrtTenHankei = in.f64();
    }
    for (TEntJwwLineTypeExNo& t : d.EntLtpS) {
        t.alLType = in.i32();
        t.anTokushuSenUintDot = in.i32();
        t.anTokushuSenPich = in.i32();
        t.anPrtTokushuSenPich = in.i32();
    }
    for (TEntJwwLineTypeExNo& t : d.EntLtpS) {
        t.astrUDLTypeName = ReadCStringPrintable(in);
        t.anUDLTypeSegment = in.i32();
        for (double& p : t.aadUDLTypePitch)
            p = in.f64();
    }
}

// Rows 35 to 37: text types and the current text settings. Sizes that are
// not numbers would reach every text written with them, so they fall back
// to Jw_cad's defaults.
void readTextSettings(TJwwData& d, ByteCursor& in)
{
    for (TEntJwwMojiType& m : d.EntMoj) {
        m.adMojiX = finiteOr(in.f64(), 3);
        m.adMojiY = finiteOr(in.f64(), 3);
        m.adMojiD = finiteOr(in.f64(), 0);
        m.anMojiCol = in.i32();
    }
    TEntJwwHeader& h = d.Enthd;
    h.dMojiSizeX = finiteOr(in.f64(), 3);
    h.dMojiSizeY = finiteOr(in.f64(), 3);
    h.dMojiKankaku = finiteOr(in.f64(), 0);
    h.nMojiColor = in.i32();
    h.nMojiShu = in.i32();
    h.dMojiSeiriGyouKan = in.f64();
    h.dMojiSeiriSuu = in.f64();
    h.nMojiKijunZureOn = in.i32();
    for (double* x : {&h.adMojiKijunZureX0, &h.adMojiKijunZureX1, &h.adMojiKijunZureX2, &h.adMojiKijunZureY0,
                      &h.adMojiKijunZureY1, &h.adMojiKijunZureY2})
        *x = in.f64();
}

}  // namespace

bool HeaderIn(TJwwData& d, ByteCursor& in)
{
    sizeTables(d);
    TEntJwwHeader& h = d.Enthd;
    h.jwID = common::AnsiBytesToText(in.bytes(8));
    if (h.jwID != QStringLiteral("JwwData."))
        return false;
    h.jwVer = in.i32();
    if (in.failed() || h.jwVer < kMinVersion || h.jwVer > kMaxVersion)
        return false;
    h.strMemo = ReadCString(in);  // the only string that keeps its line breaks
    h.nZumen = in.i32();
    h.nWriteGLay = in.i32();
    readLayerStates(d, in);
    readPrintAndNames(d, in);
    readViewSettings(h, in);
    readColoursAndLineTypes(d, in);
    readSwitches(h, in);
    if (h.jwVer >= 420)
        readExtendedTables(d, in);
    readTextSettings(d, in);
    return !in.failed();
}

}  // namespace jww
