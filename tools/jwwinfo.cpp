// Summarises a drawing: jwwinfo [--json] FILE.jww
// Prints what the reader made of the file: version, memo, entity counts at
// the top level and inside block definitions, the definitions and the insert
// tree, layer groups and named layers, curve-attribute groups, embedded
// images and the pen widths of colours 1 to 9. Images are listed, not
// extracted. Exits 1 when the file cannot be read completely.
#include "worker/jww/gra_attribute.h"
#include "worker/jww/jww_data.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QString>

#include <cstdio>

namespace {

using namespace jww;

QJsonObject kindCounts(size_t line, size_t enko, size_t ten, size_t moji, size_t sunpo, size_t solid, size_t block)
{
    return {{"line", qint64(line)},   {"arc", qint64(enko)},   {"point", qint64(ten)}, {"text", qint64(moji)},
            {"dimension", qint64(sunpo)}, {"solid", qint64(solid)}, {"block", qint64(block)}};
}

// Adds the non-zero curve-attribute numbers of `records` to `groups`.
template <typename Records>
void collectGroups(const Records& records, QSet<uint32_t>& groups)
{
    for (const auto& e : records) {
        if (e.att.lGroup != 0)
            groups.insert(e.att.lGroup);
    }
}

template <typename Owner>
void collectAllGroups(const Owner& o, QSet<uint32_t>& groups)
{
    collectGroups(o.line, groups);
    collectGroups(o.enko, groups);
    collectGroups(o.ten, groups);
    collectGroups(o.moji, groups);
    collectGroups(o.sunpo, groups);
    collectGroups(o.solid, groups);
    collectGroups(o.block, groups);
}

struct Arrays {
    const std::vector<TEntJwwLine>& line;
    const std::vector<TEntJwwEnko>& enko;
    const std::vector<TEntJwwTen>& ten;
    const std::vector<TEntJwwMoji>& moji;
    const std::vector<TEntJwwSunpo>& sunpo;
    const std::vector<TEntJwwSolid>& solid;
    const std::vector<TEntJwwBlock>& block;
};

QJsonObject blocksSummary(const TJwwData& d, QSet<uint32_t>& groups)
{
    QJsonArray defs;
    size_t n[7] = {};
    for (const TEntJwwBlockDef& def : d.EntBlockDef) {
        const Arrays a{def.mLine, def.mEnko, def.mTen, def.mMoji, def.mSunpo, def.mSolid, def.mBlock};
        collectAllGroups(a, groups);
        const size_t sizes[7] = {def.mLine.size(),  def.mEnko.size(),  def.mTen.size(),  def.mMoji.size(),
                                 def.mSunpo.size(), def.mSolid.size(), def.mBlock.size()};
        for (int i = 0; i < 7; ++i)
            n[i] += sizes[i];
        const QJsonObject members = kindCounts(sizes[0], sizes[1], sizes[2], sizes[3], sizes[4], sizes[5], sizes[6]);
        defs.append(QJsonObject{{"name", def.strName},
                                {"nNumber", qint64(def.nNumber)},
                                {"members", members},
                                {"ref_flag", def.ref_flag}});
    }
    return {{"entities", kindCounts(n[0], n[1], n[2], n[3], n[4], n[5], n[6])}, {"definitions", defs}};
}

QJsonObject summary(const TJwwData& d, bool read, const TgraAttribute& widths)
{
    QSet<uint32_t> groups;
    collectAllGroups(Arrays{d.EntLine, d.EntEnko, d.EntTen, d.EntMoji, d.EntSunpo, d.EntSolid, d.EntBlock}, groups);
    const QJsonObject blocks = blocksSummary(d, groups);
    QJsonArray layerGroups;
    for (const TEntJwwLayerGroup& g : d.EntLgrp)
        layerGroups.append(QJsonObject{{"name", g.aStrGLayName}, {"scale", g.adScale}});
    QJsonArray layers;
    for (size_t i = 0; i < d.EntLay.size(); ++i) {
        if (!d.EntLay[i].aStrLayName.isEmpty())
            layers.append(QJsonObject{{"index", qint64(i)}, {"name", d.EntLay[i].aStrLayName}});
    }
    QJsonArray images;
    for (const TBindImageType& img : d.BindImage)
        images.append(QJsonObject{{"name", img.Fname}, {"size", img.Fsize}});
    QJsonObject pens;
    for (int c = 1; c <= 9; ++c)
        pens.insert(QString::number(c), widths.GetAttrColwid(c));
    return {
        {"FileIn", read},
        {"version", d.Enthd.jwVer},
        {"nZumen", d.Enthd.nZumen},
        {"memo", d.Enthd.strMemo},
        {"entities", kindCounts(d.EntLine.size(), d.EntEnko.size(), d.EntTen.size(), d.EntMoji.size(),
                                d.EntSunpo.size(), d.EntSolid.size(), d.EntBlock.size())},
        {"blockEntities", blocks["entities"]},
        {"blockDefinitions", blocks["definitions"]},
        {"blockTreeNodes", d.EntBlockTreeN},
        {"layerGroups", layerGroups},
        {"layers", layers},
        {"curveGroups", qint64(groups.size())},
        {"images", images},
        {"penWidths", pens},
    };
}

// One "path: value" line per leaf, for reading at a glance.
void printText(const QJsonValue& v, const QString& path)
{
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            printText(it.value(), path.isEmpty() ? it.key() : path + u'.' + it.key());
    } else if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (qsizetype i = 0; i < a.size(); ++i)
            printText(a[i], path + u'[' + QString::number(i) + u']');
    } else {
        std::printf("%s: %s\n", qPrintable(path), qPrintable(v.toVariant().toString()));
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    const bool json = argc == 3 && QByteArrayView(argv[1]) == "--json";
    if (argc != 2 + (json ? 1 : 0) || QByteArrayView(argv[argc - 1]).startsWith("--")) {
        std::fputs("usage: jwwinfo [--json] FILE.jww\n", stderr);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[argc - 1]);
    TJwwData d;
    d.BindImageExr = true;  // list the images without writing them anywhere
    const bool read = d.FileIn(file);
    TgraAttribute widths;
    if (read)
        d.FileColorSet(widths);
    const QJsonObject s = summary(d, read, widths);
    if (json)
        std::fputs(QJsonDocument(s).toJson(QJsonDocument::Indented).constData(), stdout);
    else
        printText(s, {});
    return read ? 0 : 1;
}
