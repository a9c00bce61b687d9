// The entity dictionary. Counts follow the AP202 entity declarations: a
// simple instance lists its supertypes' attributes first, a part of a complex
// instance only the attributes its own entity declares.
#include "sxf/p21_schema.h"

#include <algorithm>
#include <array>

namespace sxf {
namespace {

// Sorted by name, for the binary search.
constexpr std::array kEntities = {
    P21EntityShape {"ANGULAR_DIMENSION", 2, 0},
    P21EntityShape {"ANNOTATION_CURVE_OCCURRENCE", 3, 0},
    P21EntityShape {"ANNOTATION_FILL_AREA", 2, 1},
    P21EntityShape {"ANNOTATION_FILL_AREA_OCCURRENCE", 4, 1},
    P21EntityShape {"ANNOTATION_OCCURRENCE", 3, 0},
    P21EntityShape {"ANNOTATION_SUBFIGURE_OCCURRENCE", 3, 0},
    P21EntityShape {"ANNOTATION_SYMBOL", 3, 0},
    P21EntityShape {"ANNOTATION_SYMBOL_OCCURRENCE", 3, 0},
    P21EntityShape {"ANNOTATION_TEXT_OCCURRENCE", 3, 0},
    P21EntityShape {"APPROVAL", 2, 2},
    P21EntityShape {"APPROVAL_DATE_TIME", 2, 2},
    P21EntityShape {"APPROVAL_STATUS", 1, 1},
    P21EntityShape {"AXIS2_PLACEMENT_2D", 3, 1},
    P21EntityShape {"BEZIER_CURVE", 6, 0},
    P21EntityShape {"CALENDAR_DATE", 3, 2},
    P21EntityShape {"CARTESIAN_POINT", 2, 1},
    P21EntityShape {"CIRCLE", 3, 1},
    P21EntityShape {"CLOTHOID", 3, 2},
    P21EntityShape {"COLOUR_RGB", 4, 3},
    P21EntityShape {"COMPOSITE_CURVE", 3, 2},
    P21EntityShape {"COMPOSITE_CURVE_SEGMENT", 3, 3},
    P21EntityShape {"CONTRACT", 3, 3},
    P21EntityShape {"CONTRACT_TYPE", 1, 1},
    P21EntityShape {"CURVE_DIMENSION", 2, 0},
    P21EntityShape {"CURVE_STYLE", 4, 4},
    P21EntityShape {"CURVE_STYLE_FONT", 2, 2},
    P21EntityShape {"CURVE_STYLE_FONT_PATTERN", 2, 2},
    P21EntityShape {"DEFINED_SYMBOL", 3, 2},
    P21EntityShape {"DIAMETER_DIMENSION", 2, 0},
    P21EntityShape {"DIMENSION_CALLOUT_RELATIONSHIP", 4, 0},
    P21EntityShape {"DIMENSION_CURVE", 3, 0},
    P21EntityShape {"DIMENSION_CURVE_DIRECTED_CALLOUT", 2, 0},
    P21EntityShape {"DIMENSION_CURVE_TERMINATOR", 5, 1},
    P21EntityShape {"DIRECTION", 2, 1},
    P21EntityShape {"DRAUGHTING_ANNOTATION_OCCURRENCE", 3, 0},
    P21EntityShape {"DRAUGHTING_APPROVAL_ASSIGNMENT", 2, 1},
    P21EntityShape {"DRAUGHTING_CALLOUT", 2, 1},
    P21EntityShape {"DRAUGHTING_CONTRACT_ASSIGNMENT", 2, 1},
    P21EntityShape {"DRAUGHTING_DRAWING_REVISION", 3, 0},
    P21EntityShape {"DRAUGHTING_ELEMENTS", 2, 0},
    P21EntityShape {"DRAUGHTING_ORGANIZATION_ASSIGNMENT", 3, 1},
    P21EntityShape {"DRAUGHTING_PRE_DEFINED_COLOUR", 1, 0},
    P21EntityShape {"DRAUGHTING_PRE_DEFINED_CURVE_FONT", 1, 0},
    P21EntityShape {"DRAUGHTING_SUBFIGURE_REPRESENTATION", 3, 0},
    P21EntityShape {"DRAUGHTING_TITLE", 3, 3},
    P21EntityShape {"DRAWING_DEFINITION", 2, 2},
    P21EntityShape {"DRAWING_SHEET_REVISION", 4, 1},
    P21EntityShape {"DRAWING_SHEET_REVISION_USAGE", 3, 1},
    P21EntityShape {"ELLIPSE", 4, 2},
    P21EntityShape {"EXTERNALLY_DEFINED_HATCH_STYLE", 3, 0},
    P21EntityShape {"EXTERNALLY_DEFINED_SYMBOL", 2, 0},
    P21EntityShape {"EXTERNALLY_DEFINED_TEXT_FONT", 2, 0},
    P21EntityShape {"EXTERNAL_SOURCE", 1, 1},
    P21EntityShape {"FILL_AREA_STYLE", 2, 2},
    P21EntityShape {"FILL_AREA_STYLE_COLOUR", 2, 2},
    P21EntityShape {"FILL_AREA_STYLE_HATCHING", 6, 5},
    P21EntityShape {"FILL_AREA_STYLE_TILES", 4, 3},
    P21EntityShape {"FILL_AREA_STYLE_TILE_SYMBOL_WITH_STYLE", 2, 1},
    P21EntityShape {"GEOMETRIC_REPRESENTATION_CONTEXT", 3, 1},
    P21EntityShape {"GEOMETRIC_REPRESENTATION_ITEM", 1, 0},
    P21EntityShape {"GLOBAL_UNIT_ASSIGNED_CONTEXT", 3, 1},
    P21EntityShape {"INVISIBILITY", 1, 1},
    P21EntityShape {"LEADER_CURVE", 3, 0},
    P21EntityShape {"LEADER_DIRECTED_CALLOUT", 2, 0},
    P21EntityShape {"LEADER_TERMINATOR", 4, 0},
    P21EntityShape {"LENGTH_MEASURE_WITH_UNIT", 2, 0},
    P21EntityShape {"LENGTH_UNIT", 1, 0},
    P21EntityShape {"LINE", 3, 2},
    P21EntityShape {"LINEAR_DIMENSION", 2, 0},
    P21EntityShape {"MAPPED_ITEM", 3, 2},
    P21EntityShape {"NAMED_UNIT", 1, 1},
    P21EntityShape {"ONE_DIRECTION_REPEAT_FACTOR", 2, 1},
    P21EntityShape {"ORGANIZATION", 3, 3},
    P21EntityShape {"ORGANIZATION_ROLE", 1, 1},
    P21EntityShape {"PLANAR_BOX", 4, 1},
    P21EntityShape {"PLANAR_EXTENT", 3, 2},
    P21EntityShape {"PLANE_ANGLE_UNIT", 1, 0},
    P21EntityShape {"POLYLINE", 2, 1},
    P21EntityShape {"PRESENTATION_LAYER_ASSIGNMENT", 3, 3},
    P21EntityShape {"PRESENTATION_LAYER_USAGE", 2, 2},
    P21EntityShape {"PRESENTATION_SIZE", 2, 2},
    P21EntityShape {"PRESENTATION_STYLE_ASSIGNMENT", 1, 1},
    P21EntityShape {"PRE_DEFINED_POINT_MARKER_SYMBOL", 1, 0},
    P21EntityShape {"PRE_DEFINED_TERMINATOR_SYMBOL", 1, 0},
    P21EntityShape {"PROJECTION_CURVE", 3, 0},
    P21EntityShape {"RADIUS_DIMENSION", 2, 0},
    P21EntityShape {"REPRESENTATION_CONTEXT", 2, 2},
    P21EntityShape {"REPRESENTATION_ITEM", 1, 1},
    P21EntityShape {"SI_UNIT", 3, 2},
    P21EntityShape {"STRUCTURED_DIMENSION_CALLOUT", 2, 0},
    P21EntityShape {"STYLED_ITEM", 3, 2},
    P21EntityShape {"SYMBOL_COLOUR", 1, 1},
    P21EntityShape {"SYMBOL_REPRESENTATION_MAP", 2, 0},
    P21EntityShape {"SYMBOL_STYLE", 2, 2},
    P21EntityShape {"SYMBOL_TARGET", 4, 3},
    P21EntityShape {"TERMINATOR_SYMBOL", 4, 1},
    P21EntityShape {"TEXT_LITERAL_WITH_EXTENT", 7, 1},
    P21EntityShape {"TEXT_STYLE", 2, 2},
    P21EntityShape {"TEXT_STYLE_FOR_DEFINED_FONT", 1, 1},
    P21EntityShape {"TEXT_STYLE_WITH_BOX_CHARACTERISTICS", 3, 1},
    P21EntityShape {"TEXT_STYLE_WITH_SPACING", 3, 1},
    P21EntityShape {"TRIMMED_CURVE", 6, 5},
    P21EntityShape {"TWO_DIRECTION_REPEAT_FACTOR", 3, 1},
    P21EntityShape {"VECTOR", 3, 2},
};

constexpr bool sortedByName()
{
    for (size_t i = 1; i < kEntities.size(); ++i) {
        if (!(kEntities[i - 1].name < kEntities[i].name))
            return false;
    }
    return true;
}
static_assert(sortedByName(), "the entity dictionary must stay sorted by name");

void checkRecord(const P21Data& data, const P21Instance& at, const P21Record& r, P21Report& report)
{
    const std::string_view name = data.name(r);
    const P21EntityShape* shape = p21Entity(name);
    const QString shown = QString::fromLatin1(name);
    if (!shape) {
        report.warning("P21_UNKNOWN_ENTITY", &at,
            QStringLiteral("%1 のエンティティ %2 は SXF の AP202 の辞書にありません").arg(p21Name(at), shown));
        return;
    }
    const auto expected = static_cast<size_t>(at.complex ? shape->own : shape->all);
    const size_t found = data.attributes(r).size();
    if (found != expected) {
        report.warning("P21_ATTRIBUTE_COUNT", &at,
            QStringLiteral("%1 の %2 は属性が %3 個のはずですが、%4 個あります")
                .arg(p21Name(at), shown)
                .arg(expected)
                .arg(found));
    }
}

void checkReferences(const P21Data& data, const P21Instance& at, const P21Record& r, P21Report& report)
{
    const uint32_t end = r.attributes + 1 + data.values[r.attributes].span;
    for (uint32_t i = r.attributes + 1; i < end; ++i) {
        const P21Value& v = data.values[i];
        if (v.kind == P21Kind::Reference && data.find(v.integer()) < 0) {
            report.warning("P21_UNRESOLVED_REFERENCE", &at,
                QStringLiteral("%1 が参照している #%2 はファイルにありません").arg(p21Name(at)).arg(v.integer()));
        }
    }
}

}  // namespace

const P21EntityShape* p21Entity(std::string_view name)
{
    auto it = std::lower_bound(kEntities.begin(), kEntities.end(), name,
        [](const P21EntityShape& e, std::string_view n) { return e.name < n; });
    return it != kEntities.end() && it->name == name ? &*it : nullptr;
}

void checkP21Schema(const P21Data& data, P21Report& report)
{
    for (const P21Instance& at : data.instances) {
        for (const P21Record& r : data.recordsOf(at)) {
            checkRecord(data, at, r, report);
            checkReferences(data, at, r, report);
        }
    }
}

}  // namespace sxf
