// Image reference texts.
#include "common/image_text.h"

#include "common/number_parse.h"

namespace common {
namespace {

constexpr QStringView kImageMark = u"^@BM";
constexpr int kMaxValues = 9;

}  // namespace

bool HasImageMark(QStringView text)
{
    return text.startsWith(kImageMark);
}

bool IsImageText(QStringView text)
{
    return HasImageMark(text) && text.contains(u',');
}

ImageText ParseImageText(QStringView text)
{
    ImageText image;
    if (!IsImageText(text))
        return image;
    const qsizetype comma = text.indexOf(u',');
    image.fileName = text.mid(kImageMark.size(), comma - kImageMark.size()).toString();

    QStringView rest = text.mid(comma + 1);
    for (int k = 0; k < kMaxValues; ++k) {
        const qsizetype next = rest.indexOf(u',');
        const bool last = next < 0 || k == kMaxValues - 1;
        const QStringView value = last ? rest : rest.left(next);
        if (k < 6)
            image.reals[k] = StrToFloatZero(value);
        else
            image.ints[k - 6] = StrToIntZero(value);
        image.count = k + 1;
        if (last)
            break;
        rest = rest.mid(next + 1);
    }

    if (image.count >= 7) {
        for (int k = image.count; k < kMaxValues; ++k)
            image.ints[k - 6] = 0;
    }
    if (image.count == 1)
        image.reals[1] = image.reals[0];
    image.result = image.count <= 2;
    return image;
}

}  // namespace common
