// Text slicing and filtering; every index counts UTF-16 code units.
#include "common/text_slice.h"

namespace common {
namespace {

template <typename Map>
QString mapChars(QStringView text, Map map)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t mapped = map(QChar::surrogateToUcs4(c, text[i + 1]));
            // Keep the length: a pair maps to a pair or stays as it is.
            if (QChar::requiresSurrogates(mapped)) {
                out.append(QChar(QChar::highSurrogate(mapped)));
                out.append(QChar(QChar::lowSurrogate(mapped)));
            } else {
                out.append(c);
                out.append(text[i + 1]);
            }
            ++i;
            continue;
        }
        const char32_t mapped = map(char32_t(c.unicode()));
        out.append(QChar::requiresSurrogates(mapped) ? c : QChar(char16_t(mapped)));
    }
    return out;
}

bool isBlankUnit(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x20 || c.unicode() == 0x3000;
}

}  // namespace

QString CharAt(QStringView text, qsizetype index)
{
    if (index < 0 || index >= text.size())
        return {};
    return text.mid(index, 1).toString();
}

QString UpperText(QStringView text)
{
    return mapChars(text, [](char32_t c) { return QChar::toUpper(c); });
}

QString LowerText(QStringView text)
{
    return mapChars(text, [](char32_t c) { return QChar::toLower(c); });
}

qsizetype PosOf(QStringView part, QStringView text)
{
    if (part.isEmpty())
        return -1;
    return text.indexOf(part);
}

QString CopyFrom(QStringView text, qsizetype start)
{
    if (start < 0 || start >= text.size())
        return {};
    return text.mid(start).toString();
}

QString CopyRange(QStringView text, qsizetype start, qsizetype count)
{
    if (start < 0 || count <= 0 || start >= text.size())
        return {};
    return text.mid(start, qMin(count, text.size() - start)).toString();
}

QString RightText(QStringView text, qsizetype count)
{
    if (count <= 0)
        return {};
    if (count >= text.size())
        return text.toString();
    return text.right(count).toString();
}

QString RepeatText(QStringView text, qsizetype n)
{
    if (n <= 0)
        return {};
    return text.toString().repeated(n);
}

qsizetype CharCount(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (SurrogateKind(text, i) != 2)
            ++n;
    }
    return n;
}

int SurrogateKind(QStringView text, qsizetype index)
{
    if (index < 0 || index >= text.size())
        return -1;
    const QChar c = text[index];
    if (c.isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate())
        return 1;
    if (c.isLowSurrogate() && index > 0 && text[index - 1].isHighSurrogate())
        return 2;
    return 0;
}

QString StripBlanks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!isBlankUnit(c))
            out.append(c);
    }
    return out;
}

QString StripControls(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() >= 0x20)
            out.append(c);
    }
    return out;
}

bool IsBlank(QStringView text)
{
    for (QChar c : text) {
        if (!isBlankUnit(c))
            return false;
    }
    return true;
}

}  // namespace common
