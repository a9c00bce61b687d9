// ByteCursor: bounds-checked little-endian reads over a byte range held in
// memory, with a failure flag that stays set once a read runs short.
#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace jww {

// Reads the primitive encodings of a drawing file. Every read checks what
// remains: a read that would run past the end returns zero (or an empty
// view), consumes nothing and sets failed(), which stays set, so that a
// parser can read a record in a straight line and test once at its end.
// The cursor does not own the bytes; they must outlive it.
class ByteCursor {
public:
    explicit ByteCursor(QByteArrayView bytes) : m_bytes(bytes) {}

    uint8_t u8();
    uint16_t u16();
    int32_t i32();
    double f64();
    // The next `n` bytes; an empty view and failed() when fewer remain or `n`
    // is negative.
    QByteArrayView bytes(qsizetype n);
    // Steps over `n` bytes; failed() when fewer remain.
    void skip(qsizetype n);

    // True when at least `n` more bytes remain (and nothing has failed).
    bool has(qsizetype n) const { return !m_failed && n >= 0 && n <= remaining(); }
    qsizetype remaining() const { return m_bytes.size() - m_pos; }
    qsizetype pos() const { return m_pos; }
    bool failed() const { return m_failed; }
    // Marks the input as unusable, for a structural error found by a caller
    // (an unknown class, an impossible count): later reads all fail.
    void fail() { m_failed = true; }

private:
    // The start of the next `n` bytes, advancing past them; nullptr (and the
    // failure flag) when they are not all there.
    const uint8_t* take(qsizetype n);

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

}  // namespace jww
