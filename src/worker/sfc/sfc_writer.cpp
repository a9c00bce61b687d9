// Feature arguments and the record writer.
#include "worker/sfc/sfc_writer.h"

#include "common/codepage.h"
#include "common/number_text.h"

#include <cmath>

namespace sfc {
namespace {

constexpr qsizetype kFlushSize = 1 << 16;

}  // namespace

QString safeSfcString(QString text)
{
    // The replacement cannot form a new pair, so one pass replaces them all.
    text.replace(QStringLiteral("\\'"), QStringLiteral("\uFFE5\u2019"));
    return text;
}

void FeatureArgs::separate()
{
    if (!m_bytes.isEmpty())
        m_bytes.append(',');
}

FeatureArgs& FeatureArgs::integer(int64_t value)
{
    separate();
    m_bytes.append('\'');
    common::appendIntText(m_bytes, value);
    m_bytes.append('\'');
    return *this;
}

FeatureArgs& FeatureArgs::real(double value, int decimals)
{
    separate();
    m_finite = m_finite && std::isfinite(value);
    m_bytes.append('\'');
    common::appendFixedText(m_bytes, decimals, value);
    m_bytes.append('\'');
    return *this;
}

FeatureArgs& FeatureArgs::string(QStringView text)
{
    separate();
    m_bytes.append("\\'");
    common::appendCp932(m_bytes, text);
    m_bytes.append("\\'");
    return *this;
}

template <typename T, typename AppendOne>
FeatureArgs& FeatureArgs::list(std::span<const T> values, AppendOne appendOne)
{
    separate();
    m_bytes.append("'(");
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            m_bytes.append(',');
        appendOne(values[i]);
    }
    m_bytes.append(")'");
    return *this;
}

FeatureArgs& FeatureArgs::integerList(std::span<const int32_t> values)
{
    return list(values, [this](int32_t v) { common::appendIntText(m_bytes, v); });
}

FeatureArgs& FeatureArgs::realList(std::span<const double> values, int decimals)
{
    return list(values, [this, decimals](double v) {
        m_finite = m_finite && std::isfinite(v);
        common::appendFixedText(m_bytes, decimals, v);
    });
}

FeatureArgs& FeatureArgs::quoted(QStringView text)
{
    separate();
    m_bytes.append('\'');
    common::appendCp932(m_bytes, text);
    m_bytes.append('\'');
    return *this;
}

SfcWriter::SfcWriter(QIODevice& device) : m_device(device)
{
    m_buffer.reserve(kFlushSize * 2);
}

void SfcWriter::writeLine(QStringView line)
{
    common::appendCp932(m_buffer, line);
    m_buffer.append("\r\n");
    maybeFlush();
}

bool SfcWriter::writeFeature(std::string_view name, const FeatureArgs& args)
{
    if (!args.allFinite()) {
        ++m_leftOut;
        return false;
    }
    m_buffer.append("/*SXF\r\n#");
    common::appendIntText(m_buffer, SXFnum);
    m_buffer.append(" = ");
    m_buffer.append(name.data(), static_cast<qsizetype>(name.size()));
    m_buffer.append('(');
    m_buffer.append(args.bytes());
    m_buffer.append(")\r\nSXF*/\r\n\r\n");
    SXFnum += 10;
    maybeFlush();
    return true;
}

void SfcWriter::maybeFlush()
{
    if (m_buffer.size() >= kFlushSize)
        flush();
}

void SfcWriter::flush()
{
    if (m_buffer.isEmpty())
        return;
    const qint64 written = m_device.write(m_buffer);
    if (written != m_buffer.size())
        throw SfcWriteError("SFC output refused");
    m_buffer.clear();
}

}  // namespace sfc
