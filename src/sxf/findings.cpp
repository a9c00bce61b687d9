// Findings of the readers and the rule checks.
#include "sxf/findings.h"

#include <algorithm>

namespace sxf {

bool hasError(const Findings& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

}  // namespace sxf
