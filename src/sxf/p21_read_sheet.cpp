// The sheet assembly and the title block.
#include "sxf/p21_read_sheet.h"

#include "sxf/p21_read_items.h"

#include <array>
#include <cmath>

namespace sxf {
namespace {

constexpr std::array<std::array<int, 2>, 5> kSheetSizes = {{{1189, 841}, {841, 594}, {594, 420}, {420, 297}, {297, 210}}};

// The instances of entity `name` whose attribute `attr` lists or is a
// reference to instance `target`, in file order.
std::vector<int32_t> referring(P21Context& ctx, std::string_view name, size_t attr, int32_t target)
{
    std::vector<int32_t> out;
    const int64_t number = ctx.data.instances[static_cast<size_t>(target)].number;
    for (size_t i = 0; i < ctx.data.instances.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        P21Walk w(ctx.data);
        if (w.simpleName(index) != name)
            continue;
        const P21Value* v = w.entity(index, name).at(attr);
        const bool refers = v && v->kind == P21Kind::Reference && v->integer() == number;
        bool lists = false;
        if (v && v->kind == P21Kind::List) {
            for (const P21Value& e : P21List(&ctx.data, static_cast<uint32_t>(v - ctx.data.values.data())))
                lists = lists || (e.kind == P21Kind::Reference && e.integer() == number);
        }
        if (refers || lists)
            out.push_back(index);
    }
    return out;
}

// The official reader reads the title block as it goes: an instance it
// needs that comes later in the file is not found, and what depends on it
// is lost. True when `needed` comes before `user`.
bool before(P21Context& ctx, int32_t needed, int32_t user)
{
    if (needed < user)
        return true;
    const P21Instance& at = ctx.data.instances[static_cast<size_t>(user)];
    ctx.report.warning("P21_TITLE_ORDER", &at,
        QStringLiteral("%1 が参照する #%2 が後に書かれているので、表題欄のこの値は読まれません")
            .arg(p21Name(at))
            .arg(ctx.data.instances[static_cast<size_t>(needed)].number));
    return false;
}

void kindFromName(const QString& name, Sheet& s)
{
    s.kind = kNone;
    for (int k = 0; k <= 4 && s.kind == kNone; ++k) {
        if (name.contains(QStringLiteral("A%1").arg(k)))
            s.kind = k;
    }
    if (s.kind == kNone && name.contains(u"FREE"))
        s.kind = 9;
    s.orientation = name.contains(u"vertical") ? 0 : name.contains(u"horizontal") ? 1 : -1;
}

void sizeFromBox(P21Context& ctx, int32_t revision, Sheet& s, const P21Instance& at)
{
    P21Walk w(ctx.data);
    const std::vector<int32_t> sizes = referring(ctx, "PRESENTATION_SIZE", 0, revision);
    const P21List box = sizes.empty() ? P21List() : w.entity(w.entity(sizes[0], "PRESENTATION_SIZE").at(1), "PLANAR_BOX");
    const double bx = w.real(box.at(1));
    const double by = w.real(box.at(2));
    const bool standard = s.kind >= 0 && s.kind <= 4;
    if (sizes.empty() || !w.ok()) {
        ctx.report.warning("P21_SHEET", &at, QStringLiteral("図面の大きさ（PRESENTATION_SIZE）が読めません"));
        if (standard) {
            const auto& wh = kSheetSizes[static_cast<size_t>(s.kind)];
            s.x = s.orientation == 0 ? wh[1] : wh[0];
            s.y = s.orientation == 0 ? wh[0] : wh[1];
        }
        return;
    }
    // The official reader takes the whole millimetres of the box.
    s.x = std::isfinite(bx) ? std::trunc(bx) : 0;
    s.y = std::isfinite(by) ? std::trunc(by) : 0;
    if (standard) {
        const auto& wh = kSheetSizes[static_cast<size_t>(s.kind)];
        const bool matches = (s.x == wh[0] && s.y == wh[1]) || (s.x == wh[1] && s.y == wh[0]);
        if (!matches)
            ctx.report.warning("SXFSHEETLENGTHWARNING", &at,
                QStringLiteral("A%1 の用紙なのに大きさが %2×%3 です").arg(s.kind).arg(s.x).arg(s.y));
    }
}

// The DRAUGHTING_TITLE of drawing revision `revision`: its contents.
QString title(P21Context& ctx, int32_t revision, int32_t& titleIndex)
{
    titleIndex = kNone;
    for (int32_t t : referring(ctx, "DRAUGHTING_TITLE", 0, revision)) {
        P21Walk w(ctx.data);
        const P21List a = w.entity(t, "DRAUGHTING_TITLE");
        const QString contents = w.string(a.at(2));
        if (w.ok() && before(ctx, revision, t)) {
            titleIndex = t;
            return contents;
        }
    }
    return QString();
}

void readContract(P21Context& ctx, const std::vector<int32_t>& assignments, AttributeFeature& f)
{
    for (int32_t a : assignments) {
        P21Walk w(ctx.data);
        const int32_t contract = w.target(w.entity(a, "DRAUGHTING_CONTRACT_ASSIGNMENT").at(0));
        const P21List c = w.entity(contract, "CONTRACT");
        const int32_t type = w.target(c.at(2));
        const QString typeName = w.string(w.entity(type, "CONTRACT_TYPE").at(0));
        if (w.ok() && before(ctx, contract, a) && before(ctx, type, a)) {
            f.contractName = w.string(c.at(0));
            f.projectName = w.string(c.at(1));
            f.contractType = typeName;
            return;
        }
    }
}

void readApproval(P21Context& ctx, const std::vector<int32_t>& assignments, AttributeFeature& f)
{
    for (int32_t a : assignments) {
        P21Walk w(ctx.data);
        const int32_t approval = w.target(w.entity(a, "DRAUGHTING_APPROVAL_ASSIGNMENT").at(0));
        if (!w.ok())
            continue;
        // The date reaches the approval through APPROVAL_DATE_TIME, which
        // names the approval it dates.
        for (int32_t dated : referring(ctx, "APPROVAL_DATE_TIME", 1, approval)) {
            const int32_t date = w.target(w.entity(dated, "APPROVAL_DATE_TIME").at(0));
            const P21List d = w.entity(date, "CALENDAR_DATE");
            const int64_t year = w.integer(d.at(0)), day = w.integer(d.at(1)), month = w.integer(d.at(2));
            if (w.ok() && before(ctx, dated, a) && before(ctx, date, a)) {
                f.year = static_cast<int32_t>(std::clamp<int64_t>(year, INT32_MIN, INT32_MAX));
                f.month = static_cast<int32_t>(std::clamp<int64_t>(month, INT32_MIN, INT32_MAX));
                f.day = static_cast<int32_t>(std::clamp<int64_t>(day, INT32_MIN, INT32_MAX));
                return;
            }
        }
    }
}

void readOrganisations(P21Context& ctx, const std::vector<int32_t>& assignments, AttributeFeature& f)
{
    for (int32_t a : assignments) {
        P21Walk w(ctx.data);
        const P21List oa = w.entity(a, "DRAUGHTING_ORGANIZATION_ASSIGNMENT");
        const int32_t organisation = w.target(oa.at(0));
        const int32_t role = w.target(oa.at(1));
        const QString roleName = w.string(w.entity(role, "ORGANIZATION_ROLE").at(0)).toLower();
        const P21List o = w.entity(organisation, "ORGANIZATION");
        // ORGANIZATION(id, name, description); older files leave out the id.
        const QString name = w.string(o.at(o.size() == 2 ? 0 : 1));
        if (!w.ok() || !before(ctx, organisation, a) || !before(ctx, role, a))
            continue;
        if (roleName == u"creator")
            f.contractor = name;
        else if (roleName == u"owner")
            f.owner = name;
    }
}

void titleBlock(P21Context& ctx, int32_t revision, int32_t titleIndex)
{
    const std::vector<int32_t> contracts = referring(ctx, "DRAUGHTING_CONTRACT_ASSIGNMENT", 1, revision);
    const std::vector<int32_t> approvals = referring(ctx, "DRAUGHTING_APPROVAL_ASSIGNMENT", 1, revision);
    const std::vector<int32_t> organisations = referring(ctx, "DRAUGHTING_ORGANIZATION_ASSIGNMENT", 2, revision);
    if (contracts.empty() && approvals.empty() && organisations.empty())
        return;
    const int32_t first = std::min({contracts.empty() ? INT32_MAX : contracts[0],
        approvals.empty() ? INT32_MAX : approvals[0], organisations.empty() ? INT32_MAX : organisations[0]});
    AttributeFeature f;
    f.at = p21Origin(ctx.data.instances[static_cast<size_t>(first)]);
    P21Walk w(ctx.data);
    f.drawingTitle = w.string(w.entity(titleIndex, "DRAUGHTING_TITLE").at(2));
    const P21List rev = w.entity(revision, "DRAUGHTING_DRAWING_REVISION");
    const auto optional = [&w](const P21Value* v) { return v && v->kind == P21Kind::Unset ? QString() : w.string(v); };
    f.drawingScale = optional(rev.at(2));
    const int32_t definition = w.target(rev.at(1));
    const P21List def = w.entity(definition, "DRAWING_DEFINITION");
    if (w.ok() && before(ctx, definition, titleIndex)) {
        f.drawingNumber = optional(def.at(0));
        f.drawingType = optional(def.at(1));
    }
    readContract(ctx, contracts, f);
    readApproval(ctx, approvals, f);
    readOrganisations(ctx, organisations, f);
    appendFeature(ctx.drawing, FeatureKind::Attribute, ctx.drawing.attributes, std::move(f));
}

}  // namespace

bool readP21Sheet(P21Context& ctx, int32_t usage)
{
    const P21Instance& at = ctx.data.instances[static_cast<size_t>(usage)];
    P21Walk w(ctx.data);
    const P21List u = w.entity(usage, "DRAWING_SHEET_REVISION_USAGE");
    const int32_t sheetRevision = w.target(u.at(0));
    const int32_t drawingRevision = w.target(u.at(1));
    const P21List r = w.entity(sheetRevision, "DRAWING_SHEET_REVISION");
    Sheet s;
    s.at = p21Origin(at);
    const QString kindName = w.string(r.at(0));
    const P21List items = w.list(r.at(1));
    w.entity(drawingRevision, "DRAUGHTING_DRAWING_REVISION");
    if (!w.ok()) {
        ctx.report.error("P21_SHEET", &at, QStringLiteral("図面（%1）が読めません：%2").arg(p21Name(at), w.why()));
        return true;
    }
    kindFromName(kindName, s);
    if (s.kind == kNone) {
        ctx.report.warning("SXFSHEETSIZE", &at,
            QStringLiteral("図面の種類「%1」に A0〜A4 も FREE もありません（自由な大きさとして読みます）").arg(kindName));
        s.kind = 9;
    }
    sizeFromBox(ctx, sheetRevision, s, at);
    int32_t titleIndex = kNone;
    s.name = title(ctx, drawingRevision, titleIndex);
    s.members.first = static_cast<int32_t>(ctx.drawing.features.size());
    if (!mapP21Items(ctx, items))
        return false;
    if (titleIndex != kNone)
        titleBlock(ctx, drawingRevision, titleIndex);
    s.members.count = static_cast<int32_t>(ctx.drawing.features.size()) - s.members.first;
    ctx.drawing.assemblies.push_back(AssemblyRef {AssemblyKind::Sheet, static_cast<int32_t>(ctx.drawing.sheets.size())});
    ctx.drawing.sheets.push_back(std::move(s));
    return true;
}

}  // namespace sxf
