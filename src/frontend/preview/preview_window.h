// The preview window: one drawing file, its sheet fitted in a DrawingView,
// beside it a list of the layers with a check box each (and room for more
// lists, such as the check's findings, as further tabs), the file name, the
// sheet and the count of what the reader or the drawing found wrong in the
// title and status bar, and 画像として保存… for PNG and PDF pictures.
#pragma once

#include "frontend/preview/preview_document.h"
#include "render/picture_files.h"

#include <QMainWindow>

#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QTabWidget;

namespace frontend {

class DrawingView;

class PreviewWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit PreviewWindow(PreviewDocument document, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    const PreviewDocument& document() const { return m_doc; }
    DrawingView* drawingView() const { return m_view; }
    QListWidget* layerList() const { return m_layers; }

    // Adds `panel` as a further tab beside the layer list, under `title`.
    void addSidePanel(QWidget* panel, const QString& title);
    // Gives the tab of `panel` the title `title`; nothing for a widget that
    // is no side panel.
    void setSidePanelTitle(QWidget* panel, const QString& title);

    // Highlights the feature numbered `number` (#n) with everything it
    // places and shows it in the middle of the view. Returns false (and
    // highlights nothing) when no feature has that number or it draws
    // nothing.
    bool selectFeature(int32_t number);

    // Writes the picture of the drawing with the layers now shown: PNG
    // render::kDefaultPngWidth pixels wide, or PDF for a ".pdf" name.
    // Returns an empty text when written, else why not.
    QString savePicture(const QString& path, render::Existing existing) const;

private:
    void addNotesLabel();
    void buildLayerList();
    void layerItemChanged(QListWidgetItem* item);
    void askAndSavePicture();
    void showZoom();

    PreviewDocument m_doc;
    DrawingView* m_view = nullptr;
    QTabWidget* m_side = nullptr;
    QListWidget* m_layers = nullptr;
    QLabel* m_zoom = nullptr;
};

// Reads `path` and shows it in a new preview window, which deletes itself
// when closed, with the tab 検査 (CheckPanel) beside the layers. A file that cannot be shown opens nothing: `showMessage`
// gets the text saying why. Returns the window, or null.
PreviewWindow* openPreview(const QString& path, const std::function<void(const QString&)>& showMessage);

// The window title for `path`: its file name, then 図面の確認 [Kestrune].
QString previewTitle(const QString& path);

}  // namespace frontend
