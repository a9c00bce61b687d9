// Serialisation of a drawing model into drawing-file bytes, field by field in
// the order the reader expects them.
#include "tests/support/jww_builder.h"

#include "common/codepage.h"

#include <QtEndian>

#include <zlib.h>

#include <cstring>

namespace testsupport {

using namespace jww;

void JwwBytes::i8(uint8_t v)
{
    m_data.append(static_cast<char>(v));
}

void JwwBytes::i16(uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    m_data.append(b, 2);
}

void JwwBytes::i32(int32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    m_data.append(b, 4);
}

void JwwBytes::f64(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    char b[8];
    qToLittleEndian(bits, b);
    m_data.append(b, 8);
}

void JwwBytes::raw(const QByteArray& bytes)
{
    m_data.append(bytes);
}

void JwwBytes::zeros(int n)
{
    m_data.append(QByteArray(n, '\0'));
}

void JwwBytes::cstringBytes(const QByteArray& bytes)
{
    if (bytes.size() < 255) {
        i8(static_cast<uint8_t>(bytes.size()));
    } else {
        i8(255);
        i16(static_cast<uint16_t>(bytes.size()));
    }
    raw(bytes);
}

void JwwBytes::cstring(const QString& text, bool utf16)
{
    if (!utf16) {
        cstringBytes(common::encodeCp932(text));
        return;
    }
    i8(255);
    i16(0xFFFE);
    if (text.size() < 255) {
        i8(static_cast<uint8_t>(text.size()));
    } else {
        i8(255);
        i16(static_cast<uint16_t>(text.size()));
    }
    for (QChar c : text)
        i16(c.unicode());
}

void JwwBytes::count(int32_t n, bool longForm)
{
    if (n < 0xFFFF && !longForm) {
        i16(static_cast<uint16_t>(n));
    } else {
        i16(0xFFFF);
        i32(n);
    }
}

void ClassTagWriter::tag(JwwBytes& out, const QByteArray& className)
{
    for (const auto& [name, index] : m_classes) {
        if (name != className)
            continue;
        if (index < 0x7FFF && !m_bigTags) {
            out.i16(static_cast<uint16_t>(0x8000 + index));
        } else {
            out.i16(0x7FFF);
            out.i32(static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index)));
        }
        return;
    }
    out.i16(0xFFFF);
    out.i16(0);  // schema
    out.i16(static_cast<uint16_t>(className.size()));
    out.raw(className);
    m_classes.emplace_back(className, m_mapIndex);
    ++m_mapIndex;
}

namespace {

void writeAttr(JwwBytes& out, const TEntJwwAttr& a, int version)
{
    out.i32(static_cast<int32_t>(a.lGroup));
    out.i8(a.nPenStyle);
    out.i16(a.nPenColor);
    if (version >= 351)
        out.i16(a.nPenWidth);
    out.i16(a.nLayer);
    out.i16(a.nGLayer);
    out.i16(a.sFlg);
}

void writeLineFixed(JwwBytes& out, const TEntJwwLine& e, int v)
{
    writeAttr(out, e.att, v);
    out.f64(e.start_x);
    out.f64(e.start_y);
    out.f64(e.end_x);
    out.f64(e.end_y);
}

void writeTen(JwwBytes& out, const TEntJwwTen& e, int v)
{
    writeAttr(out, e.att, v);
    out.f64(e.start_x);
    out.f64(e.start_y);
    out.i32(static_cast<int32_t>(e.bKariten));
    if (e.att.nPenStyle == 100) {
        out.i32(e.nCode);
        out.f64(e.radKaitenKaku);
        out.f64(e.dBairitsu);
    }
}

void writeMojiFixed(JwwBytes& out, const TEntJwwMoji& e, int v)
{
    writeAttr(out, e.att, v);
    out.f64(e.start_x);
    out.f64(e.start_y);
    out.f64(e.end_x);
    out.f64(e.end_y);
    out.i32(static_cast<int32_t>(e.nMojiShu));
    out.f64(e.dSizeX);
    out.f64(e.dSizeY);
    out.f64(e.dKankaku);
    out.f64(e.degKakudo);
}

void writeEnko(JwwBytes& out, const TEntJwwEnko& e, int v)
{
    writeAttr(out, e.att, v);
    for (double x : {e.start_x, e.start_y, e.dHankei, e.radKaishiKaku, e.radEnkoKaku, e.radKatamukiKaku,
                     e.dHenpeiRitsu})
        out.f64(x);
    out.i32(static_cast<int32_t>(e.bZenEnFlg));
}

void writeSunpo(JwwBytes& out, const TEntJwwSunpo& e, int v, bool utf16)
{
    writeAttr(out, e.att, v);
    writeLineFixed(out, e.Sen, v);
    writeMojiFixed(out, e.Moji, v);
    out.cstring(e.Moji.strFontName, utf16);
    out.cstring(e.Moji.str, utf16);
    if (v < 420)
        return;
    out.i16(e.bSxfMode);
    writeLineFixed(out, e.Ho1, v);
    writeLineFixed(out, e.Ho2, v);
    for (const TEntJwwTen* t : {&e.Te1, &e.Te2, &e.Kt1, &e.Kt2})
        writeTen(out, *t, v);
}

void writeSolid(JwwBytes& out, const TEntJwwSolid& e, int v)
{
    writeAttr(out, e.att, v);
    for (double x : {e.start_x, e.start_y, e.end_x, e.end_y, e.DPoint2_x, e.DPoint2_y, e.DPoint3_x, e.DPoint3_y})
        out.f64(x);
    if (e.att.nPenColor == 10)
        out.i32(static_cast<int32_t>(e.Color));
}

void writeBlockInsert(JwwBytes& out, const TEntJwwBlock& e, int v)
{
    writeAttr(out, e.att, v);
    for (double x : {e.DPKijunTen_x, e.DPKijunTen_y, e.dBairitsuX, e.dBairitsuY, e.radKaitenKaku})
        out.f64(x);
    out.i32(static_cast<int32_t>(e.nNumber));
}

const char* className(int kind)
{
    switch (kind) {
    case kEntLine: return "CDataSen";
    case kEntEnko: return "CDataEnko";
    case kEntTen: return "CDataTen";
    case kEntMoji: return "CDataMoji";
    case kEntSunpo: return "CDataSunpou";
    case kEntSolid: return "CDataSolid";
    case kEntBlock: return "CDataBlock";
    default: return "";
    }
}

void writeZoomAndDm(JwwBytes& out, const TEntJwwHeader& h)
{
    if (h.jwVer >= 231) {
        for (int i = 0; i < 8; ++i) {
            out.f64(h.dZoomJumpBairitsu[i]);
            out.f64(h.DPZoomJumpGenten_x[i]);
            out.f64(h.DPZoomJumpGenten_y[i]);
            out.i32(h.nZoomJumpGLay[i]);
        }
        out.f64(h.dDm11);
        out.f64(h.dDm12);
        out.f64(h.dDm13);
        out.i32(h.lnDm1);
        out.f64(h.dDm21);
        out.f64(h.dDm22);
        out.f64(h.dMojiBG);
        out.i32(h.nMojiBG);
    } else {
        for (int i = 0; i < 4; ++i) {
            out.f64(h.dZoomJumpBairitsu[i]);
            out.f64(h.DPZoomJumpGenten_x[i]);
            out.f64(h.DPZoomJumpGenten_y[i]);
        }
    }
}

void writeColoursAndLineTypes(JwwBytes& out, const TJwwData& d, bool utf16)
{
    const int v = d.Enthd.jwVer;
    for (int i = 0; i < 10; ++i) {
        out.i32(d.EntCol[i].aPenColor);
        out.i32(d.EntCol[i].anPenWidth);
    }
    for (int i = 0; i < 10; ++i) {
        out.i32(d.EntCol[i].aPrtPenColor);
        out.i32(d.EntCol[i].anPrtPenWidth);
        out.f64(d.EntCol[i].adPrtTenHankei);
    }
    for (int i = 0; i < 8; ++i) {
        const auto& t = d.EntLtp1[i];
        for (int32_t x : {t.alLType, t.anTokushuSenUintDot, t.anTokushuSenPich, t.anPrtTokushuSenPich})
            out.i32(x);
    }
    for (int i = 0; i < 5; ++i) {
        const auto& t = d.EntLtp2[i];
        for (int32_t x : {t.alLType, t.anRandSenWide, t.anTokushuSenPich, t.anPrtRandSenWide, t.anPrtTokushuSenPich})
            out.i32(x);
    }
    for (int i = 0; i < 4; ++i) {
        const auto& t = d.EntLtp3[i];
        for (int32_t x : {t.alLType, t.anTokushuSenUintDot, t.anTokushuSenPich, t.anPrtTokushuSenPich})
            out.i32(x);
    }
    const auto& h = d.Enthd;
    for (int32_t x : {h.nDrawGamenTen, h.nDrawPrtTen, h.nBitMapFirstDraw, h.nGyakuDraw, h.nGyakuSearch,
                      h.nColorPrint, h.nLayJunPrint, h.nColJunPrint, h.nPrtRenzoku, h.nPrtKyoutsuuGray})
        out.i32(x);
    out.i32(h.nPrtDpi * 10 + h.nPrtDispOnlyNonDraw);
    if (v >= 223) {
        for (int32_t x : {h.lnDrawTime, h.nEyeInit, h.dEye_H_Ichi_1, h.dEye_H_Ichi_2, h.dEye_H_Ichi_3})
            out.i32(x);
        for (double x : {h.dEye_Z_Ichi_1, h.dEye_Y_Ichi_1, h.dEye_Z_Ichi_2, h.dEye_Y_Ichi_2, h.dEye_V_Ichi_3})
            out.f64(x);
    }
    if (v >= 225) {
        for (double x : {h.dSenNagasaSnpou, h.dBoxSunpouX, h.dBoxSunpouY, h.dEnHankeiSnpou})
            out.f64(x);
    }
    if (v >= 230) {
        out.i32(h.nSolidNinniColor);
        out.i32(h.SolidColor);
    }
    if (v >= 420) {
        for (int i = 0; i <= 256; ++i) {
            out.i32(d.EntColS[i].aPenColor);
            out.i32(d.EntColS[i].anPenWidth);
        }
        for (int i = 0; i <= 256; ++i) {
            out.cstring(d.EntColS[i].astrUDColorName, utf16);
            out.i32(d.EntColS[i].aPrtPenColor);
            out.i32(d.EntColS[i].anPrtPenWidth);
            out.f64(d.EntColS[i].adPrtTenHankei);
        }
        for (int i = 0; i <= 32; ++i) {
            const auto& t = d.EntLtpS[i];
            for (int32_t x : {t.alLType, t.anTokushuSenUintDot, t.anTokushuSenPich, t.anPrtTokushuSenPich})
                out.i32(x);
        }
        for (int i = 0; i <= 32; ++i) {
            out.cstring(d.EntLtpS[i].astrUDLTypeName, utf16);
            out.i32(d.EntLtpS[i].anUDLTypeSegment);
            for (double p : d.EntLtpS[i].aadUDLTypePitch)
                out.f64(p);
        }
    }
}

}  // namespace

void writeJwwHeader(JwwBytes& out, const TJwwData& d, const JwwWriteOptions& options)
{
    const auto& h = d.Enthd;
    const bool utf16 = options.utf16Strings;
    out.raw("JwwData.");
    out.i32(h.jwVer);
    out.cstring(h.strMemo, options.utf16Memo);
    out.i32(h.nZumen);
    out.i32(h.nWriteGLay);
    for (int g = 0; g < 16; ++g) {
        out.i32(d.EntLgrp[g].anGLay);
        out.i32(d.EntLgrp[g].anWriteLay);
        out.f64(d.EntLgrp[g].adScale);
        out.i32(d.EntLgrp[g].anGLayProtect);
        for (int l = 0; l < 16; ++l) {
            out.i32(d.EntLay[g * 16 + l].aanLay);
            out.i32(d.EntLay[g * 16 + l].aanLayProtect);
        }
    }
    out.zeros(56);
    for (int32_t x : {h.lnSunpou1, h.lnSunpou2, h.lnSunpou3, h.lnSunpou4, h.lnSunpou5})
        out.i32(x);
    out.zeros(4);
    out.i32(h.nMaxDrawWid);
    out.f64(h.DPPrtGenten_x);
    out.f64(h.DPPrtGenten_y);
    out.f64(h.dPrtBairitsu);
    out.i32(h.nPrtSet);
    out.i32(h.nMemoriMode);
    for (double x : {h.dMemoriHyoujiMin, h.dMemoriX, h.dMemoriY, h.DpMemoriKjTen_x, h.DpMemoriKjTen_y})
        out.f64(x);
    for (int i = 0; i < 256; ++i)
        out.cstring(d.EntLay[i].aStrLayName, utf16);
    for (int g = 0; g < 16; ++g)
        out.cstring(d.EntLgrp[g].aStrGLayName, utf16);
    out.f64(h.dKageLevel);
    out.f64(h.dKageIdo);
    out.i32(h.nKage9_15JiFlg);
    out.f64(h.dKabeKageLevel);
    if (h.jwVer >= 300) {
        out.f64(h.dTenkuuZuLevel);
        out.f64(h.dTenkuuZuEnkoR);
    }
    out.i32(h.nMMTani3D);
    for (double x : {h.dBairitsu, h.DPGenten_x, h.DPGenten_y, h.dHanniBairitsu, h.DPHanniGenten_x, h.DPHanniGenten_y})
        out.f64(x);
    writeZoomAndDm(out, h);
    for (double x : h.adFukusenSuuchi)
        out.f64(x);
    out.f64(h.dRyougawaFukusenTomeDe);
    writeColoursAndLineTypes(out, d, utf16);
    for (int i = 0; i < 10; ++i) {
        out.f64(d.EntMoj[i].adMojiX);
        out.f64(d.EntMoj[i].adMojiY);
        out.f64(d.EntMoj[i].adMojiD);
        out.i32(d.EntMoj[i].anMojiCol);
    }
    out.f64(h.dMojiSizeX);
    out.f64(h.dMojiSizeY);
    out.f64(h.dMojiKankaku);
    out.i32(h.nMojiColor);
    out.i32(h.nMojiShu);
    out.f64(h.dMojiSeiriGyouKan);
    out.f64(h.dMojiSeiriSuu);
    out.i32(h.nMojiKijunZureOn);
    for (double x : {h.adMojiKijunZureX0, h.adMojiKijunZureX1, h.adMojiKijunZureX2, h.adMojiKijunZureY0,
                     h.adMojiKijunZureY1, h.adMojiKijunZureY2})
        out.f64(x);
}

void writeJwwEntity(JwwBytes& out, ClassTagWriter& tags, const TJwwData& d, const TEntJwwNo& no,
                    const TEntJwwBlockDef* def, bool utf16)
{
    const int v = d.Enthd.jwVer;
    tags.tag(out, className(no.EntType));
    const size_t i = static_cast<size_t>(no.EntNo);
    switch (no.EntType) {
    case kEntLine: writeLineFixed(out, def ? def->mLine[i] : d.EntLine[i], v); break;
    case kEntEnko: writeEnko(out, def ? def->mEnko[i] : d.EntEnko[i], v); break;
    case kEntTen: writeTen(out, def ? def->mTen[i] : d.EntTen[i], v); break;
    case kEntMoji: {
        const TEntJwwMoji& e = def ? def->mMoji[i] : d.EntMoji[i];
        writeMojiFixed(out, e, v);
        out.cstring(e.strFontName, utf16);
        out.cstring(e.str, utf16);
        break;
    }
    case kEntSunpo: writeSunpo(out, def ? def->mSunpo[i] : d.EntSunpo[i], v, utf16); break;
    case kEntSolid: writeSolid(out, def ? def->mSolid[i] : d.EntSolid[i], v); break;
    case kEntBlock: writeBlockInsert(out, def ? def->mBlock[i] : d.EntBlock[i], v); break;
    default: break;
    }
    tags.object();
}

namespace {

void writeBlockDefs(JwwBytes& out, ClassTagWriter& tags, const TJwwData& d, const JwwWriteOptions& options,
                    JwwLayout& layout)
{
    const int v = d.Enthd.jwVer;
    layout.blockDefCount = out.data().size();
    out.count(static_cast<int32_t>(d.EntBlockDef.size()), options.longCounts);
    for (const TEntJwwBlockDef& def : d.EntBlockDef) {
        layout.blockDefs.push_back(out.data().size());
        tags.tag(out, options.blockDefClassName);
        writeAttr(out, def.att, v);
        out.i32(static_cast<int32_t>(def.nNumber));
        out.i32(static_cast<int32_t>(def.bRefferd));
        out.i32(static_cast<int32_t>(def.dtime));
        if (static_cast<int32_t>(def.dtime) < 0)
            out.zeros(8);
        out.cstring(def.strName, options.utf16Strings);
        layout.memberCounts.push_back(out.data().size());
        out.count(static_cast<int32_t>(def.mNo.size()), options.longCounts);
        tags.object();
        for (const TEntJwwNo& no : def.mNo) {
            layout.blockDefMembers.push_back(out.data().size());
            writeJwwEntity(out, tags, d, no, &def, options.utf16Strings);
        }
    }
}

void writeImages(JwwBytes& out, const TJwwData& d, const JwwWriteOptions& options, JwwLayout& layout)
{
    layout.imageCount = out.data().size();
    out.i32(static_cast<int32_t>(d.BindImage.size()));
    for (size_t i = 0; i < d.BindImage.size(); ++i) {
        const TBindImageType& img = d.BindImage[i];
        layout.images.push_back(out.data().size());
        out.cstring(img.Fname, options.utf16Strings);
        layout.imageSizes.push_back(out.data().size());
        out.i32(img.Fsize);
        if (img.Fname.isEmpty() || img.Fsize <= 0)
            continue;
        layout.imageData.push_back(out.data().size());
        QByteArray data = i < options.imageData.size() ? options.imageData[i] : QByteArray();
        data.resize(img.Fsize, '\0');
        out.raw(data);
    }
}

}  // namespace

QByteArray writeJww(const TJwwData& d, const JwwWriteOptions& options, JwwLayout* layoutOut)
{
    JwwLayout layout;
    JwwBytes out;
    writeJwwHeader(out, d, options);
    ClassTagWriter tags(options.bigClassTags);
    layout.entityCount = out.data().size();
    out.count(static_cast<int32_t>(d.EntNo.size()), options.longCounts);
    for (const TEntJwwNo& no : d.EntNo) {
        layout.entities.push_back(out.data().size());
        writeJwwEntity(out, tags, d, no, nullptr, options.utf16Strings);
    }
    writeBlockDefs(out, tags, d, options, layout);
    if (d.Enthd.jwVer >= 700)
        writeImages(out, d, options, layout);
    if (layoutOut)
        *layoutOut = std::move(layout);
    return out.data();
}

QByteArray gzipBytes(const QByteArray& data)
{
    z_stream zs{};
    if (deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, 31, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(static_cast<qsizetype>(deflateBound(&zs, static_cast<uLong>(data.size()))), '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    out.resize(rc == Z_STREAM_END ? static_cast<qsizetype>(zs.total_out) : 0);
    deflateEnd(&zs);
    return out;
}

QByteArray gzipZeros(int megabytes)
{
    z_stream zs{};
    deflateInit2(&zs, Z_BEST_SPEED, Z_DEFLATED, 31, 9, Z_RLE);
    const QByteArray zeros(1 << 20, '\0');
    QByteArray out;
    char buf[65536];
    for (int i = 0; i < megabytes; ++i) {
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
        zs.avail_in = static_cast<uInt>(zeros.size());
        const int flush = i + 1 == megabytes ? Z_FINISH : Z_NO_FLUSH;
        do {
            zs.next_out = reinterpret_cast<Bytef*>(buf);
            zs.avail_out = sizeof buf;
            deflate(&zs, flush);
            out.append(buf, static_cast<qsizetype>(sizeof buf - zs.avail_out));
        } while (zs.avail_out == 0);
    }
    deflateEnd(&zs);
    return out;
}

void initEmptyDrawing(TJwwData& d, int32_t version)
{
    d.DataInit();
    d.Enthd.jwID = QStringLiteral("JwwData.");
    d.Enthd.jwVer = version;
    d.Enthd.nZumen = 3;  // A3
    d.EntLgrp.assign(16, {});
    d.EntLay.assign(256, {});
    for (int g = 0; g < 16; ++g) {
        d.EntLgrp[g].anGLay = 2;
        d.EntLgrp[g].adScale = 1;
        for (int l = 0; l < 16; ++l)
            d.EntLay[g * 16 + l].aanLay = 2;
    }
    d.EntCol.assign(10, {});
    // Jw_cad's default screen colours (red in the low byte) and printer widths.
    const int32_t screen[10] = {0xFFFFFF, 0x00FFFF, 0x000000, 0x00FF00, 0xFFFF00,
                                0xFF00FF, 0xFF0000, 0x008000, 0x0000FF, 0xC0C0C0};
    for (int i = 0; i < 10; ++i) {
        d.EntCol[i].aPenColor = screen[i];
        d.EntCol[i].aPrtPenColor = i == 0 ? 0xFFFFFF : 0;
        d.EntCol[i].anPenWidth = 1;
        d.EntCol[i].anPrtPenWidth = i == 0 ? 0 : 1 + i;
    }
    d.EntLtp1.assign(8, {});
    d.EntLtp2.assign(5, {});
    d.EntLtp3.assign(4, {});
    d.EntColS.assign(257, {});
    d.EntLtpS.assign(33, {});
    d.EntMoj.assign(10, {});
    for (int i = 0; i < 10; ++i)
        d.EntMoj[i] = {2.0 + i, 2.0 + i, 0, 1};
    d.Enthd.dMojiSizeX = d.Enthd.dMojiSizeY = 3;
}

namespace {

template <typename E>
void addTop(TJwwData& d, std::vector<E>& array, int kind, const E& e)
{
    d.EntNo.push_back({kind, static_cast<int32_t>(array.size())});
    array.push_back(e);
    d.Enthd.n1 = static_cast<int32_t>(d.EntNo.size());
}

template <typename E>
void addMember(TEntJwwBlockDef& def, std::vector<E>& array, int kind, const E& e)
{
    def.mNo.push_back({kind, static_cast<int32_t>(array.size())});
    array.push_back(e);
    def.N = static_cast<int32_t>(def.mNo.size());
}

}  // namespace

void addLine(TJwwData& d, const TEntJwwLine& e) { addTop(d, d.EntLine, kEntLine, e); }
void addEnko(TJwwData& d, const TEntJwwEnko& e) { addTop(d, d.EntEnko, kEntEnko, e); }
void addTen(TJwwData& d, const TEntJwwTen& e) { addTop(d, d.EntTen, kEntTen, e); }
void addMoji(TJwwData& d, const TEntJwwMoji& e) { addTop(d, d.EntMoji, kEntMoji, e); }
void addSunpo(TJwwData& d, const TEntJwwSunpo& e) { addTop(d, d.EntSunpo, kEntSunpo, e); }
void addSolid(TJwwData& d, const TEntJwwSolid& e) { addTop(d, d.EntSolid, kEntSolid, e); }
void addBlock(TJwwData& d, const TEntJwwBlock& e) { addTop(d, d.EntBlock, kEntBlock, e); }

void addLine(TEntJwwBlockDef& def, const TEntJwwLine& e) { addMember(def, def.mLine, kEntLine, e); }
void addEnko(TEntJwwBlockDef& def, const TEntJwwEnko& e) { addMember(def, def.mEnko, kEntEnko, e); }
void addTen(TEntJwwBlockDef& def, const TEntJwwTen& e) { addMember(def, def.mTen, kEntTen, e); }
void addMoji(TEntJwwBlockDef& def, const TEntJwwMoji& e) { addMember(def, def.mMoji, kEntMoji, e); }
void addSunpo(TEntJwwBlockDef& def, const TEntJwwSunpo& e) { addMember(def, def.mSunpo, kEntSunpo, e); }
void addSolid(TEntJwwBlockDef& def, const TEntJwwSolid& e) { addMember(def, def.mSolid, kEntSolid, e); }
void addBlock(TEntJwwBlockDef& def, const TEntJwwBlock& e) { addMember(def, def.mBlock, kEntBlock, e); }

}  // namespace testsupport
