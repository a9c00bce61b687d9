// libFuzzer target: the SFC reader on bytes in memory, the drawing it makes
// checked and written back.
#include "tests/fuzz/fuzz_main.h"
#include "tests/fuzz/sfc_fuzz_checks.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzing::startFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzing::failOn(fuzzing::checkSfcReader(bytes));
    return 0;
}
