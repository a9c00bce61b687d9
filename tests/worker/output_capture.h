// Converter output captured in memory: a writer into a buffer, empty
// attribute tables and drawing for the test to fill, and the context that
// converters take.
#pragma once

#include "common/codepage.h"
#include "tests/support/qt_printers.h"
#include "worker/convert/conversion_context.h"

#include <QBuffer>
#include <QStringList>

namespace testsupport {

struct OutputCapture {
    OutputCapture() { buffer.open(QIODevice::WriteOnly); }

    // Sizes the layer, colour and line-type tables (every number -1), defines
    // the fonts ＭＳ ゴシック and ＭＳ 明朝, and sends auxiliary entities to
    // layer 7 with colour 4 and line type 2.
    void sizeTables()
    {
        tables.DatLay.resize(256);
        tables.DatCol.resize(357);
        tables.DatLtp.resize(63);
        tables.DatFon = {{QStringLiteral("ＭＳ ゴシック"), 1}, {QStringLiteral("ＭＳ 明朝"), 1}};
        tables.HojoLay = 7;
        tables.cb3 = 3;
        tables.cb4 = 1;
    }

    // Everything written so far, decoded.
    QString output()
    {
        writer.flush();
        return common::decodeCp932(buffer.data());
    }

    // The feature lines ("#10 = line_feature(...)") written so far.
    QStringList features()
    {
        QStringList lines;
        for (const QString& line : output().split(QStringLiteral("\r\n"))) {
            if (line.startsWith(u'#'))
                lines.append(line);
        }
        return lines;
    }

    QBuffer buffer;
    sxf::SfcWriter writer{buffer};
    convert::AttributeTables tables;
    jww::TJwwData drawing;
    convert::ConversionContext ctx{writer, drawing, tables, 420, 297, {}};
};

}  // namespace testsupport
