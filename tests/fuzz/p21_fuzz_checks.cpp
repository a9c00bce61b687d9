// The P21 reader's promises, and its seeds.
#include "tests/fuzz/p21_fuzz_checks.h"

#include "sxf/p21_reader.h"
#include "sxf/p21_writer.h"
#include "sxf/sfc_drawing_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/fuzz/drawing_checks.h"
#include "tests/support/p21_fixtures.h"

#include <QBuffer>

namespace fuzzing {
namespace {

QStringList checkRefusal(const sxf::ReadResult& r)
{
    const bool refused = !r.findings.empty()
        && (r.findings.front().code == u"P21_FATAL" || r.findings.front().code == u"P21_NO_INSTANCE");
    if (refused && !r.drawing.features.empty())
        return {QStringLiteral("a file refused whole still gave features")};
    return {};
}

// The drawing written again in both forms reads again.
QStringList checkWrittenAgain(const sxf::Drawing& d)
{
    QStringList out;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sxf::SfcWriter f(buffer);
    sxf::writeSfc(f, d);
    f.flush();
    out += checkDrawingModel(sxf::readSfc(buffer.data()).drawing);
    const QByteArray p21 = sxf::writeP21(d);
    const sxf::ReadResult again = sxf::readP21(p21);
    // The writer leaves out what the official library would not write (a
    // sheet without members among them), so the file may be refused whole;
    // its text always parses.
    for (const sxf::Finding& finding : again.findings) {
        if (finding.code == u"P21_SYNTAX")
            out += QStringLiteral("the written P21 does not parse: ") + finding.message;
    }
    out += checkDrawingModel(again.drawing);
    return out;
}

}  // namespace

QStringList checkP21Reader(QByteArrayView bytes)
{
    const sxf::ReadResult r = sxf::readP21(bytes);
    QStringList out = checkDrawingModel(r.drawing);
    out += checkRefusal(r);
    if (out.isEmpty())
        out += checkWrittenAgain(r.drawing);
    return out;
}

std::vector<Seed> p21FuzzSeeds()
{
    std::vector<Seed> seeds;
    for (const Seed& output : seedOutputs()) {
        QString name = output.name;
        name.replace(QStringLiteral(".sfc"), QStringLiteral(".p21"));
        seeds.push_back({name, sxf::writeP21(sxf::readSfc(output.bytes).drawing)});
    }
    for (const p21test::P21Fixture& f : p21test::featureFixtures())
        seeds.push_back({QStringLiteral("fixture %1.p21").arg(QString::fromLatin1(f.name)), p21test::fixtureFile(f)});
    return seeds;
}

}  // namespace fuzzing
