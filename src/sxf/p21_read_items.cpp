// Items of an assembly into features.
#include "sxf/p21_read_items.h"

#include "sxf/p21_read_annotations.h"
#include "sxf/p21_read_callouts.h"

namespace sxf {
namespace {

// Reads an instance once: true the first time.
bool firstUse(P21Context& ctx, int32_t index)
{
    uint8_t& used = ctx.used[static_cast<size_t>(index)];
    if (used) {
        const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
        ctx.report.warning("P21_ITEM", &at,
            QStringLiteral("%1 は二度以上項目に挙げられています（一度だけ読みます）").arg(p21Name(at)));
        return false;
    }
    used = 1;
    return true;
}

// A callout, unless it is the structured callout every dimension pairs
// with its own (that one draws nothing).
bool callout(P21Context& ctx, P21Walk& w, int32_t callout, int32_t item)
{
    if (w.has(callout, "STRUCTURED_DIMENSION_CALLOUT") || !firstUse(ctx, callout))
        return true;
    return mapP21Callout(ctx, w, callout, item);
}

// Maps one item; false with the walk's reason when it could not be read.
bool mapItem(P21Context& ctx, P21Walk& w, int32_t index, bool& known)
{
    known = true;
    if (ctx.data.instances[static_cast<size_t>(index)].complex) {
        if (w.has(index, "ANNOTATION_OCCURRENCE"))
            return !firstUse(ctx, index) || mapP21Annotation(ctx, w, index);
        if (w.has(index, "DRAUGHTING_CALLOUT"))
            return callout(ctx, w, index, index);
        known = false;
        return true;
    }
    const std::string_view name = w.simpleName(index);
    if (name == "STYLED_ITEM") {
        const P21List styled = w.entity(index, "STYLED_ITEM");
        const int32_t target = w.target(styled.at(styled.size() - 1));
        if (!w.ok() || !w.has(target, "DRAUGHTING_CALLOUT"))
            return w.fail(QStringLiteral("スタイル付き項目が寸法・引出線を指していません"));
        return callout(ctx, w, target, index);
    }
    known = name == "AXIS2_PLACEMENT_2D" || name == "PLANAR_BOX" || name == "DRAUGHTING_CONTRACT_ASSIGNMENT";
    return true;
}

}  // namespace

bool mapP21Items(P21Context& ctx, const P21List& items)
{
    for (const P21Value& v : items) {
        if (v.kind != P21Kind::Reference)
            return false;
        if (ctx.spent())
            return true;
        const int32_t index = ctx.data.find(v.integer());
        if (index < 0)
            continue;  // the schema check names the missing instance
        const P21Instance& at = ctx.data.instances[static_cast<size_t>(index)];
        P21Walk w = ctx.walk();
        bool known = true;
        if (!mapItem(ctx, w, index, known)) {
            ctx.report.error("P21_FEATURE", &at, QStringLiteral("%1 を図形として読めません：%2").arg(p21Name(at), w.why()));
        } else if (!known) {
            ctx.report.error("P21_ITEM", &at,
                QStringLiteral("%1 は図面や部品の項目として読める種類ではありません").arg(p21Name(at)));
        }
    }
    return true;
}

}  // namespace sxf
