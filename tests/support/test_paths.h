// Where tests find the sample drawings and the built programs.
#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

// The folder of sample drawings beside the repository, or empty when it is
// absent. Absent samples fail the calling test when the environment variable
// CI is set, so that those tests never stop running unnoticed.
QString samplesDir();
// Full paths of every sample drawing, sorted; empty when samplesDir() is.
QStringList sampleDrawings();
// The script `name` of the SXF tools shared beside the repository (used as a
// second opinion), or empty when it is absent; absent tools fail the calling
// test when CI is set, as absent samples do.
QString sharedTool(const QString& name);
// Writes `bytes` to `path`; false on any error.
bool writeFile(const QString& path, const QByteArray& bytes);
// The whole file, or an empty array.
QByteArray readFile(const QString& path);

}  // namespace testsupport

// Skips the current test when the samples are absent (and fails it on CI).
#define REQUIRE_SAMPLES()                                                   \
    do {                                                                    \
        if (testsupport::samplesDir().isEmpty())                            \
            GTEST_SKIP() << "sample drawings not found beside the checkout"; \
    } while (0)
