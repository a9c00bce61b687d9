// Everything the window takes from outside: its program paths, the platform
// queries and the dialogs. Tests replace single members so that no dialog
// blocks and no real key or registry is read.
#pragma once

#include "frontend/output_check.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

namespace frontend {

// The files chosen in the open dialog and the filter index in use (1-based);
// no files when the user cancelled.
struct FilePick {
    QStringList files;
    int filterIndex = 1;
};

struct WindowEnvironment {
    // The front-end's own program file; the program folder is its folder
    // part.
    QString programPath;
    // The settings file the window reads and saves.
    QString settingsPath;
    // The worker program started for each file.
    QString workerPath;
    // Whether the program folder can be written (common::fileLocations
    // decides): an installed program's cannot.
    bool programFolderWritable = true;

    std::function<QString()> jwwOpenCommand;
    std::function<QString()> desktopFolder;
    std::function<QString()> documentsFolder;
    std::function<bool()> escapeKeyHeld;
    // Shows a message with an OK button and returns when it is closed.
    std::function<void(QWidget* parent, const QString& text)> showMessage;
    // The multi-select open dialog: initial folder, filter index (1-based).
    std::function<FilePick(QWidget* parent, const QString& initialFolder, int filterIndex)> pickFiles;
    // A folder dialog with `caption`; the chosen folder, empty on cancel.
    std::function<QString(QWidget* parent, const QString& caption, const QString& initialFolder)> pickFolder;
    // Checks a converted file when the setting asks for it; called on a
    // thread of its own. Empty: files are not checked.
    std::function<OutputCheck(const QString& path)> checkFile;

    // The running program's paths with the real platform and dialogs.
    static WindowEnvironment system();
    // The same services for a program file at `programPath`, with the worker
    // beside it and the settings file where common::fileLocations puts it.
    static WindowEnvironment forProgram(const QString& programPath);
};

// The real dialogs behind pickFiles and pickFolder, built but not run (tests
// look at them): the open dialog "変換元ファイルを指定" for several existing
// .jww files (or .sfc files to show, the second filter), and a folder dialog with `caption`. Both start in
// `initialFolder` and list files in detail at a size that shows every column.
std::unique_ptr<QFileDialog> makeOpenDialog(QWidget* parent, const QString& initialFolder, int filterIndex);
std::unique_ptr<QFileDialog> makeFolderDialog(QWidget* parent, const QString& caption, const QString& initialFolder);

// Installs Qt's own Japanese texts (from the toolkit's translations folder)
// into the application, once. Does nothing without an application object or
// when the translations are not installed.
void installQtTranslations();

}  // namespace frontend
