// The DATA section after the definitions: symbols, placements, the sheet's
// own entities and the drawing sheet, in their fixed order.
#pragma once

#include "worker/convert/attribute_tables.h"
#include "worker/drawing_setup.h"
#include "worker/jww/jww_data.h"
#include "worker/sfc/sfc_writer.h"

namespace worker {

// Writes the drawing data of one run through `f`. Groups consumed while
// writing are marked in the drawing's entity lists.
class SfcDataWriter {
public:
    SfcDataWriter(sfc::SfcWriter& f, jww::TJwwData& jww, convert::AttributeTables& tables, PaperSize paper);

    // Writes every section of the drawing data in order.
    void procSfcData();

private:
    sfc::SfcWriter& m_f;
    jww::TJwwData& m_jww;
    convert::AttributeTables& m_tables;
    PaperSize m_paper;
};

}  // namespace worker
