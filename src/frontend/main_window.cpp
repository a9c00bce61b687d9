// The batch window: its controls, start-up, settings binding and close.
// Arrivals and the batch itself are in main_window_batch.cpp.
#include "frontend/main_window.h"

#include "common/file_ops.h"
#include "common/path_names.h"
#include "common/settings_file.h"
#include "frontend/jww_folder.h"
#include "frontend/platform.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTabWidget>
#include <QVBoxLayout>

namespace frontend {

namespace {

const QString kTitle = QStringLiteral("JWWファイルをSFCファイルに変換 [Kestrune] Ver.1.10")
    + QChar(0x3000) + QStringLiteral("© Kestrune developers");
const QString kWindowFontFamily = QStringLiteral("ＭＳ ゴシック");
const QString kPlainStyle = QStringLiteral("Windows");

// The window's font is named for Windows; elsewhere a metric-compatible
// gothic face stands in so that Japanese text never shows as empty boxes.
QFont windowFont(int pixelSize)
{
    static const bool registered = [] {
        QFont::insertSubstitutions(kWindowFontFamily,
            {QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
        return true;
    }();
    (void)registered;
    QFont font(kWindowFontFamily);
    font.setPixelSize(pixelSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A label whose text may be longer than the room it has: it is clipped
// rather than widening the window.
QLabel* clippedLabel(const QString& text, const char* name)
{
    auto* label = named(new QLabel(text), name);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(1);
    return label;
}

QComboBox* listCombo(const QStringList& items, const char* name)
{
    auto* combo = named(new QComboBox, name);
    combo->addItems(items);
    return combo;
}

}  // namespace

MainWindow::MainWindow(WindowEnvironment env, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_env(std::move(env))
{
    installQtTranslations();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kTitle);
    setFont(windowFont(13));
    buildControls();
    watchEscapeKey();
    FormCreate();
    setAcceptDrops(true);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 0);
    column->addWidget(buildOutputGroup());
    column->addWidget(buildFilePanel());

    PageControl1 = named(new QTabWidget, "PageControl1");
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->addTab(buildSettingsPage(), QStringLiteral("設定(&S)"));
    TabSheet2 = named(new QWidget, "TabSheet2");
    auto* logLayout = new QVBoxLayout(TabSheet2);
    ListBox1 = named(new QListWidget, "ListBox1");
    ListBox1->setFont(windowFont(12));
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &MainWindow::ListBox1DblClick);
    logLayout->addWidget(ListBox1);
    PageControl1->addTab(TabSheet2, QStringLiteral("ログ(&L)"));
    column->addWidget(PageControl1, 1);
    setCentralWidget(central);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    m_statusText = clippedLabel(kStatusNote, "StatusBar1Text");
    statusBar()->addWidget(m_statusText, 1);
}

QWidget* MainWindow::buildOutputGroup()
{
    GroupBox1 = named(new QGroupBox(QStringLiteral("保存先(&F)")), "GroupBox1");
    RadioButton1 = named(new QRadioButton(QStringLiteral("デスクトップ")), "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("マイドキュメント")), "RadioButton2");
    RadioButton3 = named(new QRadioButton(QStringLiteral("元ファイルのフォルダ")), "RadioButton3");
    RadioButton4 = named(new QRadioButton(QStringLiteral("指定フォルダ")), "RadioButton4");
    RadioButton5 = named(new QRadioButton(QStringLiteral("毎回指定")), "RadioButton5");
    Edit1 = named(new QLineEdit, "Edit1");
    Button1 = named(new QPushButton(QStringLiteral("参照")), "Button1");
    Button1->setFont(windowFont(12));
    LabelPreFolder = clippedLabel(QString(), "LabelPreFolder");

    m_outputButtons = new QButtonGroup(this);
    int id = 0;
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5})
        m_outputButtons->addButton(b, id++);
    connect(m_outputButtons, &QButtonGroup::buttonToggled, this, &MainWindow::RadioButton1Click);
    connect(Button1, &QPushButton::clicked, this, &MainWindow::openBrowseForFolder1);

    auto* grid = new QGridLayout(GroupBox1);
    auto* firstRow = new QHBoxLayout;
    firstRow->addWidget(RadioButton1);
    firstRow->addWidget(RadioButton2);
    firstRow->addWidget(RadioButton3);
    firstRow->addStretch(1);
    grid->addLayout(firstRow, 0, 0, 1, 3);
    grid->addWidget(RadioButton4, 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(Button1, 1, 2);
    grid->addWidget(RadioButton5, 2, 0);
    grid->addWidget(LabelPreFolder, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    return GroupBox1;
}

QWidget* MainWindow::buildFilePanel()
{
    auto* panel = named(new QFrame, "Panel1");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(clippedLabel(QStringLiteral("エクスプローラ等からドラッグ＆ドロップするか、または、"), "Label2"));
    Label3 = named(new QLabel(QStringLiteral("ここをクリックして変換するファイルを選択して下さい。")), "Label3");
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setCursor(Qt::PointingHandCursor);
    QFont linkFont = Label3->font();
    linkFont.setUnderline(true);
    Label3->setFont(linkFont);
    QPalette palette = Label3->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    Label3->setPalette(palette);
    Label3->installEventFilter(this);
    layout->addWidget(Label3);
    Label1 = named(new QLabel, "Label1");
    Label1->hide();
    layout->addWidget(Label1);
    return panel;
}

QWidget* MainWindow::buildSettingsPage()
{
    auto* page = named(new QWidget, "TabSheet1");
    ComboBox1 = named(new QComboBox, "ComboBox1");
    ComboBox2 = listCombo(common::SettingsFile::colourSourceNames(), "ComboBox2");
    ComboBox3 = listCombo(common::SettingsFile::auxColourNames(), "ComboBox3");
    ComboBox4 = listCombo(common::SettingsFile::auxLineTypeNames(), "ComboBox4");
    ComboBox5 = listCombo({QStringLiteral("SFC"), QStringLiteral("P21"), QStringLiteral("SFC と P21")}, "ComboBox5");
    connect(ComboBox1, &QComboBox::activated, this, &MainWindow::ComboBox1Select);

    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("画面スタイル：")), 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("※次回起動時に有効")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("出力色：")), 1, 0);
    grid->addWidget(ComboBox2, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("補助線色：")), 2, 0);
    grid->addWidget(ComboBox3, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("補助線種：")), 3, 0);
    grid->addWidget(ComboBox4, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("出力形式：")), 4, 0);
    grid->addWidget(ComboBox5, 4, 1);
    CheckBox1 = named(new QCheckBox(QStringLiteral("変換後にSXFの検査をする")), "CheckBox1");
    grid->addWidget(CheckBox1, 5, 0, 1, 3);
    int row = 6;
    for (const auto& [text, name] : {
             std::pair{QStringLiteral("本ツール画面/本ツールのショートカットにドラッグ＆ドロップ、"), "Label4"},
             std::pair{QStringLiteral("又は上記でファイル選択をすると、ファイル変換を行います。"), "Label5"},
             std::pair{QStringLiteral("処理を中断する場合は、[ESC]キーを押し続けて下さい。"), "Label6"},
         })
        grid->addWidget(clippedLabel(text, name), row++, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    return page;
}

void MainWindow::FormCreate()
{
    m_programDir = common::ExtractDir(m_env.programPath);
    m_defaultFolder = defaultAskFolder(m_programDir, m_env.programFolderWritable,
                                       m_env.documentsFolder ? m_env.documentsFolder() : QString());
    JwwPath = jwwFolderFromProgram(programFromOpenCommand(m_env.jwwOpenCommand ? m_env.jwwOpenCommand() : QString()));
    m_settingsPath = m_env.settingsPath;
    OpenDatFile(m_settingsPath);
    const auto initialFolder = [this](const QString& folder) {
        return folder.isEmpty() || !common::DirExistsSafe(folder) ? m_defaultFolder : folder;
    };
    m_browseFolder1 = initialFolder(Edit1->text());
    m_browseFolder2 = initialFolder(LabelPreFolder->text());
    applyVisualStyle();
}

void MainWindow::applyVisualStyle()
{
    QStringList names{kPlainStyle};
    for (const QString& key : QStyleFactory::keys()) {
        if (key.compare(kPlainStyle, Qt::CaseInsensitive) != 0)
            names.append(key);
    }
    ComboBox1->clear();
    ComboBox1->addItems(names);
    qsizetype at = -1;
    for (qsizetype i = 0; i < names.size() && at < 0; ++i) {
        if (names[i].compare(gstyle, Qt::CaseInsensitive) == 0)
            at = i;
    }
    gstyle = at < 0 ? kPlainStyle : names[at];
    if (!QApplication::setStyle(gstyle)) {
        gstyle = kPlainStyle;
        QApplication::setStyle(gstyle);
    }
    ComboBox1->setCurrentIndex(int(names.indexOf(gstyle)));
}

void MainWindow::RadioButton1Click()
{
    const bool specified = RadioButton4->isChecked();
    Edit1->setEnabled(specified);
    Button1->setEnabled(specified);
}

void MainWindow::ComboBox1Select(int index)
{
    if (index >= 0)
        gstyle = ComboBox1->itemText(index);
}

void MainWindow::selectOutput(OutputChoice choice, const QString& specifiedFolder)
{
    if (choice == OutputChoice::Specified)
        Edit1->setText(specifiedFolder);
    radioButton(int(choice))->setChecked(true);
}

QRadioButton* MainWindow::radioButton(int index) const
{
    return static_cast<QRadioButton*>(m_outputButtons->button(index));
}

void MainWindow::OpenDatFile(const QString& fn)
{
    common::SettingsFile s(m_defaultFolder);
    // Line 15 is skipped: the Jw_cad folder is found afresh at every start.
    s.read(fn, false);
    applySettings(s);
}

void MainWindow::applySettings(const common::SettingsFile& s)
{
    move(s.Fm1x, s.Fm1y);
    m_savedFrameSize = QSize(s.Fm1w, s.Fm1h);
    resize(m_savedFrameSize);
    // An exclusive group cannot show "nothing selected"; lift that while
    // clearing so that all-false radio lines leave every button clear.
    m_outputButtons->setExclusive(false);
    for (int i = 0; i < common::SettingsFile::kOutputChoices; ++i)
        radioButton(i)->setChecked(false);
    m_outputButtons->setExclusive(true);
    if (s.outputChoice() >= 0)
        radioButton(s.outputChoice())->setChecked(true);
    RadioButton1Click();
    Edit1->setText(s.ed1);
    Label1->setText(s.lb1);
    LabelPreFolder->setText(s.lb2);
    Fidx = s.Fidx;
    gstyle = s.gstyle;
    ComboBox2->setCurrentIndex(common::SettingsFile::listIndex(s.cb2, ComboBox2->count()));
    ComboBox3->setCurrentIndex(common::SettingsFile::listIndex(s.cb3, ComboBox3->count()));
    ComboBox4->setCurrentIndex(common::SettingsFile::listIndex(s.cb4, ComboBox4->count()));
    ComboBox5->setCurrentIndex(int(outputFormatFromIndex(s.outputFormat)));
    CheckBox1->setChecked(s.checkOutput);
}

common::SettingsFile MainWindow::collectSettings() const
{
    common::SettingsFile s(m_programDir);
    const QRect frame = frameGeometry();
    s.Fm1x = frame.x();
    s.Fm1y = frame.y();
    s.Fm1w = frame.width();
    s.Fm1h = frame.height();
    for (int i = 0; i < common::SettingsFile::kOutputChoices; ++i)
        s.rb[size_t(i)] = radioButton(i)->isChecked();
    s.ed1 = Edit1->text();
    s.lb1 = Label1->text();
    s.lb2 = LabelPreFolder->text();
    s.Fidx = Fidx;
    s.gstyle = gstyle;
    s.JwwPath = JwwPath;
    s.cb2 = ComboBox2->currentIndex();
    s.cb3 = ComboBox3->currentIndex();
    s.cb4 = ComboBox4->currentIndex();
    s.outputFormat = ComboBox5->currentIndex();
    s.checkOutput = CheckBox1->isChecked();
    return s;
}

bool MainWindow::SaveDatFile(const QString& fn) const
{
    // A failed write leaves the earlier file as it was.
    return collectSettings().write(fn);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_frameFitPending = true;
    fitSavedFrame();
}

bool MainWindow::event(QEvent* event)
{
    // A window manager frames the window only after it is shown; the first
    // move or resize after that is when the frame's size becomes known.
    if (m_frameFitPending && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        fitSavedFrame();
    return QMainWindow::event(event);
}

void MainWindow::fitSavedFrame()
{
    // The stored size is that of the whole window, frame included: take the
    // frame off once, so that the window keeps its size from run to run.
    const QSize frameExtra = frameGeometry().size() - size();
    if (frameExtra.width() <= 0 && frameExtra.height() <= 0)
        return;
    m_frameFitPending = false;
    resize(m_savedFrameSize - frameExtra);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        // The running file is finished first; the batch then stops and the
        // window closes (runQueuedBatches closes it again).
        m_closeRequested = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void MainWindow::FormClose()
{
    FList.clear();
    m_queue.clear();
    SaveDatFile(m_settingsPath);
}

}  // namespace frontend
