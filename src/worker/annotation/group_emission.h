// Writing the curve-attribute groups of one scope as annotation features:
// each group goes to the first recogniser that takes it, and its emitter
// writes one dimension, label, balloon or polyline feature and marks the
// members it used consumed.
#pragma once

#include "worker/annotation/group_recognizer.h"
#include "worker/convert/conversion_context.h"
#include "worker/convert/member_consumption.h"

#include <cstdint>

namespace annotation {

// Examines every group of scope `bln` (a block definition index, or -1 for
// the drawing, whose groups are then taken by the layer group `lgp` of their
// first member) and writes each recognised one through ctx.f under placement
// `p`, in table order. The recognisers are tried in the order diameter,
// radius, curve, angular, linear, balloon, leader, polyline; a group that
// none takes writes nothing and keeps its members for the ordinary
// conversion. The members a written feature used are marked through
// `consume`; `recognizer` must read the drawing that `consume` marks.
void procSfcDataCrvAttr(convert::ConversionContext& ctx, GroupRecognizer& recognizer,
    const convert::MemberConsumption& consume, int32_t bln, int32_t lgp, const convert::Placement& p);

} // namespace annotation
