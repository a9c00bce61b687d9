// What the rule groups share: the drawing being checked, the tolerances, the
// findings collected so far and the value tests of the official library.
// Internal to the rule check.
#pragma once

#include "sxf/drawing.h"
#include "sxf/finding_sink.h"
#include "sxf/rule_check.h"

#include <QString>

namespace sxf {

class RuleContext {
public:
    RuleContext(const Drawing& drawing, const CheckOptions& options, FindingSink& out)
        : drawing(drawing), options(options), m_out(out)
    {
    }

    void error(const char* code, const Origin& at, const QString& message);
    void warning(const char* code, const Origin& at, const QString& message);
    // SXFNAMELENGTH (a warning) when `text` takes more than 256 bytes in
    // code page 932: a reader keeps only that much of it.
    void nameLength(const Origin& at, const QString& text);

    const Drawing& drawing;
    const CheckOptions& options;

private:
    FindingSink& m_out;
};

// Whether `degrees` lies within 0..360, both included.
bool angleInRange(double degrees);

// `v` as the shortest text that reads back as the same value.
QString num(double v);

// The Origin of any feature in Drawing::features.
const Origin& originOf(const Drawing& drawing, FeatureRef ref);

// The Origin of an assembly record.
const Origin& originOf(const Drawing& drawing, AssemblyRef ref);

// The members of an assembly record, as its struct keeps them.
FeatureRange membersOf(const Drawing& drawing, AssemblyRef ref);

// The rule groups; each adds its findings to the context.
void checkHeader(RuleContext& c);
void checkTables(RuleContext& c);
void checkFeatureValues(RuleContext& c);
void checkAssemblies(RuleContext& c);

}  // namespace sxf
