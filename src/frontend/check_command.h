// "Kestrune --check [--json] [--] FILE.sfc...": checks SXF files the way
// clients' checking programs do, without converting anything.
#pragma once

#include "sxf/findings.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace frontend {

// Exit statuses of the check command.
inline constexpr int kCheckNoErrors = 0;
inline constexpr int kCheckFoundErrors = 1;
inline constexpr int kCheckUsage = 2;

// The findings of the file at a path (a file that cannot be read is one
// error finding).
using FileChecker = std::function<sxf::Findings(const QString& path)>;

// Checks the files named in `args` (the arguments after "--check") with
// `checkFile`, in the order named, and writes the report to `out` in UTF-8:
// per file a line "FILE: エラーN件・警告M件", then one line per finding with
// its code, severity, feature number, line and description; with "--json"
// one JSON object {"files": [{"file", "errors", "warnings", "findings":
// [{"code", "severity", "feature", "line", "message"}]}]} instead. After
// "--" every argument is a file. Returns kCheckNoErrors when no file has an
// error, kCheckFoundErrors when any has, and kCheckUsage (with the usage on
// `err`) for an unknown option or no files.
int runCheckCommand(const QStringList& args, const FileChecker& checkFile, std::FILE* out, std::FILE* err);

}  // namespace frontend
