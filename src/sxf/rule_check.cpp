// The rule check: every group of rules over one drawing.
#include "sxf/rule_check.h"

#include "sxf/rule_context.h"

#include <algorithm>

namespace sxf {

Findings check(const Drawing& drawing, const CheckOptions& options)
{
    Findings findings;
    RuleContext context(drawing, options, findings);
    checkHeader(context);
    checkTables(context);
    checkAssemblies(context);
    checkFeatureValues(context);
    sortByLine(findings);
    return findings;
}

void sortByLine(Findings& findings)
{
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

}  // namespace sxf
