// The reader's findings and the rules' in one list.
#include "sxf/sfc_check.h"

#include <algorithm>

namespace sxf {

Findings checkRead(const Drawing& drawing, const Findings& readerFindings, const CheckOptions& options)
{
    Findings findings = readerFindings;
    const Findings rules = check(drawing, options);
    findings.insert(findings.end(), rules.begin(), rules.end());
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

Findings checkRead(const ReadResult& read, const CheckOptions& options)
{
    return checkRead(read.drawing, read.findings, options);
}

Findings checkSfc(QByteArrayView bytes, const CheckOptions& options)
{
    return checkRead(readSfc(bytes), options);
}

}  // namespace sxf
