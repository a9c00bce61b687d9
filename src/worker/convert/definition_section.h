// The definitions at the start of the DATA section, written from the
// attribute tables: layers, colours, line types, widths and fonts.
#pragma once

#include "sxf/sfc_writer.h"
#include "worker/convert/attribute_tables.h"
#include "worker/jww/jww_data.h"

namespace convert {

// Writes every definition the complete tables `t` mark as used, in table
// order; changes nothing. `d` supplies the user line types' patterns.
void procSfcSet(sxf::SfcWriter& f, const AttributeTables& t, const jww::TJwwData& d);

// The steps of procSfcSet. The layers end with the auxiliary layer, named
// "HOJO" or, when a drawing layer has that name, "_g_l_HOJO".
void procSfcSetLay(sxf::SfcWriter& f, const AttributeTables& t);
void procSfcSetCol(sxf::SfcWriter& f, const AttributeTables& t);
void procSfcSetLtp(sxf::SfcWriter& f, const AttributeTables& t, const jww::TJwwData& d);
void procSfcSetWid(sxf::SfcWriter& f, const AttributeTables& t);
void procSfcSetFon(sxf::SfcWriter& f, const AttributeTables& t);

}  // namespace convert
