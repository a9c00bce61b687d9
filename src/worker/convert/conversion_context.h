// What every converter of the drawing data works with: the output, the
// drawing, the attribute tables and the paper.
#pragma once

#include "sxf/sfc_writer.h"
#include "worker/convert/attribute_tables.h"
#include "worker/jww/jww_data.h"

#include <QSet>
#include <QString>

namespace convert {

// Placement of a scope: a JWW point (x, y) is written as (dx + sc * x,
// dy + sc * y); lengths are multiplied by sc; angles stay as they are.
struct Placement {
    double dx = 0;
    double dy = 0;
    double sc = 1;

    double x(double px) const { return dx + sc * px; }
    double y(double py) const { return dy + sc * py; }
};

struct ConversionContext {
    sxf::SfcWriter& f;
    const jww::TJwwData& jww;
    AttributeTables& tables;
    double PaperSizeX = 0;
    double PaperSizeY = 0;
    // Symbols left out because no member of theirs was written: SXF rejects
    // a symbol without members, so no placement may name one of these.
    QSet<QString> emptySymbols;
};

}  // namespace convert
