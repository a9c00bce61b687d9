// A copy of the built worker in a folder of the test's own, laid out as it is
// installed, for tests that need a program folder they may write to or take
// away.
#pragma once

#include <QString>

namespace testsupport {

// Copies the worker into `root`/bin/ and its image codec module into the
// module's folder relative to that (on Linux `root`/lib/kestrune/), so that
// the copy reads images like the installed worker. Returns the program
// folder with a trailing separator, or an empty string when a copy fails.
// `root` must be a folder the test owns: the module lands outside bin/.
// Without `withCodec`, only the worker is copied, as a broken installation
// would leave it.
QString copyWorker(const QString& root, bool withCodec = true);

}  // namespace testsupport
