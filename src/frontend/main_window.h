// The batch window: output-folder choice, file drop and pick, the settings
// and the log. The batch logic lives in plain classes (BatchQueue,
// settleOutput, runBatch, RunProc1); this class binds them to the controls.
#pragma once

#include "frontend/batch_output.h"
#include "frontend/batch_queue.h"
#include "frontend/window_environment.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace common {
class SettingsFile;
}

namespace frontend {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window and runs its start-up: Jw_cad folder, settings file,
    // dialog folders, visual style, geometry. Controls carry their given
    // names as object names.
    explicit MainWindow(WindowEnvironment env, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Offers the command-line files; those picked up run as a batch once
    // control returns to the event loop. Returns the number picked up.
    int FormShow(const QStringList& arguments);
    // Selects an output choice as a click would; `specifiedFolder` fills
    // Edit1 for OutputChoice::Specified.
    void selectOutput(OutputChoice choice, const QString& specifiedFolder = {});

    const QString& jwwPath() const { return JwwPath; }
    const QString& settingsPath() const { return m_settingsPath; }
    bool isBatchRunning() const { return m_running; }

signals:
    // A file of the running batch is about to be converted: its number
    // (1-based) and the number of files in the batch.
    void batchFileStarted(int number, int count);
    // Every queued batch has run (or the queue was cut short by a close).
    void batchesFinished();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildOutputGroup();
    QWidget* buildFilePanel();
    QWidget* buildSettingsPage();
    void FormCreate();
    void applyVisualStyle();
    void fitSavedFrame();
    void FormClose();

    void WMDropFiles(const QStringList& paths);
    void Label3Click();
    void RadioButton1Click();
    void BrowseForFolder1Accept(const QString& folder);
    void BrowseForFolder2Accept(const QString& folder);
    void ComboBox1Select(int index);
    void openBrowseForFolder1();

    // Opens the drawing files (.sfc) of one arrival in preview windows and
    // queues the files picked up from the rest; returns their number.
    int arrive(const QStringList& candidates);
    void showPreview(const QString& path);
    void ListBox1DblClick(QListWidgetItem* item);
    void runQueuedBatches();
    void RunProc();
    std::optional<OutputTarget> settleOutputFolder();
    void log(const QString& line);

    void OpenDatFile(const QString& fn);
    // Writes the settings file; false when it could not be (it is then as it was).
    bool SaveDatFile(const QString& fn) const;
    void applySettings(const common::SettingsFile& s);
    common::SettingsFile collectSettings() const;
    QRadioButton* radioButton(int index) const;

    WindowEnvironment m_env;
    QString m_programDir;
    // Where the folder dialogs start when no folder is known yet, and the
    // ask-every-batch folder of a new settings file (defaultAskFolder).
    QString m_defaultFolder;
    QString m_settingsPath;
    QString JwwPath;    // Jw_cad folder with a trailing separator
    QString gstyle;     // visual style to store; applied at the next start
    int Fidx = 1;       // filter index of the open dialog
    QStringList FList;  // the batch being converted
    BatchQueue m_queue;
    QString m_browseFolder1, m_browseFolder2;
    bool m_running = false;
    bool m_runScheduled = false;
    bool m_closeRequested = false;
    bool m_shownOnce = false;
    bool m_frameFitPending = false;  // the saved size still includes a frame not known yet
    QSize m_savedFrameSize;

    QGroupBox* GroupBox1 = nullptr;
    QButtonGroup* m_outputButtons = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* LabelPreFolder = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QComboBox* ComboBox5 = nullptr;  // 出力形式: the forms each conversion writes
    QCheckBox* CheckBox1 = nullptr;  // check each converted file
    QListWidget* ListBox1 = nullptr;
    QLabel* m_statusText = nullptr;  // StatusBar1's one part
};

// The status bar's fixed note, shown whenever no batch runs.
inline const QString kStatusNote = QStringLiteral("※保存先フォルダに同じ名前のファイルが存在する場合は名前に枝番が付きます");

}  // namespace frontend
