// The version both programs report.
#pragma once

#include <QString>

namespace common {

// The suite's version, "1.10" (the project version the build was made with).
QString programVersion();

}  // namespace common
