// Where the settings file and the image folder live. Both programs follow
// this one rule so that the worker always reads the file the front-end wrote.
#pragma once

#include "common/run_folder_lock.h"

#include <QString>

namespace common {

// The settings file's name, the same for both programs.
inline const QString kSettingsFileName = QStringLiteral("Kestrune.dat");

struct FileLocations {
    // Full path of the settings file.
    QString settingsFile;
    // The folder under which each worker run makes a folder of its own for
    // the images it extracts; ends with the path separator. It may not exist.
    QString imageFolder;
    // True for the layout beside the programs.
    bool portable = false;
};

// The locations for programs in `programDir` (with or without a trailing
// separator). When that folder can be written, both files are beside the
// programs ("Kestrune.dat" and "TEMP", the layout Jw_cad users know);
// otherwise the settings file is in the user's configuration folder
// (QStandardPaths' configuration folder + "Kestrune") and the image folder
// in the user's cache folder (+ "Kestrune"). Creates nothing.
FileLocations fileLocations(const QString& programDir);

// The per-user locations on their own (what fileLocations gives for a
// folder that cannot be written).
FileLocations perUserLocations();

// True when files can be created in the folder `dir` by this process.
bool folderIsWritable(const QString& dir);

// One run's folder for the images it extracts.
struct RunFolder {
    QString path;             // with a trailing separator; empty when none could be made
    RunFolderLock lock;       // held for as long as the run lives
    bool madeParent = false;  // `parent` did not exist and was made for it
};

// Creates a new, uniquely named folder "run-XXXXXX" inside `parent` (made
// first when missing) for one run's files, so that runs at the same time
// never share one, and holds it. The path is empty when no folder can be
// made there.
RunFolder makeRunFolder(const QString& parent);

// Removes the run folders inside `parent` that no live run holds, as a run
// that was killed leaves them: the files in each, then the folder. Folders
// of live runs, folders this user may not open and everything else are
// left alone; errors are ignored.
void removeAbandonedRunFolders(const QString& parent);

}  // namespace common
