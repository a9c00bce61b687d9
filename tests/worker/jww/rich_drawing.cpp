// The rich drawing and what its file reads back as, version by version.
#include "tests/worker/jww/rich_drawing.h"

#include <cmath>

namespace testsupport {

using namespace jww;

namespace {

TEntJwwAttr attr(uint32_t group, uint8_t style, uint16_t color, uint16_t width, uint16_t layer, uint16_t glayer)
{
    TEntJwwAttr a;
    a.lGroup = group;
    a.nPenStyle = style;
    a.nPenColor = color;
    a.nPenWidth = width;
    a.nLayer = layer;
    a.nGLayer = glayer;
    a.sFlg = static_cast<uint16_t>(group * 3);
    return a;
}

TEntJwwTen point(const TEntJwwAttr& a, double x, double y, double scaleWithoutCode)
{
    TEntJwwTen t{a, x, y, 0, 0, 0, scaleWithoutCode};
    if (a.nPenStyle == 100) {
        t.nCode = -7;
        t.radKaitenKaku = 0.25;
        t.dBairitsu = 1.5;
    }
    return t;
}

// Header rows 4 to 20 with values that differ from their defaults.
void fillSettings(TJwwData& d)
{
    TEntJwwHeader& h = d.Enthd;
    h.strMemo = QStringLiteral("設計メモ\r\nline 2");
    h.nZumen = 2;
    h.nWriteGLay = 3;
    h.lnSunpou1 = 11, h.lnSunpou2 = 12, h.lnSunpou3 = 13, h.lnSunpou4 = 14, h.lnSunpou5 = 15;
    h.nMaxDrawWid = -250;
    h.DPPrtGenten_x = 1.5, h.DPPrtGenten_y = -2.5, h.dPrtBairitsu = 0.5, h.nPrtSet = 2;
    h.nMemoriMode = 1, h.dMemoriHyoujiMin = 2, h.dMemoriX = 910, h.dMemoriY = 455;
    h.DpMemoriKjTen_x = 3, h.DpMemoriKjTen_y = 4;
    h.dKageLevel = 5, h.dKageIdo = 35, h.nKage9_15JiFlg = 1, h.dKabeKageLevel = 6;
    h.dTenkuuZuLevel = 7, h.dTenkuuZuEnkoR = 8, h.nMMTani3D = 1;
    h.dBairitsu = 2, h.DPGenten_x = 9, h.DPGenten_y = 10;
    h.dHanniBairitsu = 3, h.DPHanniGenten_x = 11, h.DPHanniGenten_y = 12;
    for (int i = 0; i < 8; ++i) {
        h.dZoomJumpBairitsu[i] = 2 + i;
        h.DPZoomJumpGenten_x[i] = 10 * i;
        h.DPZoomJumpGenten_y[i] = -10 * i;
        h.nZoomJumpGLay[i] = i;
    }
    h.dDm11 = 1.25, h.dDm12 = 2.25, h.dDm13 = 3.25, h.lnDm1 = 4, h.dDm21 = 5.25, h.dDm22 = 6.25;
    h.dMojiBG = 1.75, h.nMojiBG = 2;
    for (int i = 0; i < 10; ++i)
        h.adFukusenSuuchi[i] = 0.5 * i;
    h.dRyougawaFukusenTomeDe = 0.75;
    for (int i = 0; i < 256; i += 17)
        d.EntLay[i].aStrLayName = QStringLiteral("レイヤ%1").arg(i);
    for (int g = 0; g < 16; ++g) {
        d.EntLgrp[g].adScale = 50.0 * (g + 1);
        d.EntLgrp[g].anWriteLay = g;
        d.EntLgrp[g].aStrGLayName = QStringLiteral("G%1").arg(g);
    }
    d.EntLay[255].aanLayProtect = 1;
}

// Header rows 21 to 37.
void fillTables(TJwwData& d)
{
    TEntJwwHeader& h = d.Enthd;
    for (int i = 0; i < 8; ++i)
        d.EntLtp1[i] = {static_cast<int32_t>(0xF0F0F0F0u >> i), i, 2 * i, 3 * i};
    for (int i = 0; i < 5; ++i)
        d.EntLtp2[i] = {i + 1, i + 2, i + 3, i + 4, i + 5};
    for (int i = 0; i < 4; ++i)
        d.EntLtp3[i] = {-i, i, i, i};
    h.nDrawGamenTen = 1, h.nDrawPrtTen = 2, h.nBitMapFirstDraw = 3, h.nGyakuDraw = 4, h.nGyakuSearch = 5;
    h.nColorPrint = 6, h.nLayJunPrint = 7, h.nColJunPrint = 8, h.nPrtRenzoku = 9, h.nPrtKyoutsuuGray = 10;
    h.nPrtDpi = 1, h.nPrtDispOnlyNonDraw = 2;
    h.lnDrawTime = 3600, h.nEyeInit = 1, h.dEye_H_Ichi_1 = 2, h.dEye_H_Ichi_2 = 3, h.dEye_H_Ichi_3 = 4;
    h.dEye_Z_Ichi_1 = 5, h.dEye_Y_Ichi_1 = 6, h.dEye_Z_Ichi_2 = 7, h.dEye_Y_Ichi_2 = 8, h.dEye_V_Ichi_3 = 9;
    h.dSenNagasaSnpou = 1, h.dBoxSunpouX = 2, h.dBoxSunpouY = 3, h.dEnHankeiSnpou = 4;
    h.nSolidNinniColor = 1, h.SolidColor = 0x00808080;
    for (int i = 0; i < 257; i += 32)
        d.EntColS[i] = {i, i + 1, QStringLiteral("色%1").arg(i), i + 2, i + 3, 0.5 * i};
    for (int i = 0; i < 33; i += 8) {
        TEntJwwLineTypeExNo& t = d.EntLtpS[i];
        t = {i, i + 1, i + 2, i + 3, QStringLiteral("線種%1").arg(i), 4, {}};
        t.aadUDLTypePitch = {1, 2, 3, 4, 0, 0, 0, 0, 0, 10};
    }
    d.EntMoj[9] = {10, 11, 1, 4};
    h.dMojiSizeX = 2.5, h.dMojiSizeY = 3.5, h.dMojiKankaku = 0.5;
    h.nMojiColor = 2, h.nMojiShu = 3, h.dMojiSeiriGyouKan = 1.5, h.dMojiSeiriSuu = 2;
    h.nMojiKijunZureOn = 1;
    h.adMojiKijunZureX0 = 0.1, h.adMojiKijunZureX1 = 0.2, h.adMojiKijunZureX2 = 0.3;
    h.adMojiKijunZureY0 = 0.4, h.adMojiKijunZureY1 = 0.5, h.adMojiKijunZureY2 = 0.6;
}

TEntJwwSunpo dimension()
{
    TEntJwwSunpo s;
    s.att = attr(9, 1, 4, 3, 1, 0);
    s.Sen = {attr(9, 1, 4, 3, 1, 0), -100, -80, 0, -80};
    s.Moji = {attr(9, 1, 4, 3, 1, 0), -60, -78, -40, -78, 0, 2.5, 2.5, 0, 0, QStringLiteral("ＭＳ ゴシック"),
              QStringLiteral("1,000")};
    s.bSxfMode = 2;
    s.Ho1 = {attr(9, 1, 4, 3, 1, 0), -100, -90, -100, -80};
    s.Ho2 = {attr(9, 1, 4, 3, 1, 0), 0, -90, 0, -80};
    s.Te1 = point(attr(9, 100, 4, 0, 1, 0), -100, -80, 0);
    s.Te2 = point(attr(9, 100, 4, 0, 1, 0), 0, -80, 0);
    s.Kt1 = point(attr(9, 5, 4, 0, 1, 0), -100, -90, 0);
    s.Kt2 = point(attr(9, 1, 4, 0, 1, 0), 0, -90, 0);
    return s;
}

void addEveryKind(TJwwData& d)
{
    addLine(d, {attr(0, 1, 1, 0, 0, 0), -150, 100, 150, 100});
    addEnko(d, {attr(0, 2, 2, 1, 0, 0), -100, 50, 20, 0, 2 * M_PI, 0, 1, 1});
    addEnko(d, {attr(0, 1, 3, 0, 2, 0), 0, 50, 20, 0.5, 2, 0, 1, 0});
    addEnko(d, {attr(0, 1, 5, 0, 2, 1), 100, 50, 30, 0, 2 * M_PI, 0.3, 0.5, 1});
    addTen(d, point(attr(0, 1, 1, 0, 3, 0), -120, -20, 1));
    addTen(d, point(attr(0, 100, 6, 0, 3, 0), -100, -20, 1));
    addMoji(d, {attr(0, 1, 2, 0, 4, 0), -150, 120, -90, 120, 2, 5, 5, 0.5, 15, QStringLiteral("ＭＳ 明朝"),
                QStringLiteral("図面タイトル")});
    addSunpo(d, dimension());
    addSolid(d, {attr(0, 1, 10, 0, 5, 0), 20, -60, 60, -60, 60, -20, 20, -20, 0x0000FF80});
    addSolid(d, {attr(0, 1, 7, 0, 5, 0), 70, -60, 90, -60, 90, -40, 70, -40, 0});
    addBlock(d, {attr(0, 64, 3, 0, 6, 0), 100, -50, 1, 1, 0, 1});
    addBlock(d, {attr(0, 1, 3, 0, 6, 0), 140, -50, 2, 0.5, M_PI / 6, 1});
    addBlock(d, {attr(0, 1, 3, 0, 6, 0), 0, 0, 1, 1, 0, 77});  // no definition has 77
}

void addDefinitions(TJwwData& d)
{
    TEntJwwBlockDef a;
    a.att = attr(0, 1, 2, 4, 6, 0);
    a.nNumber = 1;
    a.bRefferd = 1;
    a.dtime = static_cast<uint32_t>(-3);  // negative: replaced by the position
    a.strName = QStringLiteral("窓");
    addLine(a, {attr(0, 1, 1, 0, 0, 0), 0, 0, 10, 0});
    addEnko(a, {attr(0, 1, 1, 0, 0, 0), 5, 5, 2, 0, 2 * M_PI, 0, 1, 1});
    addTen(a, point(attr(0, 3, 1, 0, 0, 0), 1, 1, 0));
    addTen(a, point(attr(0, 100, 1, 0, 0, 0), 2, 2, 0));
    addMoji(a, {attr(0, 1, 1, 0, 0, 0), 0, 12, 6, 12, 1, 2, 2, 0, 0, QStringLiteral("ＭＳ"), QStringLiteral("W1")});
    addSunpo(a, dimension());
    addSolid(a, {attr(0, 1, 10, 0, 0, 0), 0, 0, 1, 0, 1, 1, 0, 1, 0x00FF0000});
    addBlock(a, {attr(0, 1, 1, 0, 0, 0), 2, 3, 1, 1, 0, 2});
    addBlock(a, {attr(0, 1, 1, 0, 0, 0), 8, 3, -1, 1, M_PI, 2});
    d.EntBlockDef.push_back(a);

    TEntJwwBlockDef b;
    b.att = attr(0, 1, 3, 0, 7, 1);
    b.nNumber = 2;
    b.dtime = 12345;
    b.strName = QStringLiteral("sash");
    addLine(b, {attr(0, 1, 1, 0, 0, 0), 0, 0, 1, 1});
    d.EntBlockDef.push_back(b);

    TEntJwwBlockDef unused;
    unused.nNumber = 3;
    unused.strName = QStringLiteral("unused");
    d.EntBlockDef.push_back(unused);
    d.Enthd.n2 = static_cast<int32_t>(d.EntBlockDef.size());
}

void stripPenWidth(TEntJwwAttr& a)
{
    a.nPenWidth = 0;
}

template <typename F>
void forEachAttr(TEntJwwSunpo& s, F f)
{
    for (TEntJwwAttr* a : {&s.att, &s.Sen.att, &s.Moji.att, &s.Ho1.att, &s.Ho2.att, &s.Te1.att, &s.Te2.att,
                           &s.Kt1.att, &s.Kt2.att})
        f(*a);
}

// Before 420 a dimension stores neither its mode nor its extension parts.
void oldDimension(TEntJwwSunpo& s)
{
    s.bSxfMode = 0;
    s.Ho1 = s.Ho2 = TEntJwwLine{s.att, 0, 0, 0, 0};
    TEntJwwAttr pointAtt = s.att;
    pointAtt.nPenStyle = 0;
    s.Te1 = s.Te2 = s.Kt1 = s.Kt2 = TEntJwwTen{pointAtt, 0, 0, 0, 0, 0, 0};
}

void downgradeEntities(std::vector<TEntJwwLine>& lines, std::vector<TEntJwwEnko>& enko, std::vector<TEntJwwTen>& ten,
                       std::vector<TEntJwwMoji>& moji, std::vector<TEntJwwSunpo>& sunpo,
                       std::vector<TEntJwwSolid>& solid, std::vector<TEntJwwBlock>& block, int32_t v)
{
    if (v < 351) {
        for (auto& e : lines) stripPenWidth(e.att);
        for (auto& e : enko) stripPenWidth(e.att);
        for (auto& e : ten) stripPenWidth(e.att);
        for (auto& e : moji) stripPenWidth(e.att);
        for (auto& e : sunpo) forEachAttr(e, stripPenWidth);
        for (auto& e : solid) stripPenWidth(e.att);
        for (auto& e : block) stripPenWidth(e.att);
    }
    if (v < 420) {
        for (auto& e : sunpo)
            oldDimension(e);
    }
}

void downgradeHeader(TJwwData& d)
{
    TEntJwwHeader& h = d.Enthd;
    const int32_t v = h.jwVer;
    if (v < 300)
        h.dTenkuuZuLevel = h.dTenkuuZuEnkoR = 0;
    if (v < 231) {
        for (int i = 4; i < 8; ++i) {
            h.dZoomJumpBairitsu[i] = 1;
            h.DPZoomJumpGenten_x[i] = h.DPZoomJumpGenten_y[i] = 0;
        }
        h.nZoomJumpGLay.fill(-1);
        h.dDm11 = h.dDm12 = h.dDm13 = h.dDm21 = h.dDm22 = h.dMojiBG = 0;
        h.lnDm1 = h.nMojiBG = 0;
    }
    if (v < 230)
        h.nSolidNinniColor = h.SolidColor = 0;
    if (v < 420) {
        d.EntColS.assign(257, {});
        d.EntLtpS.assign(33, {});
    }
}

}  // namespace

void buildRichDrawing(TJwwData& d, int32_t version, JwwWriteOptions& options)
{
    initEmptyDrawing(d, version);
    fillSettings(d);
    fillTables(d);
    addEveryKind(d);
    addDefinitions(d);
    if (version < 700)
        return;
    options.imageData.clear();
    auto addImage = [&](const QString& name, int32_t size, const QByteArray& data) {
        d.BindImage.push_back({name, size, false});
        options.imageData.push_back(data);
    };
    const QByteArray photo = gzipBytes(QByteArray("JFIF photo ").repeated(100));
    addImage(QStringLiteral("PHOTO.JPG.GZ"), static_cast<int32_t>(photo.size()), photo);
    addImage(QStringLiteral("raw.bmp"), 6, QByteArray("BM1234"));
    addImage(QString(), 5, {});                    // no name: no data follows
    addImage(QStringLiteral("empty.png"), 0, {});  // no size: no data follows
}

void expectReadBack(TJwwData& d)
{
    const int32_t v = d.Enthd.jwVer;
    // Derived while reading: -250 selects the fixed widths with 50 of its own.
    d.Enthd.bSenHaba100 = true;
    d.Enthd.nMaxDrawWidBak = 50;
    downgradeHeader(d);
    downgradeEntities(d.EntLine, d.EntEnko, d.EntTen, d.EntMoji, d.EntSunpo, d.EntSolid, d.EntBlock, v);
    for (size_t i = 0; i < d.EntBlockDef.size(); ++i) {
        TEntJwwBlockDef& def = d.EntBlockDef[i];
        if (static_cast<int32_t>(def.dtime) < 0)
            def.dtime = static_cast<uint32_t>(i + 1);
        if (v < 351)
            stripPenWidth(def.att);
        downgradeEntities(def.mLine, def.mEnko, def.mTen, def.mMoji, def.mSunpo, def.mSolid, def.mBlock, v);
    }
    if (v < 700)
        d.BindImageInit();
    d.MakeBlockTree();
}

}  // namespace testsupport
