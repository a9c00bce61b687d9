// Findings of the P21 reader, counted per code.
#include "sxf/p21_report.h"

#include <limits>

namespace sxf {

void P21Report::add(Severity severity, const char* code, const P21Instance* at, const QString& message)
{
    const QString key = QString::fromLatin1(code);
    if (severity == Severity::Error)
        ++m_errors;
    Count& c = m_count[key];
    if (severity == Severity::Error)
        c.severity = Severity::Error;
    if (++c.n > m_limit)
        return;
    int32_t number = 0;
    if (at && at->number <= std::numeric_limits<int32_t>::max())
        number = static_cast<int32_t>(at->number);
    m_out.push_back(Finding {severity, key, at ? at->line : 0, number, message});
}

void P21Report::finish()
{
    for (const auto& [code, c] : m_count) {
        if (c.n > m_limit) {
            m_out.push_back(Finding {c.severity, code, 0, 0,
                QStringLiteral("%1 の指摘はほかに %2 件あります").arg(code).arg(c.n - m_limit)});
        }
    }
}

QString p21Name(const P21Instance& at)
{
    return QStringLiteral("#%1").arg(at.number);
}

}  // namespace sxf
