// What "Kestrune --help", "Kestrune --version" and "Kestrune --batch --help"
// print. They need no display: the program answers them before any window
// exists.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace frontend {

// True for the first arguments that ask for help or the version instead of
// the window: "--help", "-h", "--version".
bool isInfoOption(const char* firstArgument);

// Answers a request for help or the version in `args` (the arguments after
// the program path): "--help", "-h" or "--version" as the first argument,
// or "--help" / "-h" among the options of "--batch", "--to-p21" or
// "--check" (before a "--"). Writes
// the text to `out` in UTF-8 and returns 0; returns nothing for any other
// command line. `programDir` is the folder of the programs, used to show
// where the settings file and the worker are.
std::optional<int> answerInfoRequest(const QStringList& args, const QString& programDir, std::FILE* out);

// The usage text: the ways to start the program, the options of the batch,
// its exit statuses, the names it gives, and where the settings file is for
// programs in `programDir`.
QString usageText(const QString& programDir);

// "Kestrune 1.10".
QString versionText();

}  // namespace frontend
