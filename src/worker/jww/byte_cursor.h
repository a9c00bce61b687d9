// ByteCursor: bounds-checked little-endian reads over a drawing file, held in
// memory or read through a window of its own, with a failure flag that stays
// set once a read runs short.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

#include <cstdint>
#include <cstring>

class QIODevice;

namespace jww {

// Reads the primitive encodings of a drawing file. Every read checks what
// remains: a read that would run past the end returns zero (or an empty
// view), consumes nothing and sets failed(), which stays set, so that a
// parser can read a record in a straight line and test once at its end.
class ByteCursor {
public:
    // Over `bytes` in memory, which must outlive the cursor.
    explicit ByteCursor(QByteArrayView bytes);
    // Over `size` bytes of `file` from its current position (the cursor's
    // position 0), read on demand, so that the file is never held whole. If the file yields
    // fewer bytes than that (it was cut while being read, or a read failed),
    // the input ends where its bytes end. The cursor does not own `file`,
    // which must stay open while it is used.
    ByteCursor(QIODevice& file, qint64 size);
    ByteCursor(const ByteCursor&) = delete;
    ByteCursor& operator=(const ByteCursor&) = delete;

    uint8_t u8()
    {
        const uint8_t* p = take(1);
        return p ? *p : 0;
    }
    uint16_t u16()
    {
        const uint8_t* p = take(2);
        return p ? qFromLittleEndian<uint16_t>(p) : 0;
    }
    int32_t i32()
    {
        const uint8_t* p = take(4);
        return p ? qFromLittleEndian<int32_t>(p) : 0;
    }
    double f64()
    {
        const uint8_t* p = take(8);
        if (!p)
            return 0;
        const uint64_t bits = qFromLittleEndian<uint64_t>(p);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // The next `n` bytes; an empty view and failed() when fewer remain or `n`
    // is negative. The view is valid until the next read.
    QByteArrayView bytes(qsizetype n)
    {
        const uint8_t* p = take(n);
        return p ? QByteArrayView(p, n) : QByteArrayView();
    }
    // Steps over `n` bytes; failed() when fewer remain.
    void skip(qsizetype n) { take(n); }

    // True when at least `n` more bytes remain (and nothing has failed).
    bool has(qsizetype n) const { return !m_failed && n >= 0 && n <= remaining(); }
    qsizetype remaining() const { return m_size - pos(); }
    qsizetype pos() const { return m_windowPos + (m_at - m_window); }
    bool failed() const { return m_failed; }
    // Marks the input as unusable, for a structural error found by a caller
    // (an unknown class, an impossible count): later reads all fail.
    void fail() { m_failed = true; }

    // A place to come back to, for reading ahead.
    struct Mark {
        qsizetype pos;
        bool failed;
    };
    Mark mark() const { return {pos(), m_failed}; }
    // Returns to `mark`, failure flag included.
    void rewind(const Mark& mark);

private:
    // The start of the next `n` bytes, advancing past them; nullptr (and the
    // failure flag) when they are not all there.
    const uint8_t* take(qsizetype n)
    {
        if (!m_failed && n >= 0 && n <= m_end - m_at) {
            const uint8_t* p = m_at;
            m_at += n;
            return p;
        }
        return takeSlow(n);
    }
    // take() when the window does not hold the next `n` bytes: reads on
    // from the file, or fails.
    const uint8_t* takeSlow(qsizetype n);
    // Makes the window hold the `n` bytes at pos(); false when the file does
    // not yield them.
    bool fill(qsizetype n);
    // An empty window at `pos` of the file.
    void restartAt(qsizetype pos);

    QIODevice* m_file = nullptr;  // null when all the bytes are in memory
    qint64 m_fileStart = 0;       // the file position of the cursor's position 0
    QByteArray m_buffer;          // the window's bytes when reading a file
    const uint8_t* m_window = nullptr;
    const uint8_t* m_at = nullptr;
    const uint8_t* m_end = nullptr;
    qsizetype m_windowPos = 0;  // the cursor position of m_window
    qsizetype m_size = 0;
    bool m_failed = false;
};

}  // namespace jww
