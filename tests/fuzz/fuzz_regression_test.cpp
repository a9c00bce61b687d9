// The inputs the fuzz targets found, and their seeds, through the same checks
// the targets make, so that the ordinary test suite catches a regression.
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/fuzz/sfc_fuzz_checks.h"
#include "tests/support/jww_builder.h"
#include "tests/support/test_paths.h"

#include "common/path_names.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Input {
    QString name;
    QByteArray bytes;
};

// The minimised inputs the fuzzer wrote, kept in tests/fuzz/regressions:
// SFC files (named *.sfc) for the SFC reader, drawings for the others.
std::vector<Input> regressionInputs(bool sfc)
{
    std::vector<Input> out;
    const QDir dir(QStringLiteral(KESTRUNE_SOURCE_DIR "/tests/fuzz/regressions"));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        if (name.endsWith(QStringLiteral(".sfc")) == sfc)
            out.push_back({name, testsupport::readFile(dir.filePath(name))});
    }
    return out;
}

// Findings rebuilt with the fixture writer, where that shows the fault more
// plainly than the fuzzer's input.
std::vector<Input> rebuiltFindings()
{
    std::vector<Input> out;
    // Line types 0, 10, 20..30 and "none" (46) and pen colours 0 and 10..100
    // have no SFC number: the records once named line type or colour -1.
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    const int styles[] = {0, 10, 20, 30, 46, 1, 1, 1};
    const int colours[] = {1, 1, 1, 1, 1, 0, 10, 100};
    for (size_t i = 0; i < std::size(styles); ++i) {
        jww::TEntJwwLine line;
        line.att.nPenStyle = static_cast<uint8_t>(styles[i]);
        line.att.nPenColor = static_cast<uint16_t>(colours[i]);
        line.start_x = 0;
        line.end_x = 10.0 * static_cast<double>(i + 1);
        testsupport::addLine(d, line);
    }
    out.push_back({QStringLiteral("unnumbered line types and colours"), testsupport::writeJww(d)});
    return out;
}

std::vector<Input> seedInputs()
{
    std::vector<Input> out;
    for (fuzzing::Seed& s : fuzzing::fuzzSeeds())
        out.push_back({s.name, std::move(s.bytes)});
    return out;
}

QString folderIn(const QTemporaryDir& root, const QString& name)
{
    const QString path = root.filePath(name);
    QDir().mkpath(path);
    return common::IncludeDelim(QDir::toNativeSeparators(path));
}

void expectPromisesKept(const std::vector<Input>& inputs)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString images = folderIn(root, QStringLiteral("images"));
    const QString program = folderIn(root, QStringLiteral("program"));
    const QString work = folderIn(root, QStringLiteral("work"));
    ASSERT_TRUE(fuzzing::prepareWorkerFolder(program));
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.name.toStdString());
        EXPECT_EQ(fuzzing::checkReader(input.bytes, images).join(u'\n').toStdString(), "");
        EXPECT_EQ(fuzzing::checkConversion(input.bytes, program, work).join(u'\n').toStdString(), "");
    }
}

}  // namespace

TEST(FuzzRegressions, FoundInputsKeepEveryPromise)
{
    std::vector<Input> inputs = regressionInputs(false);
    for (Input& input : rebuiltFindings())
        inputs.push_back(std::move(input));
    expectPromisesKept(inputs);
}

// The seeds are valid drawings of every version: each converts, and the
// checks themselves are shown to pass on sound input.
TEST(FuzzRegressions, SeedsKeepEveryPromise)
{
    const std::vector<Input> seeds = seedInputs();
    ASSERT_FALSE(seeds.empty());
    expectPromisesKept(seeds);
}

// The SFC files the fuzzer found and its seeds keep the SFC reader's
// promises.
TEST(FuzzRegressions, SfcInputsKeepEveryPromise)
{
    std::vector<Input> inputs = regressionInputs(true);
    for (fuzzing::Seed& s : fuzzing::sfcSeeds())
        inputs.push_back({s.name, std::move(s.bytes)});
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.name.toStdString());
        EXPECT_EQ(fuzzing::checkSfcReader(input.bytes).join(u'\n').toStdString(), "");
    }
}
