// The bounded list of findings.
#include "sxf/finding_sink.h"

#include <algorithm>

namespace sxf {

void FindingSink::add(Severity severity, const char* code, const Origin& at, const QString& message)
{
    if (m_out.size() >= m_limit) {
        ++m_leftOut;
        m_errorLeftOut = m_errorLeftOut || severity == Severity::Error;
        return;
    }
    m_out.push_back({severity, QString::fromLatin1(code), at.line, at.number, message});
}

void FindingSink::finish()
{
    std::stable_sort(m_out.begin(), m_out.end(), [](const Finding& a, const Finding& b) { return a.line < b.line; });
    if (m_leftOut == 0)
        return;
    m_out.push_back({m_errorLeftOut ? Severity::Error : Severity::Warning, QStringLiteral("SFC_MORE_FINDINGS"), 0, 0,
                     QStringLiteral("ほかに%1件の指摘がありますが、省略しました").arg(m_leftOut)});
}

}  // namespace sxf
