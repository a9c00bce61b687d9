// Windows: Jw_cad installs into c:\jww unless told otherwise.
#include "worker/platform.h"

namespace worker {

QStringList fixedJwSettingsFiles()
{
    return {QStringLiteral("c:\\jww\\Jw_win.jwf")};
}

}  // namespace worker
