// The rules of the header and of the definition tables. The tables are
// registered here again, entry by entry, as the official library registers
// them, because whether an entry is a duplicate or past a table's limit
// depends on the entries registered before it.
#include "sxf/predefined_tables.h"
#include "sxf/rule_context.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace sxf {

namespace {

// A layer of this name is the library's own placeholder: never registered.
const QString kDummyLayer = QStringLiteral("$$SXF_dummy_layer_for_subfigure");

void checkLayers(RuleContext& c)
{
    QSet<QString> registered;
    int count = 0;
    for (const Layer& layer : c.drawing.layers) {
        if (layer.name == kDummyLayer)
            continue;
        if (layer.name.isEmpty())
            c.error("SXFNOTSETLNAME", layer.at, QStringLiteral("レイヤ名が空です"));
        if (layer.flag != 0 && layer.flag != 1)
            c.error("SXFLAYERFLAG", layer.at,
                    QStringLiteral("レイヤの表示フラグ%1は0か1でなければなりません").arg(layer.flag));
        if (registered.contains(layer.name))
            c.error("SXFSAMENAME", layer.at, QStringLiteral("レイヤ「%1」が二度定義されています").arg(layer.name));
        if (count + 1 > kMaxLayers) {
            c.error("SXFMAXLAYER", layer.at, QStringLiteral("レイヤが%1を超えています").arg(kMaxLayers));
            continue;
        }
        c.nameLength(layer.at, layer.name);
        registered.insert(layer.name);
        ++count;
    }
}

void checkColours(RuleContext& c)
{
    QSet<int> preDefined;
    int userCount = 0;
    for (const Colour& colour : c.drawing.colours) {
        if (colour.predefined) {
            const int code = preDefinedColourCode(colour.name);
            if (code == 0)
                c.error("SXFNOTPRECOLOUR", colour.at, QStringLiteral("「%1」は既定義色の名前ではありません").arg(colour.name));
            else if (preDefined.contains(code))
                c.error("SXFSAMENAME", colour.at, QStringLiteral("既定義色「%1」が二度定義されています").arg(colour.name));
            else
                preDefined.insert(code);
            continue;
        }
        for (const int component : {colour.r, colour.g, colour.b}) {
            if (component < 0 || component > 255) {
                c.error("SXFRGBERROR", colour.at, QStringLiteral("RGBの値%1が0～255の範囲外です").arg(component));
                break;
            }
        }
        if (userCount >= kMaxUserColours) {
            c.error("SXFMAXUSERCOLOUR", colour.at,
                    QStringLiteral("ユーザ定義色が%1を超えています（色コード17～256）").arg(kMaxUserColours));
            continue;
        }
        ++userCount;
    }
}

void checkUserLineType(RuleContext& c, const LineType& type, QSet<QString>& names, int& count)
{
    if (type.segments % 2 != 0 || type.segments < 2 || type.segments > 8)
        c.error("SXFSEGMENTERROR", type.at,
                QStringLiteral("線種のセグメント数%1は2～8の偶数でなければなりません").arg(type.segments));
    const size_t checked = std::min(type.pitches.size(), size_t(std::clamp(type.segments, 0, 8)));
    for (size_t i = 0; i < checked; ++i) {
        if (!isTableLength(type.pitches[i])) {
            c.error("SXFPITCHERROR", type.at, QStringLiteral("線種のピッチ%1が正の値ではありません").arg(num(type.pitches[i])));
            break;
        }
    }
    if (names.contains(type.name))
        c.error("SXFSAMENAME", type.at, QStringLiteral("ユーザ定義線種「%1」が二度定義されています").arg(type.name));
    if (count >= kMaxUserLineTypes) {
        c.error("SXFMAXUSERLINETYPE", type.at, QStringLiteral("ユーザ定義線種が%1を超えています").arg(kMaxUserLineTypes));
        return;
    }
    c.nameLength(type.at, type.name);
    names.insert(type.name);
    ++count;
}

void checkLineTypes(RuleContext& c)
{
    QSet<int> preDefined;
    QSet<QString> userNames;
    int userCount = 0;
    for (const LineType& type : c.drawing.lineTypes) {
        if (!type.predefined) {
            checkUserLineType(c, type, userNames, userCount);
            continue;
        }
        const int code = preDefinedLineTypeCode(type.name);
        if (code == 0)
            c.error("SXFNOTPRETYPE", type.at, QStringLiteral("「%1」は既定義線種の名前ではありません").arg(type.name));
        else if (preDefined.contains(code))
            c.error("SXFSAMENAME", type.at, QStringLiteral("既定義線種「%1」が二度定義されています").arg(type.name));
        else
            preDefined.insert(code);
    }
}

void checkWidths(RuleContext& c)
{
    // A width near a pre-defined one takes its code 1..9; the others take
    // 11, 12, ... up to 16.
    QSet<int> preDefined;
    std::vector<double> user;
    for (const Width& width : c.drawing.widths) {
        const double w = width.width;
        if (w <= 0 || !isTableLength(w)) {
            c.error("SXFERRORWIDTH", width.at, QStringLiteral("線幅%1が正の値ではありません").arg(num(w)));
            continue;
        }
        int code = 0;
        for (int k = 1; k <= kPreDefinedWidths && code == 0; ++k) {
            if (std::abs(w - preDefinedWidth(k)) < c.options.lengthTolerance)
                code = k;
        }
        const bool taken = code ? preDefined.contains(code) : std::find(user.begin(), user.end(), w) != user.end();
        if (taken) {
            c.error("SXFSAMEWIDTH", width.at, QStringLiteral("線幅%1が二度定義されています").arg(num(w)));
            continue;
        }
        if (code) {
            preDefined.insert(code);
            continue;
        }
        if (kFirstUserWidth + int(user.size()) > kLastWidthCode) {
            c.error("SXFMAXLINEWIDTH", width.at,
                    QStringLiteral("既定義でない線幅が%1を超えています（線幅コード11～16）")
                        .arg(kLastWidthCode - kFirstUserWidth + 1));
            continue;
        }
        user.push_back(w);
    }
}

void checkFonts(RuleContext& c)
{
    QSet<QString> registered;
    for (const Font& font : c.drawing.fonts) {
        if (font.name.isEmpty())
            c.error("SXFFONTNAMEERROR", font.at, QStringLiteral("文字フォント名が空です"));
        if (registered.contains(font.name)) {
            c.error("SXFSAMENAME", font.at, QStringLiteral("文字フォント「%1」が二度定義されています").arg(font.name));
            continue;
        }
        if (registered.size() >= kMaxFonts) {
            c.error("SXFMAXTEXTFONT", font.at, QStringLiteral("文字フォントが%1を超えています").arg(kMaxFonts));
            continue;
        }
        c.nameLength(font.at, font.name);
        registered.insert(font.name);
    }
}

}  // namespace

void checkHeader(RuleContext& c)
{
    // "SCADEC level2 feature_mode": a reader takes any other description
    // for a plain AP202 file, and needs a level and a mode in a SCADEC one.
    const QString& description = c.drawing.header.description;
    const QStringList parts = description.split(u' ');
    if (parts.size() < 3 || parts.first() != u"SCADEC") {
        c.warning("SXFSCADECFILEERR", {},
                  QStringLiteral("SCADECのファイルではありません（FILE_DESCRIPTIONが「%1」）").arg(description));
        return;
    }
    bool level = false;
    bool mode = false;
    for (const QString& part : parts) {
        const QString word = part.toLower();
        level = level || word == u"level1" || word == u"level2";
        mode = mode || word == u"ambi_mode" || word == u"feature_mode" || word == u"ap202_mode";
    }
    if (!level)
        c.error("SXFNOLEVEL", {}, QStringLiteral("FILE_DESCRIPTIONにレベル（level1かlevel2）がありません"));
    if (!mode)
        c.error("SXFNOMODE", {}, QStringLiteral("FILE_DESCRIPTIONにモード（feature_modeなど）がありません"));
}

void checkTables(RuleContext& c)
{
    checkLayers(c);
    checkColours(c);
    checkLineTypes(c);
    checkWidths(c);
    checkFonts(c);
}

}  // namespace sxf
