// Findings of the P21 reader.
#include "sxf/p21_report.h"

#include <limits>

namespace sxf {

void P21Report::add(Severity severity, const char* code, const P21Instance* at, const QString& message)
{
    Origin origin;
    if (at) {
        origin.line = at->line;
        if (at->number <= std::numeric_limits<int32_t>::max())
            origin.number = static_cast<int32_t>(at->number);
    }
    m_sink.add(severity, code, origin, message);
}

QString p21Name(const P21Instance& at)
{
    return QStringLiteral("#%1").arg(at.number);
}

}  // namespace sxf
