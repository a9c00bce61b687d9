// The fixed order of the drawing data, and the dispatch of every entity to
// its converter.
#include "worker/sfc_data.h"

#include "sxf/sfc_frame.h"
#include "sxf/structure_features.h"
#include "worker/annotation/dimension_converter.h"
#include "worker/annotation/group_emission.h"
#include "worker/convert/definition_section.h"
#include "worker/convert/entity_converter.h"
#include "worker/convert/image_converter.h"
#include "worker/convert/solid_boundary.h"
#include "worker/jww/entity_access.h"
#include "worker/text/text_converter.h"

#include <algorithm>
#include <cmath>

namespace worker {

using convert::Placement;

FillNumbering writeSfcContents(sxf::SfcWriter& f, const QString& fn, jww::TJwwData& jww,
                               convert::AttributeTables& tables, const convert::TSFC_GroupAttr& groups,
                               PaperSize paper, text::TSFC_Moji_Exp_Info& mexp, const QDateTime& now,
                               const std::vector<convert::AcceptedImage>& images)
{
    sxf::procSfcHeader(fn, f, now);
    convert::procSfcSet(f, tables, jww);
    SfcDataWriter data(f, jww, tables, groups, paper, mexp, images);
    data.procSfcData();
    sxf::procSfcFooter(f);
    return {data.CCnum(), data.fillCounter()};
}

SfcDataWriter::SfcDataWriter(sxf::SfcWriter& f, jww::TJwwData& jww, convert::AttributeTables& tables,
                             const convert::TSFC_GroupAttr& groups, PaperSize paper, text::TSFC_Moji_Exp_Info& mexp,
                             const std::vector<convert::AcceptedImage>& images)
    : m_ctx{f, jww, tables, paper.x, paper.y, {}}, m_consume(jww), m_groupAttr(jww, groups), m_mexp(mexp), m_images(images)
{
}

void SfcDataWriter::procSfcData()
{
    m_byGroup = convert::topLevelByGroup(m_ctx.jww);
    convert::procSfcDataCCurve(m_ctx, m_byGroup, m_CCnum, m_solidCurves);
    convert::procSfcDataBColorDef(m_ctx, m_CCnum);
    procSfcDataImageDef();
    m_fill = 1;
    writeBlockSymbols();
    writeLayerGroupSymbols();
    writeLayerGroupPlacements();
    writeSheet();
    convert::procSfcDataBColor(m_ctx);
    procSfcDataImages();
    procSfcDataPaper();
    // No fill named a curve beyond those written.
    Q_ASSERT(m_fill <= m_CCnum);
}

void SfcDataWriter::writeBlockSymbols()
{
    const Placement none;
    for (const convert::BlockSymbolScope& scope : convert::blockSymbolScopes(m_ctx.jww, m_ctx.tables)) {
        const jww::TEntJwwBlockDef& def = m_ctx.jww.EntBlockDef[scope.defIndex];
        const int32_t first = m_ctx.f.SXFnum;
        procSfcDataCrvAttr(scope.defIndex, -1, none);
        for (const jww::TEntJwwNo& no : def.mNo)
            dispatch(&def, no, none);
        closeSymbol(first, scope.name, scope.kind);
    }
}

void SfcDataWriter::writeLayerGroupSymbols()
{
    for (const convert::GroupPartScope& part : convert::groupPartScopes(m_ctx.tables)) {
        const Placement p{0, 0, part.sc};
        const int32_t first = m_ctx.f.SXFnum;
        for (int g : part.groups) {
            procSfcDataCrvAttr(-1, g, p);
            for (int32_t eid : m_byGroup[g])
                dispatch(nullptr, m_ctx.jww.EntNo[eid], p);
        }
        closeSymbol(first, part.name, 1);
    }
}

void SfcDataWriter::writeLayerGroupPlacements()
{
    for (const convert::GroupPartScope& part : convert::groupPartScopes(m_ctx.tables)) {
        if (m_ctx.emptySymbols.contains(part.name))
            continue;
        // The part is drawn at its scale; placing it at 1 / scale brings it
        // back to the sheet.
        sxf::procSfcBlock(m_ctx.f, 0, part.name, m_ctx.PaperSizeX / 2, m_ctx.PaperSizeY / 2, 0, 1 / part.sc,
                          1 / part.sc);
    }
}

void SfcDataWriter::closeSymbol(int32_t firstMember, const QString& name, int32_t kind)
{
    if (m_ctx.f.SXFnum == firstMember)
        m_ctx.emptySymbols.insert(name);
    else
        sxf::procSfcBlockDef(m_ctx.f, name, kind);
}

void SfcDataWriter::procSfcDataImageDef()
{
    convert::procSfcDataImageDef(m_ctx, m_images);
}

void SfcDataWriter::procSfcDataImages()
{
    convert::procSfcDataImages(m_ctx, m_images);
}

void SfcDataWriter::writeSheet()
{
    const Placement sheet{m_ctx.PaperSizeX / 2, m_ctx.PaperSizeY / 2, 1};
    for (int g : convert::sheetGroups(m_ctx.tables)) {
        procSfcDataCrvAttr(-1, g, sheet);
        for (int32_t eid : m_byGroup[g])
            dispatch(nullptr, m_ctx.jww.EntNo[eid], sheet);
    }
}

void SfcDataWriter::procSfcDataPaper()
{
    const int32_t nZumen = m_ctx.jww.Enthd.nZumen;
    const int32_t kind = nZumen >= 0 && nZumen <= 4 ? nZumen : 9;
    sxf::procSfcPaper(m_ctx.f, u"図面名", kind, 1, static_cast<int32_t>(std::lround(m_ctx.PaperSizeX)),
                      static_cast<double>(std::lround(m_ctx.PaperSizeY)));
}

void SfcDataWriter::procSfcDataCrvAttr(int bln, int lgp, const Placement& p)
{
    annotation::procSfcDataCrvAttr(m_ctx, m_groupAttr, m_consume, bln, lgp, p);
}

void SfcDataWriter::writeSolid(const jww::TEntJwwSolid& e, const Placement& p)
{
    // A fill names the curve written for its own solid: solids consumed as
    // arrows have a boundary but no fill.
    const auto it = m_solidCurves.find(&e);
    if (it == m_solidCurves.end()) {
        int32_t none = m_fill;
        convert::procSfcDataSolid(m_ctx, e, p, none);
        return;
    }
    int32_t curve = it->second;
    convert::procSfcDataSolid(m_ctx, e, p, curve);
    m_fill = std::max(m_fill, curve);
}

void SfcDataWriter::dispatch(const jww::TEntJwwBlockDef* def, const jww::TEntJwwNo& no, const Placement& p)
{
    jww::visitEntity(m_ctx.jww, def, no, [&](const auto& e) {
        using E = std::decay_t<decltype(e)>;
        if (!jww::hasValidLayer(jww::layerAttrOf(e)))
            return;
        if constexpr (std::is_same_v<E, jww::TEntJwwLine>)
            convert::procSfcDataLine(m_ctx, e, p);
        else if constexpr (std::is_same_v<E, jww::TEntJwwEnko>)
            convert::procSfcDataEnko(m_ctx, e, p);
        else if constexpr (std::is_same_v<E, jww::TEntJwwTen>)
            convert::procSfcDataTen(m_ctx, e, p);
        else if constexpr (std::is_same_v<E, jww::TEntJwwMoji>)
            text::procSfcDataMoji(m_ctx, m_mexp, e, p);
        else if constexpr (std::is_same_v<E, jww::TEntJwwSunpo>)
            annotation::procSfcDataSunpo(m_ctx, e, p);
        else if constexpr (std::is_same_v<E, jww::TEntJwwSolid>)
            writeSolid(e, p);
        else if constexpr (std::is_same_v<E, jww::TEntJwwBlock>)
            convert::procSfcDataBlock(m_ctx, e, p);
    });
}

}  // namespace worker
