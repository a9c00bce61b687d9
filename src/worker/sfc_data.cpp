// The fixed order of the drawing data.
#include "worker/sfc_data.h"

namespace worker {

SfcDataWriter::SfcDataWriter(sfc::SfcWriter& f, jww::TJwwData& jww, convert::AttributeTables& tables,
                             PaperSize paper)
    : m_f(f), m_jww(jww), m_tables(tables), m_paper(paper)
{
}

void SfcDataWriter::procSfcData()
{
    // The sections (solid boundaries, symbols, placements, the sheet's
    // entities and the drawing sheet) are written here once their converters
    // exist; until then the DATA section holds no drawing data.
}

}  // namespace worker
