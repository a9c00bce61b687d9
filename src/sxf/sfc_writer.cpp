// Feature records written in place, and the buffer they are written into.
#include "sxf/sfc_writer.h"

#include "common/codepage.h"
#include "common/number_text.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

namespace sxf {
namespace {

constexpr size_t kFlushSize = size_t{1} << 16;

}  // namespace

QString safeSfcString(QString text)
{
    // The replacements end in "’", which ends in no backslash byte and so
    // forms no new pair with an apostrophe after it: one pass does.
    if (!text.contains(u'\''))
        return text;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text.at(i) != u'\'')
            continue;
        const QChar before = text.at(i - 1);
        if (before == u'\\')
            text[i - 1] = QChar(0xFFE5);
        if (common::endsInByte5C(before))
            text[i] = QChar(0x2019);
    }
    return text;
}

FeatureRecord::FeatureRecord(SfcWriter& f, std::string_view name) : m_f(f), m_start(f.m_size)
{
    assert(!f.m_recordOpen);
    f.m_recordOpen = true;
    f.append("/*SXF\r\n#");
    f.commit(common::writeIntText(f.room(common::kMaxIntChars), f.SXFnum));
    f.append(" = ");
    f.append(name);
    f.append("(");
}

FeatureRecord::~FeatureRecord()
{
    if (!m_done) {
        m_f.m_size = m_start;
        m_f.m_recordOpen = false;
    }
}

bool FeatureRecord::write()
{
    assert(!m_done);
    m_done = true;
    m_f.m_recordOpen = false;
    if (!m_finite) {
        m_f.m_size = m_start;
        ++m_f.m_leftOut;
        return false;
    }
    m_f.append(")\r\nSXF*/\r\n\r\n");
    m_f.SXFnum += 10;
    m_f.maybeFlush();
    return true;
}

void FeatureRecord::separate()
{
    if (!m_first)
        m_f.append(",");
    m_first = false;
}

void FeatureRecord::appendReal(double value, int decimals)
{
    m_finite = m_finite && std::isfinite(value);
    m_f.commit(common::writeFixedText(m_f.room(common::kMaxFixedChars), decimals, value));
}

FeatureRecord& FeatureRecord::integer(int64_t value)
{
    separate();
    char* out = m_f.room(common::kMaxIntChars + 2);
    *out++ = '\'';
    out = common::writeIntText(out, value);
    *out++ = '\'';
    m_f.commit(out);
    return *this;
}

FeatureRecord& FeatureRecord::real(double value, int decimals)
{
    separate();
    m_f.append("'");
    appendReal(value, decimals);
    m_f.append("'");
    return *this;
}

FeatureRecord& FeatureRecord::string(QStringView text)
{
    separate();
    m_f.append("\\'");
    m_f.appendCp932(text);
    m_f.append("\\'");
    return *this;
}

void FeatureRecord::openList()
{
    separate();
    m_f.append("'(");
}

void FeatureRecord::listSeparator()
{
    m_f.append(",");
}

void FeatureRecord::closeList()
{
    m_f.append(")'");
}

FeatureRecord& FeatureRecord::integerList(std::span<const int32_t> values)
{
    openList();
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            listSeparator();
        m_f.commit(common::writeIntText(m_f.room(common::kMaxIntChars), values[i]));
    }
    closeList();
    return *this;
}

FeatureRecord& FeatureRecord::realList(std::span<const double> values, int decimals)
{
    return realList(values.size(), [values](size_t i) { return values[i]; }, decimals);
}

FeatureRecord& FeatureRecord::quoted(QStringView text)
{
    separate();
    m_f.append("'");
    m_f.appendCp932(text);
    m_f.append("'");
    return *this;
}

SfcWriter::SfcWriter(QIODevice& device)
    : m_device(device), m_data(std::make_unique_for_overwrite<char[]>(kFlushSize * 2)), m_capacity(kFlushSize * 2)
{
}

char* SfcWriter::grow(size_t n)
{
    const size_t capacity = std::max(m_capacity * 2, m_size + n);
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
    return m_data.get() + m_size;
}

void SfcWriter::appendCp932(QStringView text)
{
    commit(common::writeCp932(room(common::kMaxCp932Bytes * static_cast<size_t>(text.size())), text));
}

void SfcWriter::writeLine(QStringView line)
{
    assert(!m_recordOpen);
    appendCp932(line);
    append("\r\n");
    maybeFlush();
}

FeatureRecord SfcWriter::feature(std::string_view name)
{
    return FeatureRecord(*this, name);
}

void SfcWriter::maybeFlush()
{
    if (m_size >= kFlushSize)
        flush();
}

void SfcWriter::flush()
{
    assert(!m_recordOpen);
    if (m_size == 0)
        return;
    const qint64 written = m_device.write(m_data.get(), static_cast<qint64>(m_size));
    if (written != static_cast<qint64>(m_size))
        throw SfcWriteError("SFC output refused");
    m_size = 0;
}

}  // namespace sxf
