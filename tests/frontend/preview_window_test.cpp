// The preview window offscreen, on hand-made drawings: it opens fitted,
// zooms at the cursor, pans, fits again, hides and shows layers, highlights
// a feature, lists the check's findings and saves pictures.
#include "frontend/preview/preview_window.h"

#include "frontend/preview/check_panel.h"
#include "frontend/preview/drawing_view.h"
#include "render/feature_number.h"
#include "render/view.h"
#include "tests/frontend/test_app.h"
#include "tests/render/drawing_maker.h"
#include "tests/render/pixels.h"
#include "tests/support/sfc_texts.h"
#include "tests/support/test_paths.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

FRONTENDTEST_APPLICATION(QApplication);

using namespace frontend;
using rendertest::DrawingMaker;

namespace {

// Three layers: a black line on the first, a circle on the hidden second,
// a red line on the third (feature number 30).
PreviewDocument threeLayers()
{
    DrawingMaker m;
    const int32_t hidden = m.layer(QStringLiteral("隠れ"), false);
    const int32_t third = m.layer(QStringLiteral("赤"));
    const int32_t red = m.colour(255, 0, 0);
    m.line(10, 10, 90, 10, m.ink());
    m.circle(50, 50, 20, m.ink(0, 0, 0, hidden));
    m.line(10, 90, 90, 90, m.ink(red, 0, 0, third));
    return makeDocument(QStringLiteral("/data/plan.sfc"), m.finish(), {});
}

// Red, or nearly: the view draws with antialiasing.
int redPixels(const DrawingView& view)
{
    return rendertest::find(view.frame(), [](QColor c) { return c.red() > 200 && c.green() < 90 && c.blue() < 90; }).count;
}

void repaint(DrawingView& view)
{
    view.repaint();
    QCoreApplication::processEvents();
}

QString statusText(const PreviewWindow& w)
{
    QStringList parts;
    for (const QLabel* label : w.statusBar()->findChildren<QLabel*>())
        parts.append(label->text());
    return parts.join(u'|');
}

TEST(PreviewWindow, OpensFittedZoomsPansAndFitsAgain)
{
    PreviewWindow w(threeLayers());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("plan.sfc")));
    EXPECT_TRUE(statusText(w).contains(QStringLiteral("用紙 自由 横 100 × 100 mm")));
    DrawingView& view = *w.drawingView();
    const render::View fitted = view.view();
    // The sheet's middle is in the middle of the view.
    const QPointF middle = fitted.toDevice(QPointF(50, 50));
    EXPECT_NEAR(middle.x(), view.width() / 2.0, 1);
    EXPECT_NEAR(middle.y(), view.height() / 2.0, 1);
    EXPECT_NEAR(view.zoomFactor(), 1.0, 1e-9);

    const QPointF cursor(view.width() / 4.0, view.height() / 3.0);
    const QPointF under = fitted.toSheet(cursor);
    QWheelEvent wheel(cursor, view.mapToGlobal(cursor), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_NEAR(view.view().scale, fitted.scale * 1.44, 1e-9);
    const QPointF still = view.view().toDevice(under);
    EXPECT_NEAR(still.x(), cursor.x(), 1e-6);
    EXPECT_NEAR(still.y(), cursor.y(), 1e-6);

    const render::View zoomed = view.view();
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(130, 90));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(130, 90));
    const QPointF moved = view.view().toDevice(zoomed.toSheet(QPointF(100, 100)));
    EXPECT_NEAR(moved.x(), 130, 1e-6);
    EXPECT_NEAR(moved.y(), 90, 1e-6);

    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_NEAR(view.view().scale, fitted.scale, 1e-12);
    EXPECT_NEAR(view.view().topLeft.x(), fitted.topLeft.x(), 1e-9);
}

TEST(PreviewWindow, LayerCheckBoxesHideAndShowLayers)
{
    PreviewWindow w(threeLayers());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QListWidget& layers = *w.layerList();
    ASSERT_EQ(layers.count(), 3);
    EXPECT_EQ(layers.item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(layers.item(1)->checkState(), Qt::Unchecked);  // the file hides it
    EXPECT_EQ(layers.item(2)->text(), QStringLiteral("赤"));

    DrawingView& view = *w.drawingView();
    repaint(view);
    EXPECT_GT(redPixels(view), 100);
    layers.item(2)->setCheckState(Qt::Unchecked);
    repaint(view);
    EXPECT_EQ(redPixels(view), 0);

    // The hidden layer's circle appears when checked.
    const auto ink = [&view] { return rendertest::find(view.frame(), rendertest::isInk).count; };
    const int before = ink();
    layers.item(1)->setCheckState(Qt::Checked);
    repaint(view);
    EXPECT_GT(ink(), before + 100);
}

TEST(PreviewWindow, SelectingAFeatureHighlightsIt)
{
    PreviewWindow w(threeLayers());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    DrawingView& view = *w.drawingView();
    EXPECT_FALSE(w.selectFeature(12345));
    ASSERT_TRUE(w.selectFeature(30));  // the red line, the third feature
    repaint(view);
    const auto orange = [](QColor c) { return c.red() > 200 && c.green() > 100 && c.green() < 180 && c.blue() < 60; };
    EXPECT_GT(rendertest::find(view.frame(), orange).count, 100);
    // The view shows the line, zoomed in on it.
    EXPECT_GT(view.zoomFactor(), 1.0);
}

TEST(PreviewWindow, StatusBarCountsWhatWasFoundWrong)
{
    DrawingMaker m;
    m.placement(QStringLiteral("nowhere"), 50, 50, 0, 1, 1);
    sxf::Findings findings{{sxf::Severity::Error, QStringLiteral("SXFNOTSETCFIG"), 12, 10, QStringLiteral("記号がありません")}};
    PreviewWindow w(makeDocument(QStringLiteral("/data/odd.sfc"), m.finish(), findings));
    const auto* label = w.findChild<QLabel*>(QStringLiteral("NotesLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("注意 2件"));
    EXPECT_TRUE(label->toolTip().startsWith(QStringLiteral("12行目 #10：記号がありません\n#10：")));
    PreviewWindow clean(threeLayers());
    EXPECT_EQ(clean.findChild<QLabel*>(QStringLiteral("NotesLabel")), nullptr);
}

// The rows of the check tab without the description: severity, feature,
// line and code joined by "|".
QStringList checkRows(const CheckPanel& panel)
{
    QStringList rows;
    for (int i = 0; i < panel.topLevelItemCount(); ++i) {
        const QTreeWidgetItem& item = *panel.topLevelItem(i);
        rows.append(QStringList{item.text(CheckPanel::kSeverity), item.text(CheckPanel::kFeature),
                                item.text(CheckPanel::kLine), item.text(CheckPanel::kCode)}
                        .join(u'|'));
    }
    return rows;
}

void clickRow(CheckPanel& panel, int row)
{
    const QRect rect = panel.visualItemRect(panel.topLevelItem(row));
    ASSERT_FALSE(rect.isEmpty());
    // The row is wider than the narrow tab: click near its left end.
    QTest::mouseClick(panel.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(rect.left() + 4, rect.center().y()));
}

// A broken file opened as the user opens it: the tab 検査 lists the reader's
// and the rules' findings once the check (on its own thread) has ended, and
// clicking a finding selects its feature; one about the whole file selects
// nothing, one about a feature that draws nothing says so.
TEST(PreviewWindow, CheckTabListsFindingsAndClickSelectsTheirFeature)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("broken.sfc"));
    const QByteArray bytes = testsupport::framedSfc({
        "layer_feature(\\'L1\\','1')",
        "pre_defined_colour_feature(\\'black\\')",
        "pre_defined_font_feature(\\'continuous\\')",
        "width_feature('0.130000')",
        "line_feature('1','1','1','1','10.000000','10.000000','90.000000','10.000000')",
        "circle_feature('1','5','1','1','50.000000','50.000000','20.000000')",            // #60: colour 5 undefined
        "line_feature('1','1','1','1','20.000000','80.000000','20.000000','80.000000')",  // #70: no length
        "circle_feature('1','1','1','1','70.000000','30.000000','10.000000')",
        "drawing_sheet_feature(\\'S\\','3','1','420','297')",
    }).replace("SCADEC level2 feature_mode", "SCADEC level9 feature_mode");  // a fault of the whole file
    ASSERT_TRUE(testsupport::writeFile(path, bytes));
    const auto lineOf = [&bytes](const char* number) {
        return QString::number(bytes.left(bytes.indexOf(QByteArray("#") + number + " = ")).count('\n') + 1);
    };

    PreviewWindow* opened = openPreview(path, [](const QString& text) { ADD_FAILURE() << qPrintable(text); });
    ASSERT_NE(opened, nullptr);
    const std::unique_ptr<PreviewWindow> w(opened);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    auto* panel = w->findChild<CheckPanel*>();
    ASSERT_NE(panel, nullptr);
    if (!panel->isDone()) {
        ASSERT_TRUE(QSignalSpy(panel, &CheckPanel::done).wait(10000));
    }
    EXPECT_EQ(checkRows(*panel), QStringList({"エラー|||SXFNOLEVEL",
                                              "エラー|#60|" + lineOf("60") + "|SXFERRORCOLOUR",
                                              "エラー|#70|" + lineOf("70") + "|SXFLENGTHZERO",
                                              "警告|#90|" + lineOf("90") + "|SXFSHEETLENGTHWARNING"}));
    EXPECT_EQ(panel->topLevelItem(1)->text(CheckPanel::kMessage),
              QStringLiteral("circle_feature：色番号5は定義されていません"));
    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SidePanels"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(tabs->indexOf(panel)), QStringLiteral("検査 エラー3・警告1"));

    tabs->setCurrentWidget(panel);
    DrawingView& view = *w->drawingView();
    clickRow(*panel, 1);
    const int32_t circle = render::featureWithNumber(*w->document().drawing, 60);
    ASSERT_NE(circle, sxf::kNone);
    EXPECT_EQ(view.highlight(), circle);
    EXPECT_GT(view.zoomFactor(), 1.5);
    clickRow(*panel, 0);
    EXPECT_EQ(view.highlight(), circle);
    clickRow(*panel, 2);
    EXPECT_EQ(view.highlight(), sxf::kNone);
    EXPECT_EQ(w->statusBar()->currentMessage(), QStringLiteral("#70 は図面に描かれていません"));
}

TEST(PreviewWindow, SavesPngAndPdfAndKeepsWhatExists)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PreviewWindow w(threeLayers());
    const QString png = dir.filePath(QStringLiteral("plan.png"));
    const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
    EXPECT_EQ(w.savePicture(png, render::Existing::Keep), QString());
    EXPECT_EQ(w.savePicture(pdf, render::Existing::Keep), QString());
    QImageReader reader(png);
    EXPECT_EQ(reader.format(), "png");
    EXPECT_EQ(reader.size().width(), 2400);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    file.close();

    const qint64 size = QFileInfo(png).size();
    EXPECT_FALSE(w.savePicture(png, render::Existing::Keep).isEmpty());
    EXPECT_EQ(QFileInfo(png).size(), size);
    EXPECT_EQ(w.savePicture(png, render::Existing::Replace), QString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

}  // namespace
