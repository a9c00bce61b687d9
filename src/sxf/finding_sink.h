// Where a reader puts its findings: a bounded list, so that a file broken
// everywhere cannot make the list grow out of proportion.
#pragma once

#include "sxf/drawing.h"
#include "sxf/findings.h"

#include <QString>

#include <cstddef>

namespace sxf {

class FindingSink {
public:
    // Keeps at most `limit` findings in `out`; those beyond are counted.
    explicit FindingSink(Findings& out, size_t limit = kDefaultLimit) : m_out(out), m_limit(limit) {}

    static constexpr size_t kDefaultLimit = 10000;

    void add(Severity severity, const char* code, const Origin& at, const QString& message);
    void add(Severity severity, const char* code, int32_t line, const QString& message)
    {
        add(severity, code, Origin{0, line}, message);
    }
    // Sorts the findings by line (those of no line first, the order of
    // each line kept) and, when findings were left out, adds one that says
    // how many (code SFC_MORE_FINDINGS; an error when any left out was).
    void finish();

private:
    Findings& m_out;
    size_t m_limit;
    size_t m_leftOut = 0;
    bool m_errorLeftOut = false;
};

}  // namespace sxf
