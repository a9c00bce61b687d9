// Entity bodies field by field. Files older than version 351 store no pen
// width, so every attribute block (and every fixed part that opens with one)
// is two bytes shorter there; dimensions carry their extension lines and end
// points only from version 420.
#include "worker/jww/jww_entity_reader.h"

#include "worker/jww/jww_cstring.h"

#include <cmath>

namespace jww {
namespace {

constexpr uint8_t kPointWithCode = 100;  // pen style of a point with code, angle and scale
constexpr uint16_t kOwnSolidColor = 10;  // colour number of a solid with its own RGB value

// The bytes that follow the attribute block in each fixed part, and the
// optional parts, for stepping over bodies without keeping them.
constexpr qsizetype kLineCoords = 32;     // start and end
constexpr qsizetype kEnkoRest = 60;       // centre, radius, three angles, flatness, whole-circle flag
constexpr qsizetype kTenRest = 20;        // position and the temporary-point flag
constexpr qsizetype kTenCodePart = 20;    // code, angle and scale
constexpr qsizetype kMojiRest = 68;       // corners, type, sizes, spacing and angle
constexpr qsizetype kSunpoModeBytes = 2;  // the SXF mode that opens the parts of version 420
constexpr qsizetype kSolidRest = 64;      // four corners
constexpr qsizetype kSolidColorPart = 4;  // the own RGB value
constexpr qsizetype kBlockRest = 44;      // base point, two scales, angle and definition number

}  // namespace

TEntJwwAttr readAttr(ByteCursor& in, int32_t v)
{
    TEntJwwAttr a;
    a.lGroup = static_cast<uint32_t>(in.i32());
    a.nPenStyle = in.u8();
    a.nPenColor = in.u16();
    if (v >= 351)
        a.nPenWidth = in.u16();
    a.nLayer = in.u16();
    a.nGLayer = in.u16();
    a.sFlg = in.u16();
    return a;
}

namespace {

void readLine(ByteCursor& in, int32_t v, TEntJwwLine& e)
{
    e.att = readAttr(in, v);
    e.start_x = in.f64();
    e.start_y = in.f64();
    e.end_x = in.f64();
    e.end_y = in.f64();
}

void readEnko(ByteCursor& in, int32_t v, TEntJwwEnko& e)
{
    e.att = readAttr(in, v);
    for (double* x : {&e.start_x, &e.start_y, &e.dHankei, &e.radKaishiKaku, &e.radEnkoKaku, &e.radKatamukiKaku,
                      &e.dHenpeiRitsu})
        *x = in.f64();
    e.bZenEnFlg = static_cast<uint32_t>(in.i32());
}

// A point; its code, angle and scale are stored only with pen style 100 and
// otherwise get 0, 0 and `scale`.
void readTen(ByteCursor& in, int32_t v, double scale, TEntJwwTen& e)
{
    e.att = readAttr(in, v);
    e.start_x = in.f64();
    e.start_y = in.f64();
    e.bKariten = static_cast<uint32_t>(in.i32());
    e.dBairitsu = scale;
    if (e.att.nPenStyle == kPointWithCode) {
        e.nCode = in.i32();
        e.radKaitenKaku = in.f64();
        e.dBairitsu = in.f64();
    }
}

// The fixed part of a text; its two strings follow separately. Sizes that
// are not numbers would reach every writer, so they take Jw_cad's defaults.
void readMojiFixed(ByteCursor& in, int32_t v, TEntJwwMoji& e)
{
    e.att = readAttr(in, v);
    e.start_x = in.f64();
    e.start_y = in.f64();
    e.end_x = in.f64();
    e.end_y = in.f64();
    e.nMojiShu = static_cast<uint32_t>(in.i32());
    e.dSizeX = in.f64();
    e.dSizeY = in.f64();
    e.dKankaku = in.f64();
    e.degKakudo = in.f64();
    if (!std::isfinite(e.dSizeX))
        e.dSizeX = 3;
    if (!std::isfinite(e.dSizeY))
        e.dSizeY = 3;
    if (!std::isfinite(e.dKankaku))
        e.dKankaku = 0;
}

void readMoji(ByteCursor& in, int32_t v, TEntJwwMoji& e)
{
    readMojiFixed(in, v, e);
    e.strFontName = ReadCStringPrintable(in);
    e.str = ReadCStringPrintable(in);
}

void readSunpo(ByteCursor& in, int32_t v, TEntJwwSunpo& e)
{
    e.att = readAttr(in, v);
    readLine(in, v, e.Sen);
    readMoji(in, v, e.Moji);
    if (v >= 420) {
        e.bSxfMode = in.u16();
        readLine(in, v, e.Ho1);
        readLine(in, v, e.Ho2);
        for (TEntJwwTen* t : {&e.Te1, &e.Te2, &e.Kt1, &e.Kt2})
            readTen(in, v, 0, *t);
        return;
    }
    // Older files store only the dimension line and text; the parts the
    // conversion expects get the dimension's attributes and no geometry.
    for (TEntJwwLine* l : {&e.Ho1, &e.Ho2})
        l->att = e.att;
    for (TEntJwwTen* t : {&e.Te1, &e.Te2, &e.Kt1, &e.Kt2}) {
        t->att = e.att;
        t->att.nPenStyle = 0;
    }
}

void readSolid(ByteCursor& in, int32_t v, TEntJwwSolid& e)
{
    e.att = readAttr(in, v);
    for (double* x : {&e.start_x, &e.start_y, &e.end_x, &e.end_y, &e.DPoint2_x, &e.DPoint2_y, &e.DPoint3_x,
                      &e.DPoint3_y})
        *x = in.f64();
    if (e.att.nPenColor == kOwnSolidColor)
        e.Color = static_cast<uint32_t>(in.i32());
}

void readBlock(ByteCursor& in, int32_t v, TEntJwwBlock& e)
{
    e.att = readAttr(in, v);
    for (double* x : {&e.DPKijunTen_x, &e.DPKijunTen_y, &e.dBairitsuX, &e.dBairitsuY, &e.radKaitenKaku})
        *x = in.f64();
    e.nNumber = static_cast<uint32_t>(in.i32());
}

void skipLine(ByteCursor& in, int32_t v)
{
    readAttr(in, v);
    in.skip(kLineCoords);
}

void skipTen(ByteCursor& in, int32_t v)
{
    const TEntJwwAttr a = readAttr(in, v);
    in.skip(kTenRest + (a.nPenStyle == kPointWithCode ? kTenCodePart : 0));
}

void skipMoji(ByteCursor& in, int32_t v)
{
    readAttr(in, v);
    in.skip(kMojiRest);
    SkipCString(in);
    SkipCString(in);
}

void skipSunpo(ByteCursor& in, int32_t v)
{
    readAttr(in, v);
    skipLine(in, v);
    skipMoji(in, v);
    if (v < 420)
        return;
    in.skip(kSunpoModeBytes);
    skipLine(in, v);
    skipLine(in, v);
    for (int i = 0; i < 4; ++i)
        skipTen(in, v);
}

void skipSolid(ByteCursor& in, int32_t v)
{
    const TEntJwwAttr a = readAttr(in, v);
    in.skip(kSolidRest + (a.nPenColor == kOwnSolidColor ? kSolidColorPart : 0));
}

void skipFixed(ByteCursor& in, int32_t v, qsizetype rest)
{
    readAttr(in, v);
    in.skip(rest);
}

// Reads one entity straight into a new last entry of `array` with `read`;
// the entry goes again when the file ended inside it.
template <typename E, typename Read>
int32_t keep(const ByteCursor& in, std::vector<E>& array, Read read)
{
    read(array.emplace_back());
    if (in.failed()) {
        array.pop_back();
        return -1;
    }
    return static_cast<int32_t>(array.size() - 1);
}

}  // namespace

int32_t entityKindOfClass(QByteArrayView className)
{
    static constexpr struct {
        const char* name;
        int32_t kind;
    } kClasses[] = {
        {"CDataSen", kEntLine},   {"CDataEnko", kEntEnko},   {"CDataTen", kEntTen},     {"CDataMoji", kEntMoji},
        {"CDataSunpou", kEntSunpo}, {"CDataSolid", kEntSolid}, {"CDataBlock", kEntBlock},
    };
    for (const auto& c : kClasses) {
        if (className == QByteArrayView(c.name))
            return c.kind;
    }
    return kEntNone;
}

int32_t readEntityBody(ByteCursor& in, int32_t version, int32_t kind, const EntityArrays& to)
{
    auto& [line, enko, ten, moji, sunpo, solid, block] = to.arrays;
    switch (kind) {
    case kEntLine: return keep(in, line, [&](TEntJwwLine& e) { readLine(in, version, e); });
    case kEntEnko: return keep(in, enko, [&](TEntJwwEnko& e) { readEnko(in, version, e); });
    case kEntTen: return keep(in, ten, [&](TEntJwwTen& e) { readTen(in, version, to.pointScale, e); });
    case kEntMoji: return keep(in, moji, [&](TEntJwwMoji& e) { readMoji(in, version, e); });
    case kEntSunpo: return keep(in, sunpo, [&](TEntJwwSunpo& e) { readSunpo(in, version, e); });
    case kEntSolid: return keep(in, solid, [&](TEntJwwSolid& e) { readSolid(in, version, e); });
    case kEntBlock: return keep(in, block, [&](TEntJwwBlock& e) { readBlock(in, version, e); });
    default: in.fail(); return -1;
    }
}

void skipEntityBody(ByteCursor& in, int32_t version, int32_t kind)
{
    switch (kind) {
    case kEntLine: skipLine(in, version); return;
    case kEntEnko: skipFixed(in, version, kEnkoRest); return;
    case kEntTen: skipTen(in, version); return;
    case kEntMoji: skipMoji(in, version); return;
    case kEntSunpo: skipSunpo(in, version); return;
    case kEntSolid: skipSolid(in, version); return;
    case kEntBlock: skipFixed(in, version, kBlockRest); return;
    default: in.fail(); return;
    }
}

}  // namespace jww
