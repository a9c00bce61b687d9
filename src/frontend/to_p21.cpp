// SFC files converted to P21 in the front-end's own process.
#include "frontend/to_p21.h"

#include "common/file_ops.h"
#include "common/path_names.h"
#include "frontend/batch_runner.h"
#include "sxf/p21_writer.h"
#include "sxf/sfc_file.h"
#include "sxf/sfc_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace frontend {

namespace {

const char kUsage[] = "usage: Kestrune --to-p21 [--out DIR] [--] FILE.sfc...\n";

const QString kNotSfcReason = QStringLiteral("SFCファイルではありません");
const QString kUnreadableReason = QStringLiteral("変換元のファイルを読み込めません");
const QString kDestinationExistsReason = QStringLiteral("保存先に同じ名前のファイルがあります");
const QString kCannotWriteReason = QStringLiteral("保存先に書き込めません");

struct ToP21Options {
    QString outFolder;  // empty: beside each file
    QStringList files;
};

void writeLine(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

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
            if (++i >= args.size() || args[i].isEmpty())
                return QStringLiteral("--out needs a folder");
            options.outFolder = common::IncludeDelim(QDir::toNativeSeparators(QFileInfo(args[i]).absoluteFilePath()));
        } else {
            return QStringLiteral("unknown option ") + arg;
        }
    }
    if (options.files.isEmpty())
        return QStringLiteral("no files given");
    return std::nullopt;
}

// The outcome of one file; `leftOut` receives the findings of features the
// writer could not write.
FileOutcome convertOne(const QString& src, const QString& dst, sxf::Findings& leftOut)
{
    if (!common::FileExistsSafe(src))
        return {kFailed, QFileInfo::exists(src) ? kNotRegularSourceReason : kNoSourceReason};
    QFile file(src);
    if (!file.open(QIODevice::ReadOnly))
        return {kFailed, kUnreadableReason};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {kFailed, kUnreadableReason};
    const sxf::ReadResult read = sxf::readSfc(bytes);
    // Text without a header and without a single feature is no drawing at
    // all: writing it would make an empty delivery file.
    const bool noHeader = std::any_of(read.findings.begin(), read.findings.end(),
                                      [](const sxf::Finding& f) { return f.code == u"SFC_HEADER"; });
    if (noHeader && read.drawing.features.empty())
        return {kFailed, kNotSfcReason};
    if (dst.isEmpty())
        return {kFailed, kNoFreeNameReason};
    sxf::P21Options options;
    options.fileName = common::ExtractName(dst);
    const sxf::SfcFileResult result = sxf::writeSfcFile(dst, [&](sxf::SfcWriter& f) {
        sxf::writeP21(read.drawing, [&f](std::string_view piece) { f.writeBytes(piece); }, options, &leftOut);
    });
    switch (result) {
    case sxf::SfcFileResult::Written: return {kConverted, {}};
    case sxf::SfcFileResult::DestinationExists: return {kFailed, kDestinationExistsReason};
    case sxf::SfcFileResult::CannotWrite: break;
    }
    return {kFailed, kCannotWriteReason};
}

// The P21 file for `src`: beside it or in `folder`, with a free name.
QString destinationOf(const QString& src, const QString& folder)
{
    const QString base = folder.isEmpty() ? src : folder + common::ExtractName(src);
    const QString dst = common::ReplaceExt(base, u".p21");
    return dst.isEmpty() ? QString() : common::UniqueFileName(dst);
}

}  // namespace

int runToP21(const QStringList& args, std::FILE* out, std::FILE* err)
{
    ToP21Options options;
    if (const auto error = parseOptions(args, options)) {
        writeLine(err, QStringLiteral("Kestrune: ") + *error);
        std::fputs(kUsage, err);
        return 2;
    }
    if (!options.outFolder.isEmpty() && !common::DirExistsSafe(options.outFolder)) {
        writeLine(err, QStringLiteral("Kestrune: ") +
                           missingFolderMessage(options.outFolder).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        return 1;
    }
    BatchResult result;
    result.files = int(options.files.size());
    for (const QString& file : options.files) {
        const QString src = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
        const QString dst = destinationOf(src, options.outFolder);
        writeLine(out, src);
        writeLine(out, kArrowPrefix + dst);
        sxf::Findings leftOut;
        const FileOutcome outcome = convertOne(src, dst, leftOut);
        writeLine(out, kResultPrefix + outcome.result);
        if (outcome.result == kConverted) {
            ++result.converted;
            if (!leftOut.empty())
                writeLine(out, QStringLiteral("　　　P21に書けない要素：%1件（最初：%2）")
                                   .arg(leftOut.size())
                                   .arg(leftOut.front().message));
        } else {
            ++result.failed;
            writeLine(out, kReasonPrefix + outcome.reason);
        }
    }
    writeLine(out, batchSummary(result));
    return result.failed == 0 ? 0 : 1;
}

}  // namespace frontend
