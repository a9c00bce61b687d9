// The window program: the batch window for the files on the command line,
// and a screenshot mode that renders the window after its batch.
#pragma once

#include <QStringList>

namespace frontend {

// Shows the batch window, offers it `files` and runs until it is closed.
// When every file is a drawing to show (.sfc), only their preview windows
// open; the program then ends with 1 when none of them could be shown.
// Needs a QApplication. Returns the application's exit status.
int runWindow(const QStringList& files);

// "--screenshot PNG [--out DIR | --beside] FILE...": shows the window (the
// override selects that output choice in it), converts the files, saves an
// image of the window with its log to PNG and closes. "--screenshot PNG
// FILE.sfc" saves the preview window of FILE instead. Needs a QApplication.
// Returns 0 when the image was written, 1 when it could not be, 2 for a
// malformed command line.
int runScreenshot(const QStringList& args);

}  // namespace frontend
