// The definitions a file has written so far, and the test of each reference
// against them.
#include "tests/support/sfc_references.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace testsupport {
namespace {

// Colour and line-type numbers up to 16 name a pre-defined definition by
// rank; user definitions count from 17.
constexpr int kFirstUserNumber = 17;

const char* const kPredefinedColours[] = {"black", "red", "green", "blue", "yellow", "magenta", "cyan", "white",
    "deeppink", "brown", "orange", "lightgreen", "lightblue", "lavender", "lightgray", "darkgray"};

const char* const kPredefinedLineTypes[] = {
    "continuous",
    "dashed",
    "dashed spaced",
    "long dashed dotted",
    "long dashed double-dotted",
    "long dashed triplicate-dotted",
    "dotted",
    "chain",
    "chain double dash",
    "dashed dotted",
    "double-dashed dotted",
    "dashed double-dotted",
    "double-dashed double-dotted",
    "dashed triplicate-dotted",
    "double-dashed triplicate-dotted",
};

// Millimetres of the standard widths 1..9.
constexpr double kWidths[] = {0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 1.4, 2.0};

struct Defined {
    int layers = 0;
    QSet<QString> colourNames;
    int userColours = 0;
    QSet<QString> lineTypeNames;
    int userLineTypes = 0;
    std::vector<double> widths;
    int fonts = 0;
    int curves = 0;
    QSet<QString> symbols;

    void add(const SfcRecord& r)
    {
        if (r.name == u"layer_feature")
            ++layers;
        else if (r.name == u"pre_defined_colour_feature")
            colourNames.insert(r.stringAt(0));
        else if (r.name == u"user_defined_colour_feature")
            ++userColours;
        else if (r.name == u"pre_defined_font_feature")
            lineTypeNames.insert(r.stringAt(0));
        else if (r.name == u"user_defined_font_feature")
            ++userLineTypes;
        else if (r.name == u"width_feature")
            widths.push_back(r.realAt(0));
        else if (r.name == u"text_font_feature")
            ++fonts;
        else if (r.name == u"composite_curve_org_feature")
            ++curves;
        else if (r.name == u"sfig_org_feature")
            symbols.insert(r.stringAt(0));
    }

    bool byRankOrCount(
        int64_t k, const char* const* names, int64_t nameCount, const QSet<QString>& seen, int users) const
    {
        if (k >= 1 && k <= nameCount)
            return seen.contains(QString::fromLatin1(names[k - 1]));
        return k >= kFirstUserNumber && k - kFirstUserNumber < users;
    }

    // Widths 1..9 are the standard widths, defined by their millimetres;
    // 11, 12, ... are the widths above 2.0 mm in the order written.
    bool width(int64_t k) const
    {
        if (k >= 1 && k <= 9)
            return std::any_of(widths.begin(), widths.end(), [&](double w) { return std::abs(w - kWidths[k - 1]) < 1e-9; });
        const auto wide = std::count_if(widths.begin(), widths.end(), [](double w) { return w > 2.0 + 1e-9; });
        return k >= 11 && k - 10 <= wide;
    }

    // True when the integer `k` in role `role` refers to a definition.
    bool holds(SfcArgRole role, int64_t k) const
    {
        switch (role) {
        case SfcArgRole::Layer: return k >= 1 && k <= layers;
        case SfcArgRole::LayerOrNone: return k >= 0 && k <= layers;
        case SfcArgRole::Colour:
            return byRankOrCount(k, kPredefinedColours, std::size(kPredefinedColours), colourNames, userColours);
        case SfcArgRole::LineType:
            return byRankOrCount(
                k, kPredefinedLineTypes, std::size(kPredefinedLineTypes), lineTypeNames, userLineTypes);
        case SfcArgRole::Width: return width(k);
        case SfcArgRole::Font:
        case SfcArgRole::TextFont: return k >= 1 && k <= fonts;
        case SfcArgRole::Curve:
        case SfcArgRole::Curves: return k >= 1 && k <= curves;
        default: return true;
        }
    }
};

QString roleName(SfcArgRole role)
{
    switch (role) {
    case SfcArgRole::Layer:
    case SfcArgRole::LayerOrNone: return QStringLiteral("layer");
    case SfcArgRole::Colour: return QStringLiteral("colour");
    case SfcArgRole::LineType: return QStringLiteral("line type");
    case SfcArgRole::Width: return QStringLiteral("width");
    case SfcArgRole::Font:
    case SfcArgRole::TextFont: return QStringLiteral("font");
    case SfcArgRole::Curve:
    case SfcArgRole::Curves: return QStringLiteral("composite curve");
    default: return {};
    }
}

void checkRecord(const SfcRecord& r, const Defined& defined, QStringList& problems)
{
    const std::vector<SfcArgRole> roles = sfcArgRoles(r.name);
    if (roles.size() != r.args.size())
        return;
    const QString where = QStringLiteral("line %1 #%2 %3: argument ").arg(r.line).arg(r.number).arg(r.name);
    for (size_t i = 0; i < roles.size(); ++i) {
        const SfcValue& v = r.args[i];
        const SfcArgRole role = roles[i];
        if (role == SfcArgRole::Symbol) {
            if (!defined.symbols.contains(v.text))
                problems.append(
                    where + QStringLiteral("%1: symbol \"%2\" is not defined before").arg(i + 1).arg(v.text));
            continue;
        }
        // An annotation without text carries a placeholder font number.
        if (role == SfcArgRole::TextFont && (i == 0 || r.integerAt(i - 1) != 1))
            continue;
        std::vector<int64_t> numbers;
        if (v.kind == SfcValueKind::Integer)
            numbers.push_back(v.integer);
        numbers.insert(numbers.end(), v.integers.begin(), v.integers.end());
        for (int64_t k : numbers) {
            if (!defined.holds(role, k))
                problems.append(
                    where + QStringLiteral("%1: %2 %3 is not defined before").arg(i + 1).arg(roleName(role)).arg(k));
        }
    }
}

}  // namespace

QStringList checkSfcReferences(const SfcFile& file)
{
    QStringList problems;
    Defined defined;
    for (const SfcRecord& r : file.records) {
        checkRecord(r, defined, problems);
        defined.add(r);
    }
    return problems;
}

}  // namespace testsupport
