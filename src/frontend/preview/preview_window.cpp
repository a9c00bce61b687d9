// The preview window's controls and actions.
#include "frontend/preview/preview_window.h"

#include "frontend/preview/check_panel.h"
#include "frontend/preview/drawing_file.h"
#include "frontend/preview/drawing_view.h"
#include "render/feature_number.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

namespace frontend {

namespace {

const QString kPngFilter = QStringLiteral("PNG画像 (*.png)");
const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");
constexpr int kLayerRole = Qt::UserRole;

}  // namespace

QString previewTitle(const QString& path)
{
    return QFileInfo(path).fileName() + QStringLiteral(" — 図面の確認 [Kestrune]");
}

PreviewWindow* openPreview(const QString& path, const std::function<void(const QString&)>& showMessage)
{
    LoadedDrawing loaded = loadDrawingFile(path);
    if (!loaded.document) {
        if (showMessage)
            showMessage(QStringLiteral("「%1」を表示できません。\n").arg(QFileInfo(path).fileName()) + loaded.error);
        return nullptr;
    }
    auto* window = new PreviewWindow(std::move(*loaded.document));
    CheckPanel::addTo(*window);
    window->show();
    return window;
}

PreviewWindow::PreviewWindow(PreviewDocument document, QWidget* parent)
    : QMainWindow(parent)
    , m_doc(std::move(document))
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(previewTitle(m_doc.path));
    resize(1100, 760);

    m_view = new DrawingView;
    m_side = new QTabWidget;
    m_side->setObjectName(QStringLiteral("SidePanels"));
    m_layers = new QListWidget;
    m_layers->setObjectName(QStringLiteral("LayerList"));
    m_side->addTab(m_layers, QStringLiteral("レイヤ"));
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(m_side);
    split->addWidget(m_view);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 880});
    setCentralWidget(split);

    auto* tools = addToolBar(QStringLiteral("表示"));
    tools->setObjectName(QStringLiteral("PreviewTools"));
    tools->setMovable(false);
    QAction* fit = tools->addAction(QStringLiteral("全体表示"), m_view, &DrawingView::fitAll);
    fit->setToolTip(QStringLiteral("用紙全体を表示します（Home）"));
    QAction* save = tools->addAction(QStringLiteral("画像として保存…"), this, &PreviewWindow::askAndSavePicture);
    save->setShortcut(QKeySequence::Save);

    const QString sheet = sheetDescription(*m_doc.drawing);
    statusBar()->addWidget(new QLabel(QFileInfo(m_doc.path).fileName()));
    statusBar()->addWidget(new QLabel(sheet.isEmpty() ? QStringLiteral("用紙なし") : QStringLiteral("用紙 ") + sheet));
    addNotesLabel();
    m_zoom = new QLabel;
    statusBar()->addPermanentWidget(m_zoom);

    buildLayerList();
    connect(m_view, &DrawingView::viewChanged, this, &PreviewWindow::showZoom);
    m_view->setScene(m_doc.scene, render::initialVisibility(*m_doc.drawing));
    m_view->setFocus();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::addNotesLabel()
{
    // What the reader found wrong and what could not be drawn as the file
    // says (drawn in magenta, or a placement drawn once): a count in the
    // status bar, the first of them when the pointer rests on it.
    QStringList lines;
    for (const sxf::Finding& f : m_doc.findings)
        lines.append(QStringLiteral("%1行目 #%2：%3").arg(f.line).arg(f.feature).arg(f.message));
    for (const render::SceneNote& n : m_doc.scene->notes)
        lines.append(QStringLiteral("#%1：%2").arg(n.number).arg(n.message));
    if (lines.isEmpty())
        return;
    constexpr qsizetype kShown = 30;
    auto* label = new QLabel(QStringLiteral("注意 %1件").arg(lines.size()));
    label->setObjectName(QStringLiteral("NotesLabel"));
    label->setToolTip(lines.mid(0, kShown).join(u'\n') + (lines.size() > kShown ? QStringLiteral("\n…") : QString()));
    statusBar()->addWidget(label);
}

void PreviewWindow::buildLayerList()
{
    const std::vector<sxf::Layer>& layers = m_doc.drawing->layers;
    for (size_t i = 0; i < layers.size(); ++i) {
        const QString name = layers[i].name.isEmpty() ? QStringLiteral("（名前なし）") : layers[i].name;
        auto* item = new QListWidgetItem(name, m_layers);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(layers[i].flag != 0 ? Qt::Checked : Qt::Unchecked);
        item->setData(kLayerRole, int(i));
    }
    connect(m_layers, &QListWidget::itemChanged, this, &PreviewWindow::layerItemChanged);
}

void PreviewWindow::layerItemChanged(QListWidgetItem* item)
{
    m_view->setLayerVisible(item->data(kLayerRole).toInt(), item->checkState() == Qt::Checked);
}

void PreviewWindow::addSidePanel(QWidget* panel, const QString& title)
{
    m_side->addTab(panel, title);
}

void PreviewWindow::setSidePanelTitle(QWidget* panel, const QString& title)
{
    const int index = m_side->indexOf(panel);
    if (index >= 0)
        m_side->setTabText(index, title);
}

bool PreviewWindow::selectFeature(int32_t number)
{
    const int32_t index = render::featureWithNumber(*m_doc.drawing, number);
    QRectF area;
    if (index != sxf::kNone) {
        const render::Scene& s = *m_doc.scene;
        for (const render::Shape& shape : s.shapes) {
            if (shape.tag.feature == index || shape.tag.placement == index)
                area = area.united(shape.bounds);
        }
        for (const render::TextItem& t : s.texts) {
            if (t.tag.feature == index || t.tag.placement == index)
                area = area.united(t.bounds);
        }
    }
    const bool drawn = !area.isNull();
    m_view->setHighlight(drawn ? index : sxf::kNone);
    if (drawn)
        m_view->showArea(area);
    return drawn;
}

QString PreviewWindow::savePicture(const QString& path, render::Existing existing) const
{
    return render::writePicture(*m_doc.scene, m_view->visibility(), path, render::kDefaultPngWidth, existing);
}

void PreviewWindow::askAndSavePicture()
{
    const QFileInfo source(m_doc.path);
    QString filter = kPngFilter;
    const QString suggested = source.absolutePath() + QLatin1Char('/') + source.completeBaseName() + QStringLiteral(".png");
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("画像として保存"), suggested,
                                                kPngFilter + QStringLiteral(";;") + kPdfFilter, &filter);
    if (path.isEmpty())
        return;
    // The dialog asks before it lets an existing name be chosen; a name it
    // was given without a suffix gets one here and must then be new.
    const bool asked = !QFileInfo(path).suffix().isEmpty();
    if (!asked)
        path += filter == kPdfFilter ? QStringLiteral(".pdf") : QStringLiteral(".png");
    const QString error = savePicture(path, asked ? render::Existing::Replace : render::Existing::Keep);
    if (!error.isEmpty())
        QMessageBox::warning(this, windowTitle(), QStringLiteral("画像を保存できません。\n") + error);
}

void PreviewWindow::showZoom()
{
    m_zoom->setText(QStringLiteral("表示倍率 %1%").arg(qRound(m_view->zoomFactor() * 100)));
}

}  // namespace frontend
