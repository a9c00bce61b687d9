// The real platform services and dialogs behind WindowEnvironment.
#include "frontend/window_environment.h"

#include "common/file_locations.h"
#include "common/path_names.h"
#include "frontend/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>
#include <QTreeView>

namespace frontend {

namespace {

const QString kOpenTitle = QStringLiteral("変換元ファイルを指定");
const QString kJwwFilter = QStringLiteral("Jw_cad 図面ファイル (*.jww)");
const QString kSfcFilter = QStringLiteral("SXFファイル (*.sfc *.p21)");
const QSize kDialogSize(760, 460);

void showDetails(QFileDialog& dialog);

FilePick runOpenDialog(QWidget* parent, const QString& initialFolder, int filterIndex)
{
    const std::unique_ptr<QFileDialog> dialog = makeOpenDialog(parent, initialFolder, filterIndex);
    FilePick pick;
    pick.filterIndex = filterIndex;
    if (dialog->exec() != QDialog::Accepted)
        return pick;
    for (const QString& file : dialog->selectedFiles())
        pick.files.append(QDir::toNativeSeparators(file));
    pick.filterIndex = int(dialog->nameFilters().indexOf(dialog->selectedNameFilter())) + 1;
    if (pick.filterIndex < 1)
        pick.filterIndex = filterIndex;
    return pick;
}

QString runFolderDialog(QWidget* parent, const QString& caption, const QString& initialFolder)
{
    const std::unique_ptr<QFileDialog> dialog = makeFolderDialog(parent, caption, initialFolder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog->selectedFiles().first());
}

// Both dialogs list files with their size, kind and date, at a size that
// shows those columns beside a readable name.
void showDetails(QFileDialog& dialog)
{
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(kDialogSize);
    // Qt's own dialog gives the size, kind and date columns fixed widths that
    // cut Japanese kinds and dates short; once a folder is listed, they take
    // the width of what they show. A native dialog has no such children.
    auto* model = dialog.findChild<QFileSystemModel*>();
    auto* list = dialog.findChild<QTreeView*>();
    if (!model || !list)
        return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, list, [list] {
        for (int column = 1; column < list->header()->count(); ++column)
            list->resizeColumnToContents(column);
    });
}

void runMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text);
}

}  // namespace

std::unique_ptr<QFileDialog> makeOpenDialog(QWidget* parent, const QString& initialFolder, int filterIndex)
{
    auto dialog = std::make_unique<QFileDialog>(parent, kOpenTitle, initialFolder);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters{kJwwFilter, kSfcFilter};
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.value(filterIndex - 1, filters.first()));
    // The name box starts with one ideographic space rather than a name.
    dialog->selectFile(QStringLiteral("　"));
    showDetails(*dialog);
    return dialog;
}

std::unique_ptr<QFileDialog> makeFolderDialog(QWidget* parent, const QString& caption, const QString& initialFolder)
{
    auto dialog = std::make_unique<QFileDialog>(parent, caption, initialFolder);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    showDetails(*dialog);
    return dialog;
}

void installQtTranslations()
{
    // The window speaks Japanese whatever the system's language, so Qt's
    // own texts (dialog buttons and labels) follow it, not the locale.
    static QPointer<QTranslator> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || installed)
        return;
    auto* translator = new QTranslator(app);
    if (!translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

WindowEnvironment WindowEnvironment::forProgram(const QString& programPath)
{
    WindowEnvironment env;
    env.programPath = programPath;
    const common::FileLocations where = common::fileLocations(common::ExtractDir(programPath));
    env.settingsPath = where.settingsFile;
    env.programFolderWritable = where.portable;
    env.workerPath = common::ExtractDir(programPath) + workerFileName();
    env.jwwOpenCommand = &frontend::jwwOpenCommand;
    env.desktopFolder = &frontend::desktopFolder;
    env.documentsFolder = &frontend::documentsFolder;
    env.escapeKeyHeld = &frontend::escapeKeyHeld;
    env.showMessage = &runMessage;
    env.pickFiles = &runOpenDialog;
    env.pickFolder = &runFolderDialog;
    env.checkFile = &checkWrittenFile;
    return env;
}

WindowEnvironment WindowEnvironment::system()
{
    return forProgram(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
}

}  // namespace frontend
