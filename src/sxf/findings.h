// What a reader or the rule checks found wrong in an SXF file.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace sxf {

enum class Severity : uint8_t { Error, Warning };

// One finding. `code` is the official SXF error code where the official
// library has one for the fault (SXFERRORCOLOUR, SXFEUNSETLAYER, ...), and a
// code of this system's own, beginning with "SFC_", for faults of the record
// form that only a reader sees (the SFC reader's are listed in
// sfc_reader.h). `message` is a short Japanese description in plain words:
// what was expected and what was found.
struct Finding {
    Severity severity = Severity::Error;
    QString code;
    int32_t line = 0;     // 1-based line in the file, 0 when none applies
    int32_t feature = 0;  // feature number (#n), 0 when none applies
    QString message;
};

using Findings = std::vector<Finding>;

// Whether any of `findings` is an error.
bool hasError(const Findings& findings);

}  // namespace sxf
