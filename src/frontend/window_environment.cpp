// The real platform services and dialogs behind WindowEnvironment.
#include "frontend/window_environment.h"

#include "common/file_locations.h"
#include "common/path_names.h"
#include "frontend/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace frontend {

namespace {

const QString kOpenTitle = QStringLiteral("変換元ファイルを指定");
const QString kJwwFilter = QStringLiteral("Jw_cad 図面ファイル (*.jww)");

FilePick runOpenDialog(QWidget* parent, const QString& initialFolder, int filterIndex)
{
    QFileDialog dialog(parent, kOpenTitle, initialFolder);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters{kJwwFilter};
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(filterIndex - 1, filters.first()));
    // The name box starts with one ideographic space rather than a name.
    dialog.selectFile(QStringLiteral("　"));
    FilePick pick;
    pick.filterIndex = filterIndex;
    if (dialog.exec() != QDialog::Accepted)
        return pick;
    for (const QString& file : dialog.selectedFiles())
        pick.files.append(QDir::toNativeSeparators(file));
    pick.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (pick.filterIndex < 1)
        pick.filterIndex = filterIndex;
    return pick;
}

QString runFolderDialog(QWidget* parent, const QString& caption, const QString& initialFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, caption, initialFolder, QFileDialog::ShowDirsOnly);
    return QDir::toNativeSeparators(folder);
}

void runMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text);
}

}  // namespace

WindowEnvironment WindowEnvironment::forProgram(const QString& programPath)
{
    WindowEnvironment env;
    env.programPath = programPath;
    env.settingsPath = common::fileLocations(common::ExtractDir(programPath)).settingsFile;
    env.workerPath = common::ExtractDir(programPath) + workerFileName();
    env.jwwOpenCommand = &frontend::jwwOpenCommand;
    env.desktopFolder = &frontend::desktopFolder;
    env.documentsFolder = &frontend::documentsFolder;
    env.escapeKeyHeld = &frontend::escapeKeyHeld;
    env.showMessage = &runMessage;
    env.pickFiles = &runOpenDialog;
    env.pickFolder = &runFolderDialog;
    return env;
}

WindowEnvironment WindowEnvironment::system()
{
    return forProgram(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
}

}  // namespace frontend
