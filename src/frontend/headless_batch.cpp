// The headless batch: command line, output folder, settings, conversion.
#include "frontend/headless_batch.h"

#include "common/file_locations.h"
#include "common/path_names.h"
#include "common/settings_file.h"
#include "frontend/batch_queue.h"
#include "frontend/batch_runner.h"
#include "frontend/command_options.h"
#include "frontend/jww_folder.h"
#include "frontend/platform.h"
#include "frontend/worker_launch.h"

#include <QThread>

#include <algorithm>
#include <optional>

namespace frontend {

namespace {

const char kUsage[] =
    "usage: Kestrune --batch [--out DIR | --beside] [--format sfc|p21|both] [--jobs N] [--no-check]\n"
    "                        [--] FILE...\n";

struct HeadlessOptions {
    std::optional<OutputChoice> override;
    QString outFolder;
    std::optional<int> jobs;
    std::optional<OutputFormat> format;
    bool noCheck = false;
    QStringList files;
};

// The forms "--format" names.
std::optional<OutputFormat> parseFormat(const QString& text)
{
    if (text == u"sfc")
        return OutputFormat::Sfc;
    if (text == u"p21")
        return OutputFormat::P21;
    if (text == u"both")
        return OutputFormat::Both;
    return std::nullopt;
}

// A count of workers: ASCII digits only (no sign, no blanks), at least 1,
// within int.
std::optional<int> parseJobs(const QString& text)
{
    if (text.isEmpty() || std::any_of(text.begin(), text.end(), [](QChar c) { return c < u'0' || c > u'9'; }))
        return std::nullopt;
    bool ok = false;
    const int jobs = text.toInt(&ok);
    if (!ok || jobs < 1)
        return std::nullopt;
    return jobs;
}

// Parses the arguments after "--batch"; an error text when they are wrong.
std::optional<QString> parseOptions(const QStringList& args, HeadlessOptions& options)
{
    bool filesOnly = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (filesOnly || !arg.startsWith(QStringLiteral("--"))) {
            options.files.append(arg);
        } else if (arg == u"--") {
            filesOnly = true;
        } else if (arg == u"--no-check") {
            options.noCheck = true;
        } else if (arg == u"--jobs") {
            if (options.jobs)
                return QStringLiteral("give --jobs at most once");
            options.jobs = ++i < args.size() ? parseJobs(args[i]) : std::nullopt;
            if (!options.jobs)
                return QStringLiteral("--jobs needs a whole number of at least 1");
        } else if (arg == u"--format") {
            if (options.format)
                return QStringLiteral("give --format at most once");
            options.format = ++i < args.size() ? parseFormat(args[i]) : std::nullopt;
            if (!options.format)
                return QStringLiteral("--format needs sfc, p21 or both");
        } else if (arg == u"--out" || arg == u"--beside") {
            if (options.override)
                return QStringLiteral("give at most one of --out and --beside");
            if (arg == u"--beside") {
                options.override = OutputChoice::BesideSource;
                continue;
            }
            if (const auto error = takeOutFolder(args, i, options.outFolder))
                return error;
            options.override = OutputChoice::Specified;
        } else {
            return QStringLiteral("unknown option ") + arg;
        }
    }
    if (options.files.isEmpty())
        return QStringLiteral("no files given");
    return std::nullopt;
}

}  // namespace

int defaultJobs()
{
    return std::max(QThread::idealThreadCount(), 1);
}

int runHeadlessBatch(const QStringList& args, const QString& programPath, std::FILE* out, std::FILE* err)
{
    HeadlessOptions options;
    if (const auto error = parseOptions(args, options))
        return usageError(err, *error, kUsage);
    const QString programDir = common::ExtractDir(programPath);
    const common::FileLocations where = common::fileLocations(programDir);
    const QString settingsPath = where.settingsFile;
    common::SettingsFile settings(defaultAskFolder(programDir, where.portable, documentsFolder()));
    settings.read(settingsPath, false);
    settings.JwwPath = jwwFolderFromProgram(programFromOpenCommand(jwwOpenCommand()));

    const OutputChoice choice = options.override.value_or(outputChoiceFromIndex(settings.outputChoice()));
    const QString specified = options.override ? options.outFolder : settings.ed1;
    SettledOutput settled = settleOutput(choice, specified, {desktopFolder(), documentsFolder()});
    const OutputFormat format = options.format.value_or(outputFormatFromIndex(settings.outputFormat));
    settled.target.format = format;
    if (settled.status == SettledOutput::Status::MustAsk) {
        writeLine(err, QStringLiteral("Kestrune: the saved output choice asks for a folder at every batch; "
                                      "give --out DIR or --beside"));
        return kExitUsage;
    }

    const QStringList named = filesWithTheirNames(options.files, err);
    BatchQueue queue;
    const int picked = queue.addArrival(named);
    for (const QString& file : named) {
        if (!BatchQueue::PickupFile(file))
            writeLine(err, QStringLiteral("Kestrune: skipped, not an existing .jww file: ") + file);
    }
    if (picked == 0)
        return kExitSomeFailed;
    if (settled.status == SettledOutput::Status::MissingFolder) {
        writeLine(err, oneLine(missingFolderMessage(settled.folder)));
        return kExitSomeFailed;
    }

    // The worker reads its options from the settings file: save it before
    // the first file, with the user's own choices (an override is for this
    // run only). Without it the workers would convert with options that are
    // not the user's, or with none: nothing is converted.
    if (!settings.write(settingsPath)) {
        writeLine(err, oneLine(settingsNotSavedMessage(settingsPath)));
        return kExitSomeFailed;
    }

    BatchHooks hooks;
    hooks.log = [out](const QString& line) { writeLine(out, line); };
    if (settings.checkOutput && !options.noCheck)
        hooks.checkOutput = &checkWrittenFile;
    const QString workerPath = programDir + workerFileName();
    const int jobs = options.jobs.value_or(defaultJobs());
    BatchResult result;
    // One at a time is the window's own loop, worker after worker.
    if (jobs == 1) {
        hooks.convert = [&workerPath, format](const QString& src, const QString& dst) {
            return RunProc1(workerPath, src, destinationsOf(dst, format));
        };
        result = runBatch(queue.takeNext(), settled.target, hooks);
    } else {
        // Workers at once take turns to name their image files, so that the
        // names are those of one file after another.
        hooks.startConvert = [&workerPath, format](const QString& src, const QString& dst, WorkerRun::Done done) {
            return std::make_unique<WorkerRun>(workerPath, src, destinationsOf(dst, format), std::move(done),
                                               WorkerRun::Options{true, {}});
        };
        result = runBatchJobs(queue.takeNext(), settled.target, hooks, jobs);
    }
    const bool allConverted = result.failed == 0 && !result.stopped && picked == options.files.size();
    return allConverted ? kExitAllConverted : kExitSomeFailed;
}

}  // namespace frontend
