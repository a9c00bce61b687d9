// Converting a drawing built in code, in memory, the way the worker does
// after reading it: pen widths, tables, then the whole SFC text.
#pragma once

#include "common/codepage.h"
#include "tests/support/jww_builder.h"
#include "tests/support/sfc_parser.h"
#include "tests/support/sfc_references.h"
#include "worker/drawing_setup.h"
#include "worker/sfc_data.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace testsupport {

struct Converted {
    QByteArray bytes;
    QString text;  // decoded
    convert::AttributeTables tables;
    int32_t curves = 0;       // composite curves written for solids, plus one
    int32_t fillCounter = 0;  // one more than the last curve a fill named
    int recordsLeftOut = 0;   // records the conversion could not write
};

// `withGroups` false converts as if no curve-attribute group were
// recognised: every member is written on its own. `images` are the drawing's
// accepted images (convert::acceptedImages).
inline Converted convertInMemory(jww::TJwwData& d, int cb2 = 0, int cb3 = 0, int cb4 = 0, bool withGroups = true,
                                 const std::vector<convert::AcceptedImage>& images = {})
{
    Converted out;
    jww::TgraAttribute graAtt;
    d.FileColorSet(graAtt);
    convert::TSFC_GroupAttr groups;
    out.tables.cb2 = cb2;
    out.tables.cb3 = cb3;
    out.tables.cb4 = cb4;
    out.tables.proc3(d, graAtt, groups);
    if (!withGroups)
        groups.DataFree();
    text::TSFC_Moji_Exp_Info mexp;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sxf::SfcWriter f(buffer);
    const worker::FillNumbering numbering = worker::writeSfcContents(
        f, QStringLiteral("/out/test.sfc"), d, out.tables, groups, worker::PaperSizeOf(d.Enthd.nZumen), mexp,
        QDateTime(QDate(2026, 12, 10), QTime(9, 30, 0)), images);
    f.flush();
    out.recordsLeftOut = f.recordsLeftOut();
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

// The feature lines of `lines` that are `feature` records, in order.
inline QStringList withName(const QStringList& lines, const char* feature)
{
    QStringList out;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String(feature) + u'('))
            out.append(line);
    }
    return out;
}

// A drawing whose SFC colours 1-16 carry the standard values, so that pen
// colour 1 (0x00FFFF: red and green) is yellow, 2 black and 3 green.
inline void initDrawing(jww::TJwwData& d)
{
    initEmptyDrawing(d, 700);
    const uint32_t standard[16] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
                                   0x8000C0, 0x6080A0, 0x4080FF, 0x80C080, 0xFF8080, 0xFF80C0, 0xC0C0C0, 0x808080};
    for (int k = 1; k <= 16; ++k)
        d.EntColS[k].aPenColor = static_cast<int32_t>(standard[k - 1]);
}

inline jww::TEntJwwAttr att(int color, int style = 1, int layer = 0, int group = 0)
{
    jww::TEntJwwAttr a;
    a.nPenColor = static_cast<uint16_t>(color);
    a.nPenStyle = static_cast<uint8_t>(style);
    a.nLayer = static_cast<uint16_t>(layer);
    a.nGLayer = static_cast<uint16_t>(group);
    return a;
}

// The file parses cleanly and every reference in it holds.
inline void expectWellFormed(const Converted& c)
{
    const SfcFile file = parseSfc(c.bytes);
    EXPECT_TRUE(file.ok()) << file.problems.join(u'\n').toStdString();
    const QStringList refs = checkSfcReferences(file);
    EXPECT_TRUE(refs.isEmpty()) << refs.join(u'\n').toStdString();
}

}  // namespace testsupport
