// The batch window's arrivals (command line, drop, file dialog), the
// output-folder dialogs and the run of each batch.
#include "frontend/main_window.h"

#include "common/command_line.h"
#include "common/path_names.h"
#include "frontend/batch_runner.h"
#include "frontend/log_lines.h"
#include "frontend/preview/drawing_file.h"
#include "frontend/preview/preview_window.h"
#include "frontend/worker_launch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QUrl>

namespace frontend {

namespace {

const QString kFolderCaption = QStringLiteral("変換後のファイルを保存するフォルダを指定して下さい");

}  // namespace

int MainWindow::FormShow(const QStringList& arguments)
{
    return arrive(arguments);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        // The URL carries the name's bytes; a name that is not UTF-8 cannot
        // become a text that names the same file, and is then passed over.
        if (url.isLocalFile())
            paths.append(common::localFileOf(url));
    }
    event->acceptProposedAction();
    WMDropFiles(paths);
}

void MainWindow::WMDropFiles(const QStringList& paths)
{
    arrive(paths);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label3Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Label3Click()
{
    if (!m_env.pickFiles)
        return;
    // Before the first pick, the user's drawings are likelier in the
    // documents folder than beside this program.
    QString folder = Label1->text();
    if (folder.isEmpty() && m_env.documentsFolder)
        folder = m_env.documentsFolder();
    const FilePick pick = m_env.pickFiles(this, folder, Fidx);
    if (pick.files.isEmpty())
        return;
    Label1->setText(common::ExtractDir(pick.files.first()));
    Fidx = pick.filterIndex;
    arrive(pick.files);
}

void MainWindow::openBrowseForFolder1()
{
    if (!m_env.pickFolder)
        return;
    const QString folder = m_env.pickFolder(this, kFolderCaption, m_browseFolder1);
    if (!folder.isEmpty())
        BrowseForFolder1Accept(folder);
}

void MainWindow::BrowseForFolder1Accept(const QString& folder)
{
    Edit1->setText(common::IncludeDelim(folder));
    m_browseFolder1 = folder;
}

void MainWindow::BrowseForFolder2Accept(const QString& folder)
{
    LabelPreFolder->setText(common::IncludeDelim(folder));
    m_browseFolder2 = folder;
}

int MainWindow::arrive(const QStringList& candidates)
{
    QStringList drawings;
    for (const QString& path : candidates) {
        if (isPreviewFile(path))
            showPreview(path);
        else
            drawings.append(path);
    }
    const int picked = m_closeRequested || drawings.isEmpty() ? 0 : m_queue.addArrival(drawings);
    if (picked == 0)
        return 0;
    // A running batch picks the new files up when it ends. Otherwise the
    // batch starts from the event loop, so that the handler that brought the
    // files (a drop holds its source application) returns at once.
    if (!m_running && !m_runScheduled) {
        m_runScheduled = true;
        QMetaObject::invokeMethod(this, &MainWindow::runQueuedBatches, Qt::QueuedConnection);
    }
    return picked;
}

void MainWindow::showPreview(const QString& path)
{
    openPreview(path, [this](const QString& text) {
        if (m_env.showMessage)
            m_env.showMessage(this, text);
    });
}

void MainWindow::ListBox1DblClick(QListWidgetItem* item)
{
    QStringList lines;
    for (int i = 0; i < ListBox1->count(); ++i)
        lines.append(ListBox1->item(i)->text());
    const QString path = destinationOfLogLine(lines, ListBox1->row(item));
    if (!path.isEmpty())
        showPreview(path);
}

void MainWindow::runQueuedBatches()
{
    m_runScheduled = false;
    if (m_running)
        return;
    m_running = true;
    while (!m_closeRequested && !m_queue.isEmpty()) {
        FList = m_queue.takeNext();
        RunProc();
    }
    m_running = false;
    if (m_closeRequested) {
        close();
        return;
    }
    emit batchesFinished();
}

void MainWindow::RunProc()
{
    if (FList.isEmpty())
        return;
    const std::optional<OutputTarget> target = settleOutputFolder();
    if (!target)
        return;
    // The worker takes this batch's options from the settings file: without
    // it written, it would convert with options the user did not choose.
    if (!SaveDatFile(m_settingsPath)) {
        if (m_env.showMessage)
            m_env.showMessage(this, settingsNotSavedMessage(m_settingsPath));
        return;
    }
    ListBox1->clear();
    // The log is what a running batch has to show.
    PageControl1->setCurrentWidget(TabSheet2);
    BatchHooks hooks;
    hooks.log = [this](const QString& line) { log(line); };
    hooks.starting = [this](int number, int count, const QString& src) {
        m_statusText->setText(QStringLiteral("%1 / %2　%3").arg(number).arg(count).arg(common::ExtractName(src)));
        emit batchFileStarted(number, count);
    };
    hooks.escapeHeld = m_env.escapeKeyHeld;
    hooks.stopRequested = [this] { return m_closeRequested; };
    OutputTarget formatted = *target;
    formatted.format = outputFormatFromIndex(ComboBox5->currentIndex());
    hooks.convert = [this, &formatted](const QString& src, const QString& dst) {
        return RunProc1(m_env.workerPath, src, destinationsOf(dst, formatted.format));
    };
    if (CheckBox1->isChecked())
        hooks.checkOutput = m_env.checkFile;
    runBatch(FList, formatted, hooks);
    m_statusText->setText(kStatusNote);
}

std::optional<OutputTarget> MainWindow::settleOutputFolder()
{
    const SystemFolders folders{
        m_env.desktopFolder ? m_env.desktopFolder() : QString(),
        m_env.documentsFolder ? m_env.documentsFolder() : QString(),
    };
    const int checked = m_outputButtons->checkedId();
    const SettledOutput settled = settleOutput(outputChoiceFromIndex(checked), Edit1->text(), folders);
    switch (settled.status) {
    case SettledOutput::Status::Ready:
        return settled.target;
    case SettledOutput::Status::MissingFolder:
        if (m_env.showMessage)
            m_env.showMessage(this, missingFolderMessage(settled.folder));
        return std::nullopt;
    case SettledOutput::Status::MustAsk:
        break;
    }
    const QString folder = m_env.pickFolder ? m_env.pickFolder(this, kFolderCaption, m_browseFolder2) : QString();
    if (folder.isEmpty())
        return std::nullopt;
    BrowseForFolder2Accept(folder);
    return OutputTarget{false, LabelPreFolder->text()};
}

void MainWindow::log(const QString& line)
{
    auto* item = new QListWidgetItem(line, ListBox1);
    ListBox1->scrollToItem(item);
}

}  // namespace frontend
