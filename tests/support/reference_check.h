// A second opinion on SFC files: the reference checking script beside the
// repository (../shared/tools/sfc_check.py), run by the tests through Python.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace testsupport {

// One finding of the script. `cls` is "FORM" (this system's exact written
// form) or "RULE" (the official rules); `feature` is the feature number, 0
// for a finding of the whole file or of a line outside the records.
struct ReferenceFinding {
    QString cls;
    QString severity;  // "error" or "warning"
    QString rule;
    int32_t feature = 0;
    QString message;
};

using ReferenceFindings = std::vector<ReferenceFinding>;

// The script, or empty when it is absent (which fails the calling test when
// the environment variable CI is set).
QString referenceCheckScript();

// The script's own valid sample file (samples/sample_valid.sfc beside it),
// or empty when the script is absent.
QByteArray referenceSample();

// The script's findings on each of `files`, with its default tolerances, in
// one run of Python; nothing when the script or Python cannot be run.
std::optional<std::vector<ReferenceFindings>> referenceCheck(const std::vector<QByteArray>& files);

}  // namespace testsupport

// Skips the current test when the script is absent (and fails it on CI).
#define REQUIRE_REFERENCE_CHECK()                                             \
    do {                                                                      \
        if (testsupport::referenceCheckScript().isEmpty())                    \
            GTEST_SKIP() << "the reference checking script is not beside the checkout"; \
    } while (0)
