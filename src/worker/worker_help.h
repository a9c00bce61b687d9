// What "Ondrelle --help" and "Ondrelle --version" print.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace worker {

// Answers "--help", "-h" or "--version" given as the only argument (`args`
// without the program path): writes the usage or the version to `out` in
// UTF-8 and returns 0. Returns nothing for any other command line, which is
// then a conversion. `exeDir` is the worker's folder, used to show where the
// settings file is.
std::optional<int> answerInfoRequest(const QStringList& args, const QString& exeDir, std::FILE* out);

}  // namespace worker
