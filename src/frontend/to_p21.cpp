// SFC files converted to P21 in the front-end's own process.
#include "frontend/to_p21.h"

#include "common/file_ops.h"
#include "common/file_read.h"
#include "common/path_names.h"
#include "common/worker_protocol.h"
#include "frontend/batch_runner.h"
#include "frontend/command_options.h"
#include "sxf/p21_writer.h"
#include "sxf/sfc_file.h"
#include "sxf/sfc_reader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace frontend {

namespace {

const char kUsage[] = "usage: Kestrune --to-p21 [--out DIR] [--] FILE.sfc...\n";

const QString kNotSfcReason = QStringLiteral("SFCファイルではありません");
const QString kUnreadableReason = QStringLiteral("変換元のファイルを読み込めません");
const QString kCannotWriteReason = QStringLiteral("保存先に書き込めません");

struct ToP21Options {
    QString outFolder;  // empty: beside each file
    QStringList files;
};

std::optional<QString> parseOptions(const QStringList& args, ToP21Options& options)
{
    bool filesOnly = false;
    bool outGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (filesOnly || !arg.startsWith(QStringLiteral("--"))) {
            options.files.append(arg);
        } else if (arg == u"--") {
            filesOnly = true;
        } else if (arg == u"--out") {
            if (outGiven)
                return QStringLiteral("give --out at most once");
            outGiven = true;
            if (const auto error = takeOutFolder(args, i, options.outFolder))
                return error;
            options.outFolder = common::IncludeDelim(options.outFolder);
        } else {
            return QStringLiteral("unknown option ") + arg;
        }
    }
    if (options.files.isEmpty())
        return QStringLiteral("no files given");
    return std::nullopt;
}

// The drawing in the SFC file `src`, or the outcome of a file that holds
// none.
std::optional<FileOutcome> readDrawing(const QString& src, sxf::ReadResult& read)
{
    if (!common::FileExistsSafe(src))
        return FileOutcome{kFailed, common::NameTaken(src) ? kNotRegularSourceReason : kNoSourceReason};
    QByteArray bytes;
    if (common::ReadRegularFile(src, bytes) != common::ReadFailure::None)
        return FileOutcome{kFailed, kUnreadableReason};
    read = sxf::readSfc(bytes);
    // Text without a header and without a single feature is no drawing at
    // all: writing it would make an empty delivery file.
    const bool noHeader = std::any_of(read.findings.begin(), read.findings.end(),
                                      [](const sxf::Finding& f) { return f.code == u"SFC_HEADER"; });
    if (noHeader && read.drawing.features.empty())
        return FileOutcome{kFailed, kNotSfcReason};
    return std::nullopt;
}

// Converts `src` into the P21 file `dst`. A file the writer had to leave
// features out of says how many in the note of its outcome.
FileOutcome convertOne(const QString& src, const QString& dst)
{
    sxf::ReadResult read;
    if (const std::optional<FileOutcome> failed = readDrawing(src, read))
        return *failed;
    sxf::Findings leftOut;
    switch (sxf::writeSfcFile(dst, sxf::p21FileBody(read.drawing, dst, &leftOut))) {
    case sxf::SfcFileResult::Written:
        break;
    case sxf::SfcFileResult::DestinationExists:
        return {kFailed, common::kDestinationExistsReason};
    case sxf::SfcFileResult::CannotWrite:
        return {kFailed, kCannotWriteReason};
    }
    if (leftOut.empty())
        return {kConverted, {}};
    return {kConverted,
            QStringLiteral("P21に書けない要素：%1件（最初：%2）").arg(leftOut.size()).arg(leftOut.front().message)};
}

}  // namespace

int runToP21(const QStringList& args, std::FILE* out, std::FILE* err)
{
    ToP21Options options;
    if (const auto error = parseOptions(args, options))
        return usageError(err, *error, kUsage);
    if (!options.outFolder.isEmpty() && !common::DirExistsSafe(options.outFolder)) {
        writeLine(err, QStringLiteral("Kestrune: ") + oneLine(missingFolderMessage(options.outFolder)));
        return 1;
    }
    QStringList files;
    for (const QString& file : filesWithTheirNames(options.files, err))
        files.append(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
    if (files.isEmpty())
        return 1;
    // The batch's own loop: the same log, names chosen as it chooses them
    // (never replacing a file), and the next free name when another program
    // takes the name meanwhile.
    OutputTarget target;
    target.besideSource = options.outFolder.isEmpty();
    target.folder = options.outFolder;
    target.format = OutputFormat::P21;
    BatchHooks hooks;
    hooks.log = [out](const QString& line) { writeLine(out, line); };
    hooks.convert = convertOne;
    const BatchResult result = runBatch(files, target, hooks);
    return result.failed == 0 && files.size() == options.files.size() ? 0 : 1;
}

}  // namespace frontend
