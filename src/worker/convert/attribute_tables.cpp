// Attribute tables: reset between runs.
#include "worker/convert/attribute_tables.h"

namespace convert {

void AttributeTables::clear()
{
    DatLgp.clear();
    DatLgpN = 0;
    DatLay.clear();
    DatLayN = 0;
    HojoLay = -1;
    DatCol.clear();
    DatColN = 0;
    DatColF = 0;
    DatLtp.clear();
    DatLtpN = 0;
    DatWid.clear();
    DatWidN = 0;
    DatFon.clear();
    DatFonN = 0;
    DatPrt.clear();
    DatPrtN = 0;
}

}  // namespace convert
