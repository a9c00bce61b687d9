// Converting a drawing built in code, in memory, the way the worker does
// after reading it: pen widths, tables, then the whole SFC text.
#pragma once

#include "common/codepage.h"
#include "tests/support/sfc_parser.h"
#include "worker/drawing_setup.h"
#include "worker/sfc_data.h"

#include <QBuffer>

namespace testsupport {

struct Converted {
    QByteArray bytes;
    QString text;  // decoded
    convert::AttributeTables tables;
    int32_t curves = 0;       // composite curves written for solids, plus one
    int32_t fillCounter = 0;  // the curve the next fill would name
};

inline Converted convertInMemory(jww::TJwwData& d, int cb2 = 0, int cb3 = 0, int cb4 = 0)
{
    Converted out;
    jww::TgraAttribute graAtt;
    d.FileColorSet(graAtt);
    convert::TSFC_GroupAttr groups;
    out.tables.cb2 = cb2;
    out.tables.cb3 = cb3;
    out.tables.cb4 = cb4;
    out.tables.proc3(d, graAtt, groups);
    text::TSFC_Moji_Exp_Info mexp;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sfc::SfcWriter f(buffer);
    const worker::FillNumbering numbering = worker::writeSfcContents(
        f, QStringLiteral("/out/test.sfc"), d, out.tables, worker::PaperSizeOf(d.Enthd.nZumen), mexp,
        QDateTime(QDate(2026, 12, 10), QTime(9, 30, 0)));
    f.flush();
    out.curves = numbering.curves;
    out.fillCounter = numbering.fillCounter;
    out.bytes = buffer.data();
    out.text = common::decodeCp932(out.bytes);
    return out;
}

// The feature lines after " = " ("line_feature(...)"), in file order.
inline QStringList featureLines(const QString& text)
{
    QStringList out;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(u'#'))
            out.append(line.section(QStringLiteral(" = "), 1));
    }
    return out;
}

}  // namespace testsupport
