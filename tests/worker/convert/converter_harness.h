// A writer into memory and hand-made attribute tables for converter tests:
// JWW layer i is SFC layer i + 1, pen colour c is SFC colour c, line type t
// is SFC line type t, width entries are their own numbers; the auxiliary
// layer is 99 with colour cb3 + 1 = 3 and line type cb4 + 1 = 4.
#pragma once

#include "common/codepage.h"
#include "tests/support/jww_builder.h"
#include "tests/support/qt_printers.h"
#include "worker/convert/conversion_context.h"

#include <QBuffer>
#include <QStringList>

namespace testsupport {

class ConverterHarness {
public:
    ConverterHarness() : m_writer(m_buffer), ctx{m_writer, drawing, tables, 420, 297}
    {
        m_buffer.open(QIODevice::WriteOnly);
        initEmptyDrawing(drawing);
        tables.GraAtt = &graAtt;
        tables.DatLay.assign(256, {});
        for (int i = 0; i < 256; ++i)
            tables.DatLay[i].no = i + 1;
        tables.DatCol.assign(357, {});
        for (int c = 0; c <= 356; ++c)
            tables.DatCol[c].no = c <= 16 ? c : -1;
        tables.DatColN = 357;
        tables.DatLtp.assign(63, {});
        for (int t = 1; t <= 19; ++t)
            tables.DatLtp[t].no = t;
        tables.DatWid.assign(17, {});
        tables.DatFon = {{QStringLiteral("ＭＳ ゴシック"), 1}};
        tables.DatFonN = 1;
        tables.HojoLay = 99;
        tables.cb3 = 2;
        tables.cb4 = 3;
    }

    // The feature lines ("#10 = line_feature(...)") written so far.
    QStringList features()
    {
        m_writer.flush();
        QStringList lines;
        for (const QByteArray& line : m_buffer.data().split('\n')) {
            if (line.startsWith('#'))
                lines.append(common::decodeCp932(line.trimmed()));
        }
        return lines;
    }

    jww::TJwwData drawing;
    jww::TgraAttribute graAtt;
    convert::AttributeTables tables;

private:
    QBuffer m_buffer;
    sfc::SfcWriter m_writer;

public:
    convert::ConversionContext ctx;
};

}  // namespace testsupport
