// Systems other than Windows have no default Jw_cad folder.
#include "worker/platform.h"

namespace worker {

QStringList fixedJwSettingsFiles()
{
    return {};
}

}  // namespace worker
