// The preview window's tab 検査: what clients' checking programs find in the
// drawing shown (the reader's findings and the rules'), one row per finding
// with its severity, feature number, line, description and code. Clicking a
// finding about a feature selects that feature in the drawing. The rules run
// on a thread of their own, so that a large drawing leaves the window
// responsive; the list says 検査中… until they are done.
#pragma once

#include "frontend/thread_run.h"
#include "sxf/findings.h"

#include <QTreeWidget>

#include <memory>

namespace frontend {

class PreviewWindow;

class CheckPanel : public QTreeWidget {
    Q_OBJECT

public:
    // The description comes before the code: it is what a narrow tab shows.
    enum Column { kSeverity, kFeature, kLine, kMessage, kCode };

    // Starts checking the drawing of `window` and adds the panel to it as a
    // side tab. Returns the panel, owned by the window.
    static CheckPanel* addTo(PreviewWindow& window);
    // Waits for a check still running.
    ~CheckPanel() override;

    // True once the findings are listed.
    bool isDone() const { return m_done; }

signals:
    // The check has ended and its findings are listed.
    void done();

private:
    explicit CheckPanel(PreviewWindow& window);
    void showFindings(const sxf::Findings& findings);
    void showMessageRow(const QString& text);
    void selectFindingOf(QTreeWidgetItem* item);

    PreviewWindow& m_window;
    std::unique_ptr<ThreadRun<sxf::Findings>> m_check;
    bool m_done = false;
};

// The tab's title for `findings`: 検査 with the counts, or 検査 問題なし.
QString checkTabTitle(const sxf::Findings& findings);

}  // namespace frontend
