// The DATA section after the definitions: symbols, placements, the sheet's
// own entities and the drawing sheet, in their fixed order.
#pragma once

#include "sxf/sfc_writer.h"
#include "worker/annotation/group_recognizer.h"
#include "worker/convert/attribute_tables.h"
#include "worker/convert/conversion_context.h"
#include "worker/convert/drawing_scopes.h"
#include "worker/convert/group_table.h"
#include "worker/convert/image_source.h"
#include "worker/convert/member_consumption.h"
#include "worker/convert/solid_boundary.h"
#include "worker/drawing_setup.h"
#include "worker/jww/jww_data.h"
#include "worker/text/moji_exp_info.h"

namespace worker {


// Writes the drawing data of one run through `f`. The members of recognised
// curve-attribute groups (`groups`, built with the tables) are written inside
// their annotations and marked consumed in the drawing's entity lists; that
// marking is the only change made to `jww`.
class SfcDataWriter {
public:
    // `images` are the drawing's accepted images (convert::acceptedImages);
    // the writer keeps a reference to them.
    SfcDataWriter(sxf::SfcWriter& f, jww::TJwwData& jww, convert::AttributeTables& tables,
                  const convert::TSFC_GroupAttr& groups, PaperSize paper, text::TSFC_Moji_Exp_Info& mexp,
                  const std::vector<convert::AcceptedImage>& images);

    // Writes every section of the drawing data in order.
    void procSfcData();

    // One more than the composite curves the boundary pass wrote, and one
    // more than the last curve a fill named: the two are equal unless the
    // last solids with a boundary were consumed by groups.
    int32_t CCnum() const { return m_CCnum; }
    int32_t fillCounter() const { return m_fill; }

private:
    void writeBlockSymbols();
    void writeLayerGroupSymbols();
    void writeLayerGroupPlacements();
    void writeSheet();
    void procSfcDataPaper();
    // The recognised dimension, leader, balloon and polyline groups of a
    // scope, written before its entities so that their members are consumed.
    void procSfcDataCrvAttr(int bln, int lgp, const convert::Placement& p);
    void procSfcDataImageDef();
    void procSfcDataImages();
    // Closes a symbol whose members began at feature number `firstMember`, or
    // leaves it out (and so every placement of it) when none was written.
    void closeSymbol(int32_t firstMember, const QString& name, int32_t kind);

    // Sends one entity to its converter; kinds 0 and -1 (consumed) write nothing.
    void writeSolid(const jww::TEntJwwSolid& e, const convert::Placement& p);
    void dispatch(const jww::TEntJwwBlockDef* def, const jww::TEntJwwNo& no, const convert::Placement& p);

    convert::ConversionContext m_ctx;
    convert::MemberConsumption m_consume;
    annotation::GroupRecognizer m_groupAttr;
    text::TSFC_Moji_Exp_Info& m_mexp;
    const std::vector<convert::AcceptedImage>& m_images;
    convert::SolidCurves m_solidCurves;
    convert::GroupEntities m_byGroup;
    int32_t m_CCnum = 1;
    int32_t m_fill = 1;
};

// Writes the whole SFC text of drawing `jww`, whose tables are built, for
// destination `fn`: header (dated `now`), definitions, drawing data, footer.
// The members of recognised groups of `groups` are marked consumed in `jww`.
// `images` are its accepted images (convert::acceptedImages), none by default.
// Returns how the composite curves and the fills were numbered.
struct FillNumbering {
    int32_t curves = 0;       // one more than the composite curves written for solids
    int32_t fillCounter = 0;  // one more than the last curve a fill named
};
FillNumbering writeSfcContents(sxf::SfcWriter& f, const QString& fn, jww::TJwwData& jww,
                               convert::AttributeTables& tables, const convert::TSFC_GroupAttr& groups,
                               PaperSize paper, text::TSFC_Moji_Exp_Info& mexp, const QDateTime& now,
                               const std::vector<convert::AcceptedImage>& images = {});

}  // namespace worker
