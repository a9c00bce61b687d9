// Where the settings file and the image folder live. Both programs follow
// this one rule so that the worker always reads the file the front-end wrote.
#pragma once

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

// Creates a new, uniquely named folder inside `parent` (made first when
// missing) for one run's files, so that runs at the same time never share
// one. Returns its path with a trailing separator, or the empty text when
// it cannot be made.
QString makeRunFolder(const QString& parent);

}  // namespace common
