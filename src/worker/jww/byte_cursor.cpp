// Bounds-checked primitive reads.
#include "worker/jww/byte_cursor.h"

#include <QtEndian>

#include <cstring>

namespace jww {

const uint8_t* ByteCursor::take(qsizetype n)
{
    if (!has(n)) {
        m_failed = true;
        return nullptr;
    }
    const auto* p = reinterpret_cast<const uint8_t*>(m_bytes.data()) + m_pos;
    m_pos += n;
    return p;
}

uint8_t ByteCursor::u8()
{
    const uint8_t* p = take(1);
    return p ? *p : 0;
}

uint16_t ByteCursor::u16()
{
    const uint8_t* p = take(2);
    return p ? qFromLittleEndian<uint16_t>(p) : 0;
}

int32_t ByteCursor::i32()
{
    const uint8_t* p = take(4);
    return p ? qFromLittleEndian<int32_t>(p) : 0;
}

double ByteCursor::f64()
{
    const uint8_t* p = take(8);
    if (!p)
        return 0;
    const uint64_t bits = qFromLittleEndian<uint64_t>(p);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QByteArrayView ByteCursor::bytes(qsizetype n)
{
    const uint8_t* p = take(n);
    return p ? QByteArrayView(p, n) : QByteArrayView();
}

void ByteCursor::skip(qsizetype n)
{
    take(n);
}

}  // namespace jww
