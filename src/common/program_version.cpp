// The version comes from the build (CMake's project version), so the
// programs and the package cannot drift apart.
#include "common/program_version.h"

namespace common {

QString programVersion()
{
    return QStringLiteral(KESTRUNE_VERSION);
}

}  // namespace common
