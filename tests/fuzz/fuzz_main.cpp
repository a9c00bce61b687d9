// The start-up both fuzz targets share.
#include "tests/fuzz/fuzz_main.h"

#include "common/path_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

QString startFuzzing(int* argc, char*** argv)
{
    // Both live until exit: libFuzzer never returns from its loop.
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kestrune-fuzz-XXXXXX"));
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        std::abort();
    }
    return common::IncludeDelim(QDir::toNativeSeparators(folder.path()));
}

void failOn(const QStringList& problems)
{
    if (problems.isEmpty())
        return;
    for (const QString& p : problems)
        std::fprintf(stderr, "broken promise: %s\n", qPrintable(p));
    std::abort();
}

}  // namespace fuzzing
