// Text layout with the installed fonts' own glyphs and widths.
#include "render/text_layout.h"

#include <QFont>

#include <algorithm>
#include <cmath>

namespace render {

namespace {

// Widths are taken at this size and scaled; outlines are unhinted, so they
// scale exactly.
constexpr double kReferencePixels = 256.0;

QString drawnCharacters(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() >= 0x20)
            shown.append(c);
    }
    return shown;
}

int32_t familyIndex(const QString& family, std::vector<QString>& families)
{
    const auto at = std::find(families.begin(), families.end(), family);
    if (at != families.end())
        return int32_t(at - families.begin());
    families.push_back(family);
    return int32_t(families.size() - 1);
}

}  // namespace

const TextShaper::Face& TextShaper::face(const QString& family)
{
    auto it = m_faces.find(family);
    if (it != m_faces.end())
        return *it;
    QFont font(family);
    font.setPixelSize(int(kReferencePixels));
    font.setHintingPreference(QFont::PreferNoHinting);
    Face f;
    f.raw = QRawFont::fromFont(font);
    const double total = f.raw.ascent() + f.raw.descent();
    if (f.raw.isValid() && total > 0) {
        f.ascent = f.raw.ascent() / total;
        f.descent = f.raw.descent() / total;
    } else {
        f.ascent = 0.88;
        f.descent = 0.12;
    }
    return *m_faces.insert(family, f);
}

void TextShaper::layOut(TextItem& item, const QString& text, double width, double height, double spacing,
                        bool vertical, const QString& family, std::vector<QString>& fontFamilies)
{
    item.font = familyIndex(family, fontFamilies);
    item.glyphs.clear();
    item.positions.clear();
    const Face& f = face(family);
    const QString shown = drawnCharacters(text);
    if (shown.isEmpty() || !(height > 0) || !std::isfinite(height) || !f.raw.isValid())
        return;
    const QList<quint32> glyphs = f.raw.glyphIndexesForString(shown);
    item.glyphs.assign(glyphs.begin(), glyphs.end());
    const size_t n = item.glyphs.size();
    const QList<QPointF> advances = f.raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    const double gap = std::isfinite(spacing) && spacing > 0 ? spacing : 0;
    item.positions.reserve(n);
    if (!vertical) {
        item.em = height;
        double natural = 0;
        for (const QPointF& a : advances)
            natural += a.x() * height / kReferencePixels;
        const double room = width - gap * double(n - 1);
        item.stretch = width > 0 && room > 0 && natural > 0 ? room / natural : 1.0;
        const double baseline = height * f.descent;
        double x = 0;
        for (size_t k = 0; k < n; ++k) {
            item.positions.emplace_back(x, baseline);
            x += advances[qsizetype(k)].x() * height / kReferencePixels * item.stretch + gap;
        }
        return;
    }
    const double cell = std::max((height - gap * double(n - 1)) / double(n), height / double(n) / 4);
    item.em = width > 0 ? std::min(width, cell) : cell;
    item.stretch = 1;
    const double middle = (f.ascent - f.descent) / 2 * item.em;
    for (size_t k = 0; k < n; ++k) {
        const double advance = advances[qsizetype(k)].x() * item.em / kReferencePixels;
        const double centre = height - double(k) * (cell + gap) - cell / 2;
        item.positions.emplace_back(std::max(width, item.em) / 2 - advance / 2, centre - middle);
    }
}

}  // namespace render
