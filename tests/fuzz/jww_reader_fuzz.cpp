// libFuzzer target: the drawing reader on bytes in memory, with image
// extraction, inflation and pen widths, as FileIn and proc2 run them.
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/fuzz_main.h"

#include <QByteArrayView>
#include <QDir>

#include <cstddef>
#include <cstdint>

namespace {
QString g_images;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const QString folder = fuzzing::startFuzzing(argc, argv);
    g_images = folder + QStringLiteral("images") + QDir::separator();
    QDir().mkpath(g_images);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzing::failOn(fuzzing::checkReader(bytes, g_images));
    return 0;
}
