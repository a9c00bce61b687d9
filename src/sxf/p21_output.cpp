// Instances written in place.
#include "sxf/p21_output.h"

#include "sxf/p21_format.h"

#include "common/number_text.h"

#include <cmath>

namespace sxf::p21 {
namespace {

constexpr size_t kFlushSize = size_t{1} << 16;

}  // namespace

P21Output::P21Output(const P21Sink& sink) : m_sink(sink)
{
    m_buffer.reserve(kFlushSize * 2);
}

void P21Output::separate()
{
    if (!m_first)
        m_buffer.push_back(',');
    m_first = false;
}

P21Output& P21Output::simple(int32_t n, std::string_view entity)
{
    m_buffer.push_back('#');
    char digits[common::kMaxIntChars];
    m_buffer.append(digits, common::writeIntText(digits, n));
    m_buffer.push_back('=');
    m_buffer.append(entity);
    m_buffer.push_back('(');
    m_first = true;
    return *this;
}

void P21Output::end()
{
    m_buffer.append(");\r\n");
}

void P21Output::complex(int32_t n)
{
    m_buffer.push_back('#');
    char digits[common::kMaxIntChars];
    m_buffer.append(digits, common::writeIntText(digits, n));
    m_buffer.append("=(\r\n");
}

P21Output& P21Output::record(std::string_view entity)
{
    m_buffer.append(entity);
    m_buffer.push_back('(');
    m_first = true;
    return *this;
}

void P21Output::endRecord()
{
    m_buffer.append(")\r\n");
}

void P21Output::endComplex()
{
    m_buffer.append(");\r\n");
}

void P21Output::emptyRecords(std::initializer_list<std::string_view> entities)
{
    for (std::string_view e : entities) {
        m_buffer.append(e);
        m_buffer.append("()\r\n");
    }
}

P21Output& P21Output::ref(int32_t n)
{
    separate();
    m_buffer.push_back('#');
    char digits[common::kMaxIntChars];
    m_buffer.append(digits, common::writeIntText(digits, n));
    return *this;
}

P21Output& P21Output::refs(std::span<const int32_t> ns)
{
    open();
    for (int32_t n : ns)
        ref(n);
    return close();
}

P21Output& P21Output::raw(std::string_view text)
{
    separate();
    m_buffer.append(text);
    return *this;
}

P21Output& P21Output::string(QStringView text)
{
    separate();
    appendString(m_buffer, text);
    return *this;
}

P21Output& P21Output::real(double value)
{
    separate();
    m_finite = m_finite && std::isfinite(value);
    char text[kMaxRealChars];
    m_buffer.append(text, writeReal(text, value));
    return *this;
}

P21Output& P21Output::angle(double value)
{
    separate();
    m_finite = m_finite && std::isfinite(value);
    char text[kMaxRealChars];
    m_buffer.append(text, writeAngle(text, value));
    return *this;
}

P21Output& P21Output::integer(int64_t value)
{
    separate();
    char digits[common::kMaxIntChars];
    m_buffer.append(digits, common::writeIntText(digits, value));
    return *this;
}

P21Output& P21Output::point(double x, double y)
{
    return open().real(x).real(y).close();
}

P21Output& P21Output::direction(double x, double y)
{
    return open().angle(x).angle(y).close();
}

P21Output& P21Output::open(std::string_view head)
{
    separate();
    m_buffer.append(head);
    m_buffer.push_back('(');
    m_first = true;
    return *this;
}

P21Output& P21Output::close()
{
    m_buffer.push_back(')');
    m_first = false;
    return *this;
}

P21Output::Mark P21Output::mark()
{
    m_finite = true;
    return {m_buffer.size(), m_next};
}

void P21Output::rollback(const Mark& m)
{
    m_buffer.resize(m.size);
    m_next = m.next;
    m_finite = true;
}

void P21Output::flushIfFull()
{
    if (m_buffer.size() >= kFlushSize)
        flush();
}

void P21Output::flush()
{
    if (m_buffer.empty())
        return;
    m_sink(m_buffer);
    m_buffer.clear();
}

}  // namespace sxf::p21
