// The SFC output: feature arguments in their written forms, and the writer
// that numbers feature records and encodes every line in code page 932.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace sfc {

// Thrown when the output device refuses bytes; the file writer catches it
// and removes the partial file.
class SfcWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The argument list of one feature, each value in its written form and
// separated by ",". Every feature writer formats through this class.
class FeatureArgs {
public:
    // '12'
    FeatureArgs& integer(int64_t value);
    // '12.250000' for 12.25 with 6 decimals (correctly rounded, no "-0").
    FeatureArgs& real(double value, int decimals);
    // \'text\' with the characters unchanged: strings from the drawing come
    // through safeSfcString first.
    FeatureArgs& string(QStringView text);
    // '(1,2,3)'; '()' when empty.
    FeatureArgs& integerList(std::span<const int32_t> values);
    // '(0.000000,1.500000)'; '()' when empty.
    FeatureArgs& realList(std::span<const double> values, int decimals);
    // 'text' with `text` written as given (the sheet height).
    FeatureArgs& quoted(QStringView text);

    // The arguments as written, in code page 932.
    const QByteArray& bytes() const { return m_bytes; }
    // False when any real argument was NaN or infinite.
    bool allFinite() const { return m_finite; }

private:
    void separate();
    // A parenthesised list between apostrophes, each value written by `appendOne`.
    template <typename T, typename AppendOne>
    FeatureArgs& list(std::span<const T> values, AppendOne appendOne);

    QByteArray m_bytes;
    bool m_finite = true;
};

// Writes SFC text to a device: lines in code page 932 ended by CR LF, and
// feature records numbered from SXFnum. Buffers its output: call flush() at
// the end; bytes not flushed are discarded with the writer.
class SfcWriter {
public:
    explicit SfcWriter(QIODevice& device);
    SfcWriter(const SfcWriter&) = delete;
    SfcWriter& operator=(const SfcWriter&) = delete;

    // Writes `line` and CR LF. Throws SfcWriteError when the device fails.
    void writeLine(QStringView line);
    // Writes one four-line record "/*SXF", "#n = name(args)", "SXF*/", ""
    // with n = SXFnum, then advances SXFnum by 10. A record with a NaN or an
    // infinite number is not written (and not numbered): no reader accepts
    // one, and it can only come from a damaged entity. Returns whether the
    // record was written.
    bool writeFeature(std::string_view name, const FeatureArgs& args);
    // Hands buffered bytes to the device. Throws SfcWriteError on failure.
    void flush();

    // Records left out of the file: those writeFeature refused, and those
    // callers dropped before writing because they could not be written
    // whole (counted through countLeftOut).
    int recordsLeftOut() const { return m_leftOut; }
    void countLeftOut(int records) { m_leftOut += records; }

    // The number of the next feature record.
    int32_t SXFnum = 10;

private:
    void maybeFlush();

    QIODevice& m_device;
    QByteArray m_buffer;
    int m_leftOut = 0;
};

// `text` with every backslash + apostrophe pair, which would end an SFC
// string early and break its record, replaced by "￥’" (U+FFE5, U+2019). The
// replacement forms no new pair. Callers apply it to every string from the
// drawing before it reaches a writer, at the one place where the string is
// made, so that a definition and every record naming it carry the same text.
QString safeSfcString(QString text);

}  // namespace sfc
