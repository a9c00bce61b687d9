// The entities of AP202 that SXF drawings use (and SXF's own CLOTHOID), with
// their attribute counts, and the schema check the official reader makes of
// every instance.
#pragma once

#include "sxf/p21_data.h"
#include "sxf/p21_report.h"

#include <string_view>

namespace sxf {

struct P21EntityShape {
    std::string_view name;
    int all;  // attributes of a simple instance, inherited ones included
    int own;  // attributes of the entity's own part in a complex instance
};

// The entity named `name` (upper case), or null when it is none of them.
const P21EntityShape* p21Entity(std::string_view name);

// Warnings, as the official reader's schema check gives them (it never
// refuses a file for them): an entity it does not know (P21_UNKNOWN_ENTITY),
// a record with the wrong number of attributes (P21_ATTRIBUTE_COUNT: a simple
// instance counts every attribute, a part of a complex instance only its
// own), a reference to an instance the file does not have
// (P21_UNRESOLVED_REFERENCE). `data` must have its numbers indexed.
void checkP21Schema(const P21Data& data, P21Report& report);

}  // namespace sxf
