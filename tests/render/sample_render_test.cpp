// The outputs of the sample drawings and of the fixture drawings, read back
// and drawn: no missing definition, nothing left unnoted, every character
// in the installed fonts, and PNG and PDF pictures written.
#include "render/picture_files.h"
#include "render/scene_builder.h"
#include "sxf/sfc_reader.h"
#include "tests/frontend/test_app.h"
#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/test_paths.h"
#include "tests/worker/conversion_harness.h"
#include "worker/jww/jww_reader.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

FRONTENDTEST_APPLICATION(QGuiApplication);

namespace {

struct Output {
    QString name;
    QByteArray bytes;
};

std::vector<Output> sampleOutputs()
{
    std::vector<Output> out;
    for (const QString& path : testsupport::sampleDrawings()) {
        jww::TJwwData d;
        if (!d.FileIn(path)) {
            ADD_FAILURE() << "sample does not read: " << path.toStdString();
            continue;
        }
        out.push_back({QFileInfo(path).fileName(), testsupport::convertInMemory(d).bytes});
    }
    return out;
}

std::vector<Output> fixtureOutputs()
{
    std::vector<Output> out;
    for (const fuzzing::Seed& seed : fuzzing::fuzzSeeds()) {
        jww::TJwwData d;
        d.BindImageExr = true;
        if (jww::readJwwDrawing(d, seed.bytes))
            out.push_back({seed.name, testsupport::convertInMemory(d).bytes});
    }
    return out;
}

void expectDrawnWhole(const Output& output)
{
    SCOPED_TRACE(output.name.toStdString());
    const sxf::ReadResult read = sxf::readSfc(output.bytes);
    ASSERT_FALSE(sxf::hasError(read.findings));
    const render::Scene scene = render::buildScene(read.drawing);
    EXPECT_EQ(scene.missingDefinitions, 0);
    for (const render::SceneNote& note : scene.notes)
        ADD_FAILURE() << "#" << note.number << ": " << note.message.toStdString();
    int missingGlyphs = 0;
    for (const render::TextItem& t : scene.texts)
        missingGlyphs += int(std::count(t.glyphs.begin(), t.glyphs.end(), 0u));
    EXPECT_EQ(missingGlyphs, 0);
}

TEST(SampleRendering, SampleOutputsDrawWithoutMissingDefinitions)
{
    REQUIRE_SAMPLES();
    const std::vector<Output> outputs = sampleOutputs();
    ASSERT_FALSE(outputs.empty());
    for (const Output& output : outputs)
        expectDrawnWhole(output);
}

TEST(SampleRendering, FixtureOutputsDrawWithoutMissingDefinitions)
{
    const std::vector<Output> outputs = fixtureOutputs();
    ASSERT_GE(outputs.size(), 10u);
    for (const Output& output : outputs)
        expectDrawnWhole(output);
}

TEST(SampleRendering, SampleOutputsBecomePngAndPdf)
{
    REQUIRE_SAMPLES();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Output& output : sampleOutputs()) {
        SCOPED_TRACE(output.name.toStdString());
        const sxf::ReadResult read = sxf::readSfc(output.bytes);
        const render::Scene scene = render::buildScene(read.drawing);
        const QString base = dir.filePath(QFileInfo(output.name).completeBaseName());
        ASSERT_EQ(render::writePicture(scene, render::initialVisibility(read.drawing), base + ".png", 800,
                                       render::Existing::Keep), QString());
        ASSERT_EQ(render::writePicture(scene, render::initialVisibility(read.drawing), base + ".pdf", 800,
                                       render::Existing::Keep), QString());
        QImageReader png(base + ".png");
        EXPECT_EQ(png.format(), "png");
        EXPECT_EQ(png.size().width(), 800);
        EXPECT_TRUE(testsupport::readFile(base + ".pdf").startsWith("%PDF-"));
    }
}

}  // namespace
