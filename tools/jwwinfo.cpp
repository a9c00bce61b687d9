// Summarises a drawing: jwwinfo [--json] FILE.jww
// Prints what the reader made of the file: version, memo, entity counts at
// the top level and inside block definitions, the definitions and the insert
// tree, layer groups and named layers, curve-attribute groups, embedded
// images and the pen widths of colours 1 to 9. Images are listed, not
// extracted. Exits 1 when the file cannot be read completely.
#include "worker/jww/entity_arrays.h"
#include "worker/jww/gra_attribute.h"
#include "worker/jww/jww_data.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QString>

#include <array>
#include <cstdio>

namespace {

using namespace jww;

using KindSizes = std::array<size_t, 7>;

// The sizes of the seven entity arrays of `owner`, in kind order.
template <typename Owner>
KindSizes kindSizes(const Owner& owner)
{
    KindSizes n{};
    size_t k = 0;
    forEachEntityArray(entityArrays(owner), [&](const auto& array) { n[k++] = array.size(); });
    return n;
}

QJsonObject kindCounts(const KindSizes& n)
{
    return {{"line", qint64(n[0])},      {"arc", qint64(n[1])},   {"point", qint64(n[2])}, {"text", qint64(n[3])},
            {"dimension", qint64(n[4])}, {"solid", qint64(n[5])}, {"block", qint64(n[6])}};
}

// Adds the non-zero curve-attribute numbers of the entities of `owner` to
// `groups`.
template <typename Owner>
void collectGroups(const Owner& owner, QSet<uint32_t>& groups)
{
    forEachEntityArray(entityArrays(owner), [&](const auto& array) {
        for (const auto& e : array) {
            if (e.att.lGroup != 0)
                groups.insert(e.att.lGroup);
        }
    });
}

QJsonObject blocksSummary(const TJwwData& d, QSet<uint32_t>& groups)
{
    QJsonArray defs;
    KindSizes n{};
    for (const TEntJwwBlockDef& def : d.EntBlockDef) {
        collectGroups(def, groups);
        const KindSizes sizes = kindSizes(def);
        for (size_t i = 0; i < n.size(); ++i)
            n[i] += sizes[i];
        defs.append(QJsonObject{{"name", def.strName},
                                {"nNumber", qint64(def.nNumber)},
                                {"members", kindCounts(sizes)},
                                {"ref_flag", def.ref_flag}});
    }
    return {{"entities", kindCounts(n)}, {"definitions", defs}};
}

QJsonObject summary(const TJwwData& d, bool read, const TgraAttribute& widths)
{
    QSet<uint32_t> groups;
    collectGroups(d, groups);
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
        {"entities", kindCounts(kindSizes(d))},
        {"blockEntities", blocks["entities"]},
        {"blockDefinitions", blocks["definitions"]},
        {"blockTreeNodes", d.EntBlockTreeN()},
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
