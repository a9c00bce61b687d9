// Where a batch puts its converted files: the output-folder choice of the
// window (or of the headless batch) and the destination name of each source.
#pragma once

#include <QString>

#include <functional>

namespace frontend {

// The five output choices, in the order of the radio buttons and of lines 5
// to 9 of the settings file.
enum class OutputChoice { Desktop = 0, Documents = 1, BesideSource = 2, Specified = 3, AskEachTime = 4 };

// The choice for an index as SettingsFile::outputChoice() gives it; -1 (no
// radio button selected) and any other index outside 0-4 ask each time.
OutputChoice outputChoiceFromIndex(int index);

// The settled destination of one batch: either beside each source or one
// folder that ends with a path separator.
struct OutputTarget {
    bool besideSource = false;
    QString folder;
};

// The system folders a batch may write to, as the platform reports them.
struct SystemFolders {
    QString desktop;
    QString documents;
};

// The result of settling the output folder without asking the user.
struct SettledOutput {
    enum class Status { Ready, MissingFolder, MustAsk };
    Status status = Status::MustAsk;
    OutputTarget target;  // valid when Ready
    QString folder;       // the folder tested, for the message when MissingFolder
};

// Settles the output folder for `choice`. Desktop, documents and Specified
// take their folder (the system's, or `specifiedFolder`) with a separator
// appended, and are MissingFolder when that folder does not exist or the
// folder's text is empty (its lone separator names the root folder, which
// the user never chose): a new account or a server may have no desktop
// folder. AskEachTime gives MustAsk.
SettledOutput settleOutput(OutputChoice choice, const QString& specifiedFolder, const SystemFolders& folders);

// The folder shown under the choice that asks at every batch until the user
// has chosen one: the program folder `programDir` when it can be written,
// the layout Jw_cad users know. An installed program's folder cannot, and
// offering it would start the first batch where nobody can save: then the
// documents folder, with a separator appended (the program folder still
// when the system names no documents folder).
QString defaultAskFolder(const QString& programDir, bool programDirWritable, const QString& documentsFolder);

// The message shown when the output folder does not exist, whatever the
// choice that named it.
QString missingFolderMessage(const QString& folder);

// The destination of `source`: the source path itself when beside the
// source, else the folder followed by the source's file name, with its
// extension replaced by ".sfc" and made unique by UniqueFileName. Returns the
// empty text when no free name is left (or the path is invalid): the caller
// must then not start the worker, which would delete an existing file.
// `isTaken` decides whether a name is in use; empty means "a file exists".
QString destinationFor(const QString& source, const OutputTarget& target,
                       const std::function<bool(const QString&)>& isTaken = {});

}  // namespace frontend
