// write_fuzz_corpus FOLDER: writes the seed corpus of the fuzz targets, the
// drawings into FOLDER/jww, the SFC files into FOLDER/sfc and the P21 files
// into FOLDER/p21 (created when
// missing). Exit status 1 when a file cannot be written.
#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/fuzz/p21_fuzz_checks.h"
#include "tests/support/test_paths.h"

#include <QDir>

#include <cstdio>

namespace {

bool writeSeeds(const QString& folder, const std::vector<fuzzing::Seed>& seeds)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const fuzzing::Seed& seed : seeds) {
        if (!testsupport::writeFile(folder + QDir::separator() + seed.name, seed.bytes)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(seed.name));
            return false;
        }
    }
    return true;
}

}  // namespace

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
        {folder + QStringLiteral("p21"), fuzzing::p21FuzzSeeds()},
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
