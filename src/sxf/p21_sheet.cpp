// The sheet block and the title block.
#include "sxf/p21_sheet.h"

#include "sxf/p21_blocks.h"
#include "sxf/p21_symbols.h"

#include <QString>

#include <utility>

namespace sxf::p21 {
namespace {

// Long and short sides of A0 to A4, millimetres.
constexpr std::pair<double, double> kSheetSizes[5] = {{1189, 841}, {841, 594}, {594, 420}, {420, 297}, {297, 210}};

// The sheet's kind as its name in the file, and its size. A kind outside
// A0 to A4 is written as a free sheet of the size the drawing gives.
QString sheetKind(const Sheet& s, double& width, double& height)
{
    if (s.kind < 0 || s.kind > 4) {
        width = s.x;
        height = s.y;
        return QStringLiteral("FREE");
    }
    const auto [longSide, shortSide] = kSheetSizes[s.kind];
    const bool horizontal = s.orientation != 0;
    width = horizontal ? longSide : shortSide;
    height = horizontal ? shortSide : longSide;
    return QStringLiteral("A%1_%2").arg(s.kind).arg(horizontal ? u"horizontal" : u"vertical");
}

// The contract, approval date and the two organisations, each assigned to
// the drawing revision `revision`.
void writeTitleBlock(P21Output& o, const AttributeFeature& a, int32_t revision)
{
    const int32_t contractType = o.take();
    o.simple(contractType, "CONTRACT_TYPE").string(a.contractType).end();
    const int32_t contract = o.take();
    o.simple(contract, "CONTRACT").string(a.contractName).string(a.projectName).ref(contractType).end();
    o.simple(o.take(), "DRAUGHTING_CONTRACT_ASSIGNMENT").ref(contract).open().ref(revision).close().end();
    const int32_t status = o.take();
    o.simple(status, "APPROVAL_STATUS").raw("' '").end();
    const int32_t approval = o.take();
    o.simple(approval, "APPROVAL").ref(status).raw("' '").end();
    const int32_t date = o.take();
    o.simple(date, "CALENDAR_DATE").integer(a.year).integer(a.day).integer(a.month).end();
    o.simple(o.take(), "APPROVAL_DATE_TIME").ref(date).ref(approval).end();
    o.simple(o.take(), "DRAUGHTING_APPROVAL_ASSIGNMENT").ref(approval).open().ref(revision).close().end();
    for (const auto& [role, name] : {std::pair{"'creator'", &a.contractor}, std::pair{"'owner'", &a.owner}}) {
        const int32_t r = o.take();
        o.simple(r, "ORGANIZATION_ROLE").raw(role).end();
        const int32_t organisation = o.take();
        o.simple(organisation, "ORGANIZATION").raw("$").string(*name).raw("' '").end();
        o.simple(o.take(), "DRAUGHTING_ORGANIZATION_ASSIGNMENT").ref(organisation).ref(r).open().ref(revision).close();
        o.end();
    }
}

}  // namespace

int32_t writeSheet(Context& ctx, const Sheet& sheet, const std::vector<int32_t>& items,
                   const AttributeFeature* attribute)
{
    if (items.empty())
        return 0;
    P21Output& o = ctx.out;
    const int32_t definition = o.take();
    o.simple(definition, "DRAWING_DEFINITION");
    if (attribute)
        o.string(attribute->drawingNumber).string(attribute->drawingType);
    else
        o.raw("'01'").raw("$");
    o.end();
    const int32_t revision = o.take();
    o.simple(revision, "DRAUGHTING_DRAWING_REVISION").raw("'01'").ref(definition);
    if (attribute)
        o.string(attribute->drawingScale);
    else
        o.raw("$");
    o.end();
    o.simple(o.take(), "DRAUGHTING_TITLE").open().ref(revision).close().raw("'JAPANESE'");
    o.string(attribute ? attribute->drawingTitle : sheet.name).end();

    const int32_t direction = o.take();
    o.simple(direction, "DIRECTION").raw("' '").point(1, 0).end();
    const int32_t axis = writeAxis(o, writePoint(o, 0, 0), direction);
    double width = 0, height = 0;
    const QString kind = sheetKind(sheet, width, height);
    const int32_t box = o.take();
    o.simple(box, "PLANAR_BOX").raw("' '").real(width).real(height).ref(axis).end();
    const int32_t context = writeRepresentationContext(o);
    const int32_t n = o.take();
    o.simple(n, "DRAWING_SHEET_REVISION").string(kind).open();
    for (int32_t item : items)
        o.ref(item);
    o.ref(box).close().ref(context).raw("'01'").end();
    o.simple(o.take(), "DRAWING_SHEET_REVISION_USAGE").ref(n).ref(revision).raw("'01'").end();
    o.simple(o.take(), "PRESENTATION_SIZE").ref(n).ref(box).end();
    if (attribute)
        writeTitleBlock(o, *attribute, revision);
    return n;
}

}  // namespace sxf::p21
