// write_fuzz_corpus FOLDER: writes the seed corpus of the fuzz targets, the
// drawings into FOLDER/jww and the SFC files into FOLDER/sfc (created when
// missing). Exit status 1 when a file cannot be written.
#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/test_paths.h"

#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_fuzz_corpus FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QDir::separator();
    const std::pair<QString, std::vector<fuzzing::Seed>> sets[] = {
        {folder + QStringLiteral("jww"), fuzzing::fuzzSeeds()},
        {folder + QStringLiteral("sfc"), fuzzing::sfcSeeds()},
    };
    for (const auto& [subfolder, seeds] : sets) {
        if (!QDir().mkpath(subfolder))
            return 1;
        for (const fuzzing::Seed& seed : seeds) {
            if (!testsupport::writeFile(subfolder + QDir::separator() + seed.name, seed.bytes)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(seed.name));
                return 1;
            }
        }
    }
    return 0;
}
