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
    sfc::SfcWriter writer{buffer};
    convert::AttributeTables tables;
    jww::TJwwData drawing;
    convert::ConversionContext ctx{writer, drawing, tables, 420, 297};
};

}  // namespace testsupport
