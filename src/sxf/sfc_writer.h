// The SFC output: feature arguments in their written forms, and the writer
// that numbers feature records and encodes every line in code page 932.
#pragma once

#include <QIODevice>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <stdexcept>
#include <string_view>

namespace sxf {

// Thrown when the output device refuses bytes; the file writer catches it
// and removes the partial file.
class SfcWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SfcWriter;

// One feature record being written: created by SfcWriter::feature, it takes
// the arguments in order, each in its written form with "," between them,
// straight into the writer's buffer. write() ends the record. A record that
// is dropped before write() (an exception on the way) leaves no bytes.
class FeatureRecord {
public:
    FeatureRecord(const FeatureRecord&) = delete;
    FeatureRecord& operator=(const FeatureRecord&) = delete;
    ~FeatureRecord();

    // '12'
    FeatureRecord& integer(int64_t value);
    // '12.250000' for 12.25 with 6 decimals (correctly rounded, no "-0").
    FeatureRecord& real(double value, int decimals);
    // \'text\' with the characters unchanged: strings from the drawing come
    // through safeSfcString first.
    FeatureRecord& string(QStringView text);
    // '(1,2,3)'; '()' when empty.
    FeatureRecord& integerList(std::span<const int32_t> values);
    // '(0.000000,1.500000)'; '()' when empty.
    FeatureRecord& realList(std::span<const double> values, int decimals);
    // The same for the `count` reals valueAt(0) ... valueAt(count - 1), so
    // that a list can be taken from other records without copying it.
    template <typename ValueAt>
    FeatureRecord& realList(size_t count, ValueAt valueAt, int decimals)
    {
        openList();
        for (size_t i = 0; i < count; ++i) {
            if (i > 0)
                listSeparator();
            appendReal(valueAt(i), decimals);
        }
        closeList();
        return *this;
    }
    // 'text' with `text` written as given (the sheet height).
    FeatureRecord& quoted(QStringView text);

    // Closes the record with n = SXFnum and advances SXFnum by 10. A record
    // with a NaN or an infinite number is taken back instead (and not
    // numbered): no reader accepts one, and it can only come from a damaged
    // entity. Returns whether the record was written.
    bool write();

private:
    friend class SfcWriter;
    FeatureRecord(SfcWriter& f, std::string_view name);

    void separate();
    void appendReal(double value, int decimals);
    // A list is written between apostrophes and parentheses.
    void openList();
    void listSeparator();
    void closeList();

    SfcWriter& m_f;
    size_t m_start;  // where the record begins in the writer's buffer
    bool m_first = true;
    bool m_finite = true;
    bool m_done = false;
};

// Writes SFC text to a device: lines in code page 932 ended by CR LF, and
// feature records numbered from SXFnum. Buffers its output and hands it on
// between records once enough has gathered (a longer record makes the
// buffer grow): call flush() at the end; bytes not flushed are discarded
// with the writer.
class SfcWriter {
public:
    explicit SfcWriter(QIODevice& device);
    SfcWriter(const SfcWriter&) = delete;
    SfcWriter& operator=(const SfcWriter&) = delete;

    // Writes `line` and CR LF. Throws SfcWriteError when the device fails.
    void writeLine(QStringView line);
    // Starts the four-line record "/*SXF", "#n = name(args)", "SXF*/", "",
    // whose arguments the result takes. One record at a time: nothing else
    // may be written until it is written or gone.
    FeatureRecord feature(std::string_view name);
    // Hands buffered bytes to the device. Throws SfcWriteError on failure.
    void flush();

    // Records left out of the file: those FeatureRecord::write refused, and
    // those callers dropped before writing because they could not be written
    // whole (counted through countLeftOut).
    int recordsLeftOut() const { return m_leftOut; }
    void countLeftOut(int records) { m_leftOut += records; }

    // The number of the next feature record.
    int32_t SXFnum = 10;

private:
    friend class FeatureRecord;

    // Room for `n` more bytes at the end of the buffer; write them at the
    // result and pass their end to commit().
    char* room(size_t n) { return m_capacity - m_size >= n ? m_data.get() + m_size : grow(n); }
    void commit(char* end) { m_size = static_cast<size_t>(end - m_data.get()); }
    void append(std::string_view bytes)
    {
        std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
        m_size += bytes.size();
    }
    // room() when the buffer is full: moves it to a larger one.
    char* grow(size_t n);
    void appendCp932(QStringView text);
    void maybeFlush();

    QIODevice& m_device;
    std::unique_ptr<char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
    bool m_recordOpen = false;
    int m_leftOut = 0;
};

// `text` made safe to write as an SFC string: every backslash + apostrophe
// pair, which would end the string early and break its record, becomes
// "￥’" (U+FFE5, U+2019), and an apostrophe after any other character whose
// code page 932 encoding ends in the byte of the backslash (ソ, 表, 能, ...)
// becomes "’", since the bytes are the same pair to a reader that works on
// bytes. Every other apostrophe stays. The result holds no such pair, so a
// second pass changes nothing. Callers apply it to every string from the
// drawing before it reaches a writer, at the one place where the string is
// made, so that a definition and every record naming it carry the same text.
QString safeSfcString(QString text);

}  // namespace sxf
