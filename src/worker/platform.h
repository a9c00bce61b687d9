// What the worker asks of the platform beyond Qt.
#pragma once

#include <QStringList>

namespace worker {

// Fixed places where Jw_cad keeps its settings file on this platform, tried
// after the worker's folder and the Jw_cad folder of the settings: Jw_cad's
// default installation folder on Windows, none elsewhere.
QStringList fixedJwSettingsFiles();

}  // namespace worker
