// Code page 932 tables: decoding comes from the generated table, encoding from
// its inverse, built once on first use.
#include "common/codepage.h"

#include <array>
#include <cstdint>

namespace common {
namespace {

#include "common/cp932_table.inc"

constexpr char16_t kInvalidByte = 0x30FB;
constexpr uint16_t kNoCode = 0;

int leadIndex(uint8_t b)
{
    if (b >= 0x81 && b <= 0x9F)
        return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC)
        return b - 0xE0 + 31;
    return -1;
}

uint8_t leadByte(int index)
{
    return static_cast<uint8_t>(index < 31 ? 0x81 + index : 0xE0 + index - 31);
}

// Rank of a lead byte when a character has two codes: the code Windows writes
// wins. JIS X 0208 rows come first, then NEC row 13, then the IBM extension,
// then the NEC-selected copy of the IBM extension.
int leadRank(uint8_t lead)
{
    if (lead == 0x87)
        return 1;
    if (lead >= 0xFA)
        return 2;
    if (lead == 0xED || lead == 0xEE)
        return 3;
    return 0;
}

struct EncodeTable {
    std::array<uint16_t, 0x10000> code{};  // kNoCode where unrepresentable

    EncodeTable()
    {
        for (int b = 1; b < 256; ++b) {
            if (kCp932Single[b] != 0)
                code[kCp932Single[b]] = static_cast<uint16_t>(b);
        }
        for (int rank = 0; rank <= 3; ++rank) {
            for (int li = 0; li < 60; ++li) {
                const uint8_t lead = leadByte(li);
                if (leadRank(lead) != rank)
                    continue;
                for (int t = 0; t < 192; ++t) {
                    const char16_t ch = kCp932Double[li][t];
                    if (ch != 0 && code[ch] == kNoCode)
                        code[ch] = static_cast<uint16_t>(lead << 8 | (t + 0x40));
                }
            }
        }
        // Japanese equivalents that Japanese encoders accept for characters
        // the table spells differently.
        const std::pair<char16_t, uint16_t> extras[] = {
            {0x203E, 0x7E},   {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA},
            {0x2014, 0x815C}, {0x2016, 0x8161}, {0x2212, 0x817C}, {0x301C, 0x8160},
        };
        for (const auto& [ch, c] : extras) {
            if (code[ch] == kNoCode)
                code[ch] = c;
        }
        // NUL is a valid single byte although the table marks it empty.
        code[0] = kNoCode;
    }
};

const EncodeTable& encodeTable()
{
    static const EncodeTable table;
    return table;
}

char* writeCode(char* out, char16_t ch)
{
    if (ch == 0) {
        *out++ = '\0';
        return out;
    }
    const uint16_t c = encodeTable().code[ch];
    if (c == kNoCode) {
        *out++ = '?';
    } else if (c > 0xFF) {
        *out++ = static_cast<char>(c >> 8);
        *out++ = static_cast<char>(c & 0xFF);
    } else {
        *out++ = static_cast<char>(c);
    }
    return out;
}

}  // namespace

QString decodeCp932(QByteArrayView bytes, bool* allDefined)
{
    // No byte gives more than one character: decode into room for all of them.
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype undefined = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const uint8_t b = p[i];
        if (b < 0x80) {
            *out++ = QChar(b);
            continue;
        }
        const int li = leadIndex(b);
        if (li < 0) {
            const char16_t ch = kCp932Single[b];
            *out++ = QChar(ch != 0 ? ch : kInvalidByte);
            undefined += ch == 0 ? 1 : 0;
            continue;
        }
        const char16_t ch = (i + 1 < n && p[i + 1] >= 0x40) ? kCp932Double[li][p[i + 1] - 0x40] : 0;
        if (ch != 0) {
            *out++ = QChar(ch);
            ++i;
        } else {
            *out++ = QChar(kInvalidByte);
            ++undefined;
        }
    }
    text.truncate(out - text.constData());
    if (allDefined)
        *allDefined = undefined == 0;
    return text;
}

char* writeCp932(char* out, QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            *out++ = '?';  // no character beyond the BMP is in the code page
            ++i;
        } else if (c.isSurrogate()) {
            *out++ = '?';
        } else {
            out = writeCode(out, c.unicode());
        }
    }
    return out;
}

void appendCp932(QByteArray& out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + kMaxCp932Bytes * text.size());
    out.truncate(writeCp932(out.data() + start, text) - out.constData());
}

QByteArray encodeCp932(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    appendCp932(out, text);
    return out;
}

bool endsInByte5C(QChar c)
{
    return (encodeTable().code[c.unicode()] & 0xFF) == 0x5C;
}

QChar cp932RoundTrip(QChar c)
{
    if (c.isSurrogate())
        return QChar(u'?');
    const QString back = decodeCp932(encodeCp932(QStringView(&c, 1)));
    return back.size() == 1 ? back[0] : QChar(u'?');
}

QString AnsiBytesToText(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return decodeCp932(nul < 0 ? bytes : bytes.first(nul));
}

QString Utf16BytesToText(QByteArrayView bytes)
{
    QString out;
    const qsizetype units = bytes.size() / 2;
    out.reserve(units);
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t u = static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8);
        if (u == 0)
            break;
        out.append(QChar(u));
    }
    return out;
}

}  // namespace common
