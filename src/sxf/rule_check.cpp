// The rule check: every group of rules over one drawing.
#include "sxf/rule_check.h"

#include "sxf/rule_context.h"

namespace sxf {

Findings check(const Drawing& drawing, const CheckOptions& options)
{
    Findings findings;
    FindingSink sink(findings);
    RuleContext context(drawing, options, sink);
    checkHeader(context);
    checkTables(context);
    checkAssemblies(context);
    checkFeatureValues(context);
    sink.finish();
    return findings;
}

}  // namespace sxf
