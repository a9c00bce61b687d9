// The list of check findings beside the drawing.
#include "frontend/preview/check_panel.h"

#include "frontend/output_check.h"
#include "frontend/preview/preview_window.h"
#include "sxf/sfc_check.h"

#include <QHeaderView>
#include <QStatusBar>

namespace frontend {

namespace {

constexpr int kFeatureRole = Qt::UserRole;  // on the severity column: the feature number, 0 for none
const QString kTabTitle = QStringLiteral("検査");

QTreeWidgetItem* findingRow(const sxf::Finding& f)
{
    auto* item = new QTreeWidgetItem;
    item->setText(CheckPanel::kSeverity, f.severity == sxf::Severity::Error ? QStringLiteral("エラー") : QStringLiteral("警告"));
    item->setText(CheckPanel::kCode, f.code);
    if (f.feature > 0)
        item->setText(CheckPanel::kFeature, QStringLiteral("#%1").arg(f.feature));
    if (f.line > 0)
        item->setText(CheckPanel::kLine, QString::number(f.line));
    item->setText(CheckPanel::kMessage, f.message);
    const QString whole = item->text(CheckPanel::kSeverity) + u' ' + findingText(f);
    for (int column = 0; column < item->columnCount(); ++column)
        item->setToolTip(column, whole);
    item->setData(CheckPanel::kSeverity, kFeatureRole, f.feature);
    return item;
}

}  // namespace

QString checkTabTitle(const sxf::Findings& findings)
{
    const OutputCheck counts = summarise(findings);
    if (counts.errors == 0 && counts.warnings == 0)
        return kTabTitle + QStringLiteral(" 問題なし");
    return kTabTitle + QStringLiteral(" エラー%1・警告%2").arg(counts.errors).arg(counts.warnings);
}

CheckPanel* CheckPanel::addTo(PreviewWindow& window)
{
    auto* panel = new CheckPanel(window);
    window.addSidePanel(panel, kTabTitle);
    return panel;
}

CheckPanel::CheckPanel(PreviewWindow& window) : m_window(window)
{
    setObjectName(QStringLiteral("CheckPanel"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setHeaderLabels({QStringLiteral("種別"), QStringLiteral("番号"), QStringLiteral("行"), QStringLiteral("内容"),
                     QStringLiteral("コード")});
    showMessageRow(QStringLiteral("検査中…"));
    connect(this, &QTreeWidget::itemClicked, this, &CheckPanel::selectFindingOf);
    connect(this, &QTreeWidget::itemActivated, this, &CheckPanel::selectFindingOf);

    // The thread shares the drawing, which stays as it is while the window
    // shows it, and works on its own copy of the reader's findings.
    const PreviewDocument& doc = window.document();
    m_check = std::make_unique<ThreadRun<sxf::Findings>>(
        [drawing = doc.drawing, read = doc.findings] { return sxf::checkRead(*drawing, read); },
        [this](const sxf::Findings& findings) { showFindings(findings); });
}

CheckPanel::~CheckPanel() = default;

void CheckPanel::showFindings(const sxf::Findings& findings)
{
    clear();
    if (findings.empty()) {
        showMessageRow(QStringLiteral("問題はありません"));
    } else {
        QList<QTreeWidgetItem*> rows;
        rows.reserve(qsizetype(findings.size()));
        for (const sxf::Finding& f : findings)
            rows.append(findingRow(f));
        addTopLevelItems(rows);
        for (int column = 0; column < columnCount(); ++column)
            resizeColumnToContents(column);
    }
    m_window.setSidePanelTitle(this, checkTabTitle(findings));
    m_done = true;
    emit done();
}

void CheckPanel::showMessageRow(const QString& text)
{
    auto* item = new QTreeWidgetItem(this);
    item->setText(kSeverity, text);
    item->setFirstColumnSpanned(true);
    item->setFlags(Qt::NoItemFlags);
}

void CheckPanel::selectFindingOf(QTreeWidgetItem* item)
{
    // A finding about the whole file or a table has no feature to show.
    const int32_t number = item ? item->data(kSeverity, kFeatureRole).toInt() : 0;
    if (number <= 0)
        return;
    if (!m_window.selectFeature(number))
        m_window.statusBar()->showMessage(QStringLiteral("#%1 は図面に描かれていません").arg(number), 5000);
}

}  // namespace frontend
