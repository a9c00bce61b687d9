// libFuzzer target: the whole conversion in-process, from the bytes of a
// drawing file to the written SFC file, through the function the worker's
// main calls.
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/fuzz_main.h"

#include <QByteArrayView>
#include <QDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
QString g_program;
QString g_work;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const QString folder = fuzzing::startFuzzing(argc, argv);
    g_program = folder + QStringLiteral("program") + QDir::separator();
    g_work = folder + QStringLiteral("work") + QDir::separator();
    if (!QDir().mkpath(g_program) || !QDir().mkpath(g_work) || !fuzzing::prepareWorkerFolder(g_program)) {
        std::fprintf(stderr, "cannot prepare the worker's folders\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzing::failOn(fuzzing::checkConversion(bytes, g_program, g_work));
    return 0;
}
