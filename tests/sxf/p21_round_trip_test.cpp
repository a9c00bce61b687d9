// The P21 form of this system's outputs: every sample's and fixture
// drawing's SFC, written as P21 and read back, gives the same records, and
// the P21 has the form the official reader needs.
#include "sxf/p21_form_check.h"
#include "sxf/p21_reader.h"
#include "sxf/p21_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/fuzz/converted_outputs.h"
#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/qt_printers.h"
#include "tests/support/sfc_compare.h"
#include "tests/support/test_paths.h"

#include <gtest/gtest.h>

using namespace sxf;
using testsupport::SfcLine;

namespace {

// Reals pass through the P21 number forms: 6 decimals for lengths (as in
// the SFC), 15 significant digits for angles and scales.
constexpr double kTolerance = 1e-6;

QStringList messages(const Findings& findings)
{
    QStringList out;
    for (const Finding& f : findings)
        out += QStringLiteral("#%1 %2 %3").arg(f.feature).arg(f.code, f.message);
    return out;
}

// The one difference a label without text may show: it reads back with
// zero text fields, where this system writes base point 1 and direction 1.
bool allowedDifference(const SfcLine& original, const SfcLine& read)
{
    if ((original.name != u"label_feature" && original.name != u"balloon_feature") || original.args.size() < 12)
        return false;
    const size_t t = original.args.size() - 12;  // the text block
    if (original.args[t].integer != 0)
        return false;
    SfcLine expected = original;
    for (size_t i = t; i < expected.args.size(); ++i) {
        if (expected.args[i].kind != testsupport::SfcValueKind::String) {
            expected.args[i].real = 0;
            expected.args[i].integer = 0;
        }
    }
    return testsupport::lineDifferences(expected, read, kTolerance).isEmpty();
}

// The records of the original and of the file read back agree, layers
// matched by name (empty layers are not written to P21).
QStringList recordDifferences(const QByteArray& original, const QByteArray& readBack)
{
    QStringList problems;
    const std::vector<SfcLine> a = testsupport::sfcLines(original, problems);
    const std::vector<SfcLine> b = testsupport::sfcLines(readBack, problems);
    const QStringList layersA = testsupport::layerNames(a);
    const QStringList layersB = testsupport::layerNames(b);
    std::vector<const SfcLine*> restA, restB;
    for (const SfcLine& l : a)
        if (l.name != u"layer_feature")
            restA.push_back(&l);
    for (const SfcLine& l : b)
        if (l.name != u"layer_feature")
            restB.push_back(&l);
    for (const QString& name : layersB)
        if (!layersA.contains(name))
            problems += QStringLiteral("layer %1 was not in the original").arg(name);
    if (restA.size() != restB.size())
        return problems << QStringLiteral("%1 records, %2 read back").arg(restA.size()).arg(restB.size());
    for (size_t i = 0; i < restA.size(); ++i) {
        const QStringList d = testsupport::lineDifferences(*restA[i], *restB[i], kTolerance, &layersA, &layersB);
        if (!d.isEmpty() && !allowedDifference(*restA[i], *restB[i]))
            problems += d;
    }
    return problems;
}

// Writes `output` as P21 and reads it back; checks the P21's form first
// when `form` is set.
void expectP21RoundTrip(const testsupport::ConvertedOutput& output, bool form)
{
    SCOPED_TRACE(output.name.toStdString());
    const ReadResult sfc = readSfc(output.bytes);
    Findings writing;
    const QByteArray p21 = writeP21(sfc.drawing, {}, &writing);
    EXPECT_EQ(messages(writing), QStringList());
    const ReadResult back = readP21(p21);
    EXPECT_EQ(messages(form ? checkP21Form(p21) : back.findings), QStringList());
    EXPECT_EQ(recordDifferences(output.bytes, testsupport::sfcText(back.drawing)), QStringList());
}

}  // namespace

TEST(P21RoundTrip, FixtureOutputsReadBackAsTheirRecords)
{
    const std::vector<testsupport::ConvertedOutput> outputs = testsupport::fixtureOutputs();
    ASSERT_EQ(outputs.size(), fuzzing::fuzzSeeds().size() + 4);
    for (const testsupport::ConvertedOutput& output : outputs)
        expectP21RoundTrip(output, false);
}

// The checklist of the official reader's needs holds for every sample's P21
// (checkP21Form: header, references, entities and attribute counts, the
// record order of complex instances, placement layout, lines).
TEST(P21RoundTrip, SampleOutputsReadBackAsTheirRecordsFromP21OfSoundForm)
{
    REQUIRE_SAMPLES();
    const std::vector<testsupport::ConvertedOutput> outputs = testsupport::sampleOutputs();
    ASSERT_EQ(outputs.size(), static_cast<size_t>(testsupport::sampleDrawings().size()));
    for (const testsupport::ConvertedOutput& output : outputs)
        expectP21RoundTrip(output, true);
}
