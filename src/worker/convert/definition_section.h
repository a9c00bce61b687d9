// The definitions at the start of the DATA section, written from the
// attribute tables: layers, colours, line types, widths and fonts.
#pragma once

#include "worker/convert/attribute_tables.h"
#include "worker/jww/jww_data.h"
#include "worker/sfc/sfc_writer.h"

namespace convert {

// Writes every definition the tables mark as used, in table order. May set
// HojoLay to 256 when all 256 layers are in use and no further layer fits.
void procSfcSet(sfc::SfcWriter& f, AttributeTables& t, const jww::TJwwData& d);

void procSfcSetLay(sfc::SfcWriter& f, AttributeTables& t);
void procSfcSetCol(sfc::SfcWriter& f, const AttributeTables& t);
void procSfcSetLtp(sfc::SfcWriter& f, const AttributeTables& t, const jww::TJwwData& d);
void procSfcSetWid(sfc::SfcWriter& f, const AttributeTables& t);
void procSfcSetFon(sfc::SfcWriter& f, const AttributeTables& t);

}  // namespace convert
