// The seed drawings.
#include "tests/fuzz/fuzz_corpus_start.h"

#include "tests/support/demo_drawing.h"
#include "tests/support/jww_builder.h"
#include "tests/support/sfc_texts.h"
#include "tests/worker/conversion_harness.h"
#include "tests/worker/jww/rich_drawing.h"
#include "worker/jww/jww_reader.h"

namespace fuzzing {
namespace {

// Each version where the stored layout changes, and the one before it.
constexpr int32_t kVersions[] = {220, 222, 223, 224, 225, 229, 230, 231, 299, 300, 350, 351, 419, 420, 699, 700};

Seed richSeed(const QString& name, int32_t version, void (*adjust)(testsupport::JwwWriteOptions&))
{
    jww::TJwwData d;
    testsupport::JwwWriteOptions options;
    testsupport::buildRichDrawing(d, version, options);
    if (adjust)
        adjust(options);
    return {name, testsupport::writeJww(d, options)};
}

// `sfc` with LF line ends and every line cut after 80 bytes.
QByteArray lfWrapped(const QByteArray& sfc)
{
    QByteArray out;
    for (const QByteArray& line : sfc.split('\n')) {
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        for (qsizetype i = 0; i < text.size(); i += 80)
            out += text.mid(i, 80) + '\n';
        if (text.isEmpty())
            out += '\n';
    }
    return out;
}

}  // namespace

std::vector<Seed> seedOutputs()
{
    std::vector<Seed> outputs;
    for (const Seed& drawing : fuzzSeeds()) {
        jww::TJwwData d;
        d.BindImageExr = true;  // the images are listed, not extracted
        if (!jww::readJwwDrawing(d, drawing.bytes))
            continue;
        QString name = drawing.name;
        name.replace(QStringLiteral(".jww"), QStringLiteral(".sfc"));
        outputs.push_back({name, testsupport::convertInMemory(d).bytes});
    }
    return outputs;
}

std::vector<Seed> sfcSeeds()
{
    std::vector<Seed> seeds = seedOutputs();
    for (size_t i = 0, n = seeds.size(); i < n; ++i) {
        if (seeds[i].name == u"rich-700.sfc")
            seeds.push_back({QStringLiteral("rich-700-lf-wrapped.sfc"), lfWrapped(seeds[i].bytes)});
    }
    seeds.push_back({QStringLiteral("other-kinds.sfc"), testsupport::otherKindsSfc()});
    seeds.push_back({QStringLiteral("annotation-kinds.sfc"), testsupport::annotationKindsSfc()});
    return seeds;
}

std::vector<Seed> fuzzSeeds()
{
    std::vector<Seed> seeds;
    for (int32_t v : kVersions)
        seeds.push_back(richSeed(QStringLiteral("rich-%1.jww").arg(v), v, nullptr));
    auto utf16 = [](testsupport::JwwWriteOptions& o) { o.utf16Strings = o.utf16Memo = true; };
    seeds.push_back(richSeed(QStringLiteral("rich-230-utf16.jww"), 230, utf16));
    seeds.push_back(richSeed(QStringLiteral("rich-700-utf16.jww"), 700, utf16));
    seeds.push_back(richSeed(QStringLiteral("rich-700-big-tags.jww"), 700,
                             [](testsupport::JwwWriteOptions& o) { o.bigClassTags = true; }));
    seeds.push_back(richSeed(QStringLiteral("rich-700-long-counts.jww"), 700,
                             [](testsupport::JwwWriteOptions& o) { o.longCounts = true; }));
    for (int32_t v : {220, 700}) {
        jww::TJwwData d;
        testsupport::initEmptyDrawing(d, v);
        seeds.push_back({QStringLiteral("empty-%1.jww").arg(v), testsupport::writeJww(d)});
    }
    seeds.push_back({QStringLiteral("demo.jww"), testsupport::demoDrawingBytes()});
    return seeds;
}

}  // namespace fuzzing
