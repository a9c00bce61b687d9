// Column widths and drawn text lengths.
#include "common/text_width.h"

#include "common/text_slice.h"

namespace common {

bool IsHalfWidth(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x20 && u <= 0x7E) || (u >= 0xFF61 && u <= 0xFF9F);
}

bool IsHalfWidth(QStringView text)
{
    return text.size() == 1 && IsHalfWidth(text[0]);
}

qsizetype TextColumns(QStringView text)
{
    qsizetype n = 0;
    for (QChar c : text)
        n += IsHalfWidth(c) ? 1 : 2;
    return n;
}

QString CopyColumns(QStringView text, qsizetype startColumn, qsizetype width)
{
    QString out;
    qsizetype column = 1;
    qsizetype taken = 0;
    for (QChar c : text) {
        const int w = IsHalfWidth(c) ? 1 : 2;
        if (column >= startColumn && taken < width) {
            out.append(c);
            taken += w;
        }
        column += w;
    }
    return out;
}

QString CopyWidth(QStringView text, qsizetype startIndex, qsizetype width, qsizetype* nextIndex)
{
    qsizetype i = qMax<qsizetype>(startIndex, 0);
    qsizetype sum = 0;
    const qsizetype begin = i;
    while (i < text.size()) {
        const int w = IsHalfWidth(text[i]) ? 1 : 2;
        if (sum + w > width)
            break;
        sum += w;
        ++i;
    }
    if (nextIndex)
        *nextIndex = i;
    return begin < text.size() ? text.mid(begin, i - begin).toString() : QString();
}

double TextLength(QStringView text, double charWidth, double spacing)
{
    double length = 0;
    bool first = true;
    bool previousHalf = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = SurrogateKind(text, i) == 1;
        const QChar c = text[i];
        const bool half = !pair && IsHalfWidth(c);
        if (!first)
            length += previousHalf ? spacing / 2 : spacing;
        if (pair || c.unicode() >= 0x20)
            length += half ? charWidth / 2 : charWidth;
        first = false;
        previousHalf = half;
        if (pair)
            ++i;
    }
    return length;
}

double TextLengthFull(QStringView text, double charWidth, double spacing)
{
    const qsizetype q = CharCount(text);
    return q * charWidth + (q - 1) * spacing;
}

}  // namespace common
