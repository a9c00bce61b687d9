// Writes a synthetic drawing for measuring the worker as a whole process:
//   makebench SHAPE N DRAWING.jww
// SHAPE "mixed": N entities of every kind; "blocks": N placements of N / 10
// definitions; "colours": 100,000 solids in N colours; "nested": placements
// of a block placing a block of N grouped points (see
// tests/support/bench_drawings.h).
#include "tests/support/bench_drawings.h"
#include "tests/support/jww_builder.h"

#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int usage()
{
    std::fputs("usage: makebench mixed|blocks|colours|nested N DRAWING.jww\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4)
        return usage();
    char* end = nullptr;
    const long n = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || n < 0 || n > 100'000'000)
        return usage();
    jww::TJwwData d;
    using Builder = void (*)(jww::TJwwData&, int);
    const struct {
        const char* name;
        Builder build;
    } shapes[] = {{"mixed", testsupport::buildMixedDrawing},
                  {"blocks", testsupport::buildBlocksDrawing},
                  {"colours", testsupport::buildColoursDrawing},
                  {"nested", testsupport::buildNestedDrawing}};
    Builder build = nullptr;
    for (const auto& shape : shapes) {
        if (std::strcmp(argv[1], shape.name) == 0)
            build = shape.build;
    }
    if (!build)
        return usage();
    build(d, static_cast<int>(n));
    QSaveFile out(QString::fromLocal8Bit(argv[3]));
    const QByteArray bytes = testsupport::writeJww(d);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "makebench: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
