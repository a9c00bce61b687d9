// The batch window, driven as a user would: drops, clicks, the file and
// folder dialogs (replaced by answers), close and reopen. The worker is a
// copy of the real one in a temporary program folder.
#include "frontend/main_window.h"

#include "common/path_names.h"
#include "common/settings_file.h"
#include "frontend/batch_runner.h"
#include "frontend/preview/preview_window.h"
#include "tests/frontend/test_app.h"
#include "tests/support/bench_drawings.h"
#include "tests/support/demo_drawing.h"
#include "tests/support/jww_builder.h"
#include "tests/support/test_paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

FRONTENDTEST_APPLICATION(QApplication);

using namespace frontend;

namespace {

const QString kSep = common::PathDelimChar();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_prog.isValid() && m_src.isValid());
        m_progDir = QDir::toNativeSeparators(m_prog.path()) + kSep;
        m_srcDir = QDir::toNativeSeparators(m_src.path()) + kSep;
        m_documents = m_srcDir + "Documents";
        ASSERT_TRUE(QFile::copy(QStringLiteral(ONDRELLE_EXE), m_progDir + "Ondrelle"));
    }

    WindowEnvironment env()
    {
        WindowEnvironment e = WindowEnvironment::forProgram(m_progDir + "Kestrune");
        e.jwwOpenCommand = [this] { return m_registry; };
        e.desktopFolder = [this] { return m_srcDir + "Desktop"; };
        e.documentsFolder = [this] { return m_documents; };
        e.escapeKeyHeld = [this] { return m_escape; };
        e.showMessage = [this](QWidget*, const QString& text) { m_messages.append(text); };
        e.pickFiles = [this](QWidget*, const QString& folder, int index) {
            m_pickAsked = folder + '|' + QString::number(index);
            return m_pick;
        };
        e.pickFolder = [this](QWidget*, const QString&, const QString& initial) {
            m_folderAsked.append(initial);
            return m_folderAnswer;
        };
        return e;
    }

    std::unique_ptr<MainWindow> open()
    {
        auto w = std::make_unique<MainWindow>(env());
        w->show();
        return w;
    }

    // A valid drawing in the source folder.
    QString drawing(const QString& name)
    {
        const QString path = m_srcDir + name;
        EXPECT_TRUE(testsupport::writeFile(path, testsupport::demoDrawingBytes()));
        return path;
    }

    template <typename T>
    static T* child(const MainWindow& w, const char* name)
    {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // The log; without the check lines unless `withChecks` (each of them
    // must come right after a converted file).
    static QStringList logLines(const MainWindow& w, bool withChecks = false)
    {
        QStringList lines;
        const auto* list = child<QListWidget>(w, "ListBox1");
        for (int i = 0; i < list->count(); ++i) {
            const QString line = list->item(i)->text();
            if (line.startsWith(kCheckPrefix)) {
                EXPECT_EQ(i > 0 ? list->item(i - 1)->text() : QString(), kResultPrefix + kConverted);
                if (!withChecks)
                    continue;
            }
            lines.append(line);
        }
        return lines;
    }

    QStringList settingsLines() const
    {
        return common::SplitTextLines(common::DecodeTextFile(testsupport::readFile(m_progDir + "Kestrune.dat")));
    }

    static QMimeData* urlData(const QStringList& paths)
    {
        auto* mime = new QMimeData;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls.append(QUrl::fromLocalFile(p));
        mime->setUrls(urls);
        return mime;
    }

    // Delivers a drag of `mime` onto the window and drops it, as the system
    // does: Qt hands a drop only to a widget that accepted the drag's entry.
    // Posted events arrive once an event loop runs.
    static void deliverDrop(MainWindow& w, const QMimeData* mime, bool post)
    {
        auto* enter = new QDragEnterEvent(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        auto* dropped = new QDropEvent(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        if (post) {
            QApplication::postEvent(&w, enter);
            QApplication::postEvent(&w, dropped);
            return;
        }
        QApplication::sendEvent(&w, enter);
        EXPECT_TRUE(enter->isAccepted());
        QApplication::sendEvent(&w, dropped);
        delete enter;
        delete dropped;
    }

    // Drops `paths` on the window and waits until every batch has run.
    static void drop(MainWindow& w, const QStringList& paths)
    {
        const std::unique_ptr<QMimeData> mime(urlData(paths));
        QSignalSpy finished(&w, &MainWindow::batchesFinished);
        deliverDrop(w, mime.get(), false);
        ASSERT_TRUE(finished.wait(60000));
    }

    QStringList triple(const QString& src, const QString& dst, const QString& result) const
    {
        return {src, kArrowPrefix + dst, kResultPrefix + result};
    }

    QTemporaryDir m_prog, m_src;
    QString m_progDir, m_srcDir;
    QString m_documents;  // what the system names as the documents folder
    QString m_registry;
    bool m_escape = false;
    QStringList m_messages;
    FilePick m_pick;
    QString m_pickAsked;
    QString m_folderAnswer;
    QStringList m_folderAsked;
};

}  // namespace

TEST_F(WindowTest, DropConvertsOnlyExistingJwwFiles)
{
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    const QString a = drawing("a.JWW");
    ASSERT_TRUE(testsupport::writeFile(m_srcDir + "b.txt", "text"));
    drop(*w, {a, m_srcDir + "b.txt", m_srcDir + "c.jww"});

    EXPECT_EQ(logLines(*w), triple(a, m_srcDir + "a.sfc", "変換完了") << "1件中1件を変換しました");
    EXPECT_TRUE(QFile::exists(m_srcDir + "a.sfc"));
    EXPECT_FALSE(QFile::exists(m_srcDir + "b.sfc"));
    EXPECT_FALSE(QFile::exists(m_srcDir + "c.sfc"));
    EXPECT_EQ(child<QTabWidget>(*w, "PageControl1")->currentWidget(), child<QWidget>(*w, "TabSheet2"));
    EXPECT_EQ(settingsLines().value(6), "1");  // saved before the batch: beside the source
}

TEST_F(WindowTest, BesideTheSourceAvoidsAnExistingName)
{
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    const QString plan = drawing("plan.jww");
    ASSERT_TRUE(testsupport::writeFile(m_srcDir + "plan.sfc", "old"));
    drop(*w, {plan});
    EXPECT_EQ(logLines(*w), triple(plan, m_srcDir + "plan~1.sfc", "変換完了") << "1件中1件を変換しました");
    EXPECT_TRUE(testsupport::readFile(m_srcDir + "plan~1.sfc").startsWith("ISO-10303-21;"));
    EXPECT_EQ(testsupport::readFile(m_srcDir + "plan.sfc"), "old");
}

// 「SFC と P21」: both files under one name free for each, and the log
// naming both.
TEST_F(WindowTest, BothFormsUnderOneName)
{
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    auto* formats = child<QComboBox>(*w, "ComboBox5");
    EXPECT_EQ(formats->currentIndex(), 0);
    EXPECT_EQ(formats->itemText(2), "SFC と P21");
    formats->setCurrentIndex(2);
    const QString plan = drawing("plan.jww");
    ASSERT_TRUE(testsupport::writeFile(m_srcDir + "plan.p21", "old"));
    drop(*w, {plan});
    EXPECT_EQ(logLines(*w), QStringList({plan, "→ " + m_srcDir + "plan~1.sfc", "→ " + m_srcDir + "plan~1.p21",
                                         "　…… 変換完了", "1件中1件を変換しました"}));
    EXPECT_TRUE(testsupport::readFile(m_srcDir + "plan~1.sfc").startsWith("ISO-10303-21;"));
    EXPECT_TRUE(testsupport::readFile(m_srcDir + "plan~1.p21").contains("AP202_mode"));
    EXPECT_EQ(testsupport::readFile(m_srcDir + "plan.p21"), "old");
    EXPECT_FALSE(QFile::exists(m_srcDir + "plan.sfc"));
    EXPECT_EQ(settingsLines().value(19), "2");
}

// Each converted file is read back and checked while the setting is on: a
// check line after its result, and the files with errors in the summary.
TEST_F(WindowTest, ConvertedFilesAreCheckedWhileTheSettingIsOn)
{
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    const QString plan = drawing("plan.jww");
    // Marked blocks placed more than once: part drawings placed again.
    jww::TJwwData d;
    testsupport::buildBlocksDrawing(d, 40);
    const QString parts = m_srcDir + "parts.jww";
    ASSERT_TRUE(testsupport::writeFile(parts, testsupport::writeJww(d)));
    drop(*w, {plan, parts});
    const QStringList log = logLines(*w, true);
    ASSERT_EQ(log.size(), 9) << log.join('\n').toStdString();
    EXPECT_TRUE(log[3].startsWith(kCheckPrefix + "エラー0件・警告1件（最初：SXFSHEETLENGTHWARNING #")) << log[3].toStdString();
    EXPECT_TRUE(log[7].contains("（最初：SXFSFIGLOCONE #")) << log[7].toStdString();
    EXPECT_EQ(log[8], "2件中2件を変換しました（検査でエラーのあるファイル1件）");

    child<QCheckBox>(*w, "CheckBox1")->click();
    drop(*w, {plan});
    EXPECT_EQ(logLines(*w, true), triple(plan, m_srcDir + "plan~1.sfc", kConverted) << "1件中1件を変換しました");
}

TEST_F(WindowTest, RegisteredCommandWithAndWithoutQuotesGivesOneFolder)
{
    for (const char* command : {R"("C:\JWW\Jw_win.exe" "%1")", R"(C:\JWW\Jw_win.exe %1)"}) {
        SCOPED_TRACE(command);
        m_registry = QString::fromUtf8(command);
        auto w = open();
        EXPECT_EQ(w->jwwPath(), R"(C:\JWW\)");
        w->close();
        EXPECT_EQ(settingsLines().value(14), R"(C:\JWW\)");
    }
}

TEST_F(WindowTest, MissingOutputFolderShowsTheMessageAndConvertsNothing)
{
    // The desktop and documents folders of this test do not exist.
    const struct {
        const char* name;
        const char* radio;
        QString edit;
        QString tested;
    } cases[] = {
        {"empty box: the lone separator", "RadioButton4", "", kSep},
        {"folder that does not exist", "RadioButton4", m_srcDir + "none", m_srcDir + "none" + kSep},
        {"no desktop folder", "RadioButton1", "", m_srcDir + "Desktop" + kSep},
        {"no documents folder", "RadioButton2", "", m_srcDir + "Documents" + kSep},
    };
    const QString plan = drawing("plan.jww");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_messages.clear();
        auto w = open();
        child<QAbstractButton>(*w, c.radio)->click();
        child<QLineEdit>(*w, "Edit1")->setText(c.edit);
        drop(*w, {plan});
        EXPECT_EQ(m_messages, QStringList{QStringLiteral("指定したフォルダが見つかりません。\r\n") + c.tested});
        EXPECT_TRUE(logLines(*w).isEmpty());
        EXPECT_FALSE(QFile::exists(m_progDir + "Kestrune.dat"));  // the batch never started
        EXPECT_FALSE(QFile::exists(m_srcDir + "plan.sfc"));
        EXPECT_EQ(child<QTabWidget>(*w, "PageControl1")->currentIndex(), 0);
    }
}

TEST_F(WindowTest, EscapeHeldBeforeTheFirstFileConvertsNothing)
{
    m_escape = true;
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    drop(*w, {drawing("a.jww"), drawing("b.jww")});
    EXPECT_EQ(logLines(*w), QStringList({"[ESC]を押しましたので中断します。", "2件中0件を変換しました"}));
    EXPECT_FALSE(QFile::exists(m_srcDir + "a.sfc"));
    EXPECT_TRUE(QFile::exists(m_progDir + "Kestrune.dat"));
}

TEST_F(WindowTest, MissingWorkerFailsEveryFile)
{
    ASSERT_TRUE(QFile::remove(m_progDir + "Ondrelle"));
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    const QString a = drawing("a.jww"), b = drawing("b.jww");
    drop(*w, {a, b});
    const QString reason = QStringLiteral("　　　理由：変換プログラムを起動できません");
    EXPECT_EQ(logLines(*w), (triple(a, m_srcDir + "a.sfc", "変換失敗") << reason)
                                + (triple(b, m_srcDir + "b.sfc", "変換失敗") << reason << "2件中0件を変換しました（失敗2件）"));
}

TEST_F(WindowTest, AskEachTimeUsesTheChosenFolder)
{
    const QString out = m_srcDir + "out";
    ASSERT_TRUE(QDir().mkdir(out));
    const QString plan = drawing("plan.jww");
    const struct {
        const char* name;
        QString answer;
        QStringList log;
    } cases[] = {
        {"cancelled", "", {}},
        {"chosen", out, triple(plan, out + kSep + "plan.sfc", "変換完了") << "1件中1件を変換しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_folderAnswer = c.answer;
        m_folderAsked.clear();
        auto w = open();
        child<QAbstractButton>(*w, "RadioButton5")->click();
        drop(*w, {plan});
        EXPECT_EQ(m_folderAsked, QStringList{m_progDir});  // starts at the folder last chosen
        EXPECT_EQ(logLines(*w), c.log);
        if (!c.answer.isEmpty()) {
            EXPECT_EQ(child<QLabel>(*w, "LabelPreFolder")->text(), out + kSep);
        }
    }
}

// With no settings file yet, the folder under 「毎回指定」 is the program
// folder when it can be written; an installed program's cannot (the
// environment carries that answer), and then it is the documents folder,
// where the dialog starts and which is saved for the next start.
TEST_F(WindowTest, AskEachTimeFolderOfANewInstallation)
{
    const QString documents = m_srcDir + "Documents";
    ASSERT_TRUE(QDir().mkpath(documents));
    const QString plan = drawing("plan.jww");
    const struct {
        const char* name;
        bool writable;
        QString documents;
        QString folder;
    } cases[] = {
        {"program folder writable", true, documents, m_progDir},
        {"program folder read-only", false, documents, documents + kSep},
        {"read-only, and the system names no documents folder", false, "", m_progDir},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_progDir + "Kestrune.dat");
        m_documents = c.documents;
        m_folderAnswer.clear();  // the dialog is cancelled
        m_folderAsked.clear();
        WindowEnvironment e = env();
        e.programFolderWritable = c.writable;
        {
            MainWindow w(e);
            w.show();
            EXPECT_EQ(child<QLabel>(w, "LabelPreFolder")->text(), c.folder);
            child<QAbstractButton>(w, "RadioButton5")->click();
            drop(w, {plan});
            EXPECT_EQ(m_folderAsked, QStringList{c.folder});
            w.close();
        }
        EXPECT_EQ(settingsLines().value(11), c.folder);
    }
}

TEST_F(WindowTest, Label3OpensTheFileDialogAndConverts)
{
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    const QString plan = drawing("plan.jww");
    m_pick = {{plan}, 1};
    QSignalSpy finished(w.get(), &MainWindow::batchesFinished);
    QTest::mouseClick(child<QLabel>(*w, "Label3"), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(60000));
    // No file picked yet: the documents folder, filter index 1.
    EXPECT_EQ(m_pickAsked, m_srcDir + "Documents|1");
    EXPECT_EQ(logLines(*w), triple(plan, m_srcDir + "plan.sfc", "変換完了") << "1件中1件を変換しました");
    // Then the folder of the file picked last.
    m_pick = {};
    QTest::mouseClick(child<QLabel>(*w, "Label3"), Qt::LeftButton);
    EXPECT_EQ(m_pickAsked, m_srcDir + "|1");
    w->close();
    EXPECT_EQ(settingsLines().value(10), m_srcDir);  // the dialog's folder next time
}

TEST_F(WindowTest, FolderBoxIsEnabledOnlyForTheSpecifiedFolder)
{
    auto w = open();
    auto* edit = child<QLineEdit>(*w, "Edit1");
    auto* browse = child<QAbstractButton>(*w, "Button1");
    EXPECT_FALSE(edit->isEnabled());  // desktop by default
    for (const char* radio : {"RadioButton4", "RadioButton1", "RadioButton2", "RadioButton4", "RadioButton3",
                              "RadioButton5"}) {
        SCOPED_TRACE(radio);
        child<QAbstractButton>(*w, radio)->click();
        const bool specified = QByteArray(radio) == "RadioButton4";
        EXPECT_EQ(edit->isEnabled(), specified);
        EXPECT_EQ(browse->isEnabled(), specified);
    }
}

TEST_F(WindowTest, ListsHoldTheColourAndLineTypeNames)
{
    auto w = open();
    const auto items = [&](const char* name) {
        QStringList texts;
        const auto* combo = child<QComboBox>(*w, name);
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        return texts;
    };
    EXPECT_EQ(items("ComboBox2"), QStringList({"画面要素色", "プリンタ出力要素色"}));
    EXPECT_EQ(items("ComboBox3"),
        QStringList({"black", "red", "green", "blue", "yellow", "magenta", "cyan", "white", "deeppink", "brown",
                     "orange", "lightgreen", "lightblue", "lavender", "lightgray", "darkgray"}));
    const QStringList lineTypes = items("ComboBox4");
    EXPECT_EQ(lineTypes,
        QStringList({"実線", "破線", "跳び破線", "一点長鎖線", "二点長鎖線", "三点長鎖線", "点線", "一点鎖線",
                     "二点鎖線", "一点短鎖線", "一点二短鎖線", "二点短鎖線", "ニ点二短鎖線", "三点短鎖線",
                     "三点二短鎖線"}));
    ASSERT_EQ(lineTypes.size(), 15);
    EXPECT_EQ(lineTypes[12].at(0).unicode(), 0x30CB);  // katakana ニ
    EXPECT_EQ(lineTypes[11].at(0).unicode(), 0x4E8C);  // numeral 二
    // The plain look comes first and is the default.
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox1")->itemText(0), "Windows");
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox1")->currentText(), "Windows");
}

TEST_F(WindowTest, TextsAreExactAndHaveGlyphs)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(),
        QStringLiteral("JWWファイルをSFCファイルに変換 [Kestrune] Ver.1.10") + QChar(0x3000) + "© Kestrune developers");
    EXPECT_EQ(child<QGroupBox>(*w, "GroupBox1")->title(), "保存先(&F)");
    const auto* tabs = child<QTabWidget>(*w, "PageControl1");
    EXPECT_EQ(tabs->tabText(0), "設定(&S)");
    EXPECT_EQ(tabs->tabText(1), "ログ(&L)");
    EXPECT_EQ(tabs->tabPosition(), QTabWidget::South);
    EXPECT_EQ(child<QCheckBox>(*w, "CheckBox1")->text(), "変換後にSXFの検査をする");
    EXPECT_EQ(child<QLabel>(*w, "StatusBar1Text")->text(),
        "※保存先フォルダに同じ名前のファイルが存在する場合は名前に枝番が付きます");
    EXPECT_EQ(child<QLabel>(*w, "Label3")->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(child<QLabel>(*w, "Label3")->font().underline());
    // The window font resolves to a face made for Japanese (the gothic that
    // stands in for the Windows one), not to a Latin face that borrows glyphs.
    for (const QFont& font : {w->font(), child<QListWidget>(*w, "ListBox1")->font()}) {
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) << family.toStdString();
    }
    // Every Japanese character shown must exist in the font that shows it,
    // or it would be drawn as an empty box.
    const auto checkGlyphs = [](const QWidget* widget, const QString& text) {
        const QFontMetrics metrics(widget->font());
        for (const QChar c : text) {
            if (c.unicode() >= 0x3000) {
                EXPECT_TRUE(metrics.inFont(c))
                    << widget->objectName().toStdString() << " U+" << std::hex << int(c.unicode());
            }
        }
    };
    for (const QLabel* label : w->findChildren<QLabel*>())
        checkGlyphs(label, label->text());
    for (const QAbstractButton* button : w->findChildren<QAbstractButton*>())
        checkGlyphs(button, button->text());
    checkGlyphs(w.get(), w->windowTitle());
}

TEST_F(WindowTest, SettingsSurviveCloseAndReopen)
{
    const QString folder = m_srcDir;
    QRect frame;
    {
        auto w = open();
        child<QAbstractButton>(*w, "RadioButton4")->click();
        child<QLineEdit>(*w, "Edit1")->setText(folder);
        child<QComboBox>(*w, "ComboBox2")->setCurrentIndex(1);
        child<QComboBox>(*w, "ComboBox3")->setCurrentIndex(15);
        child<QComboBox>(*w, "ComboBox4")->setCurrentIndex(12);
        child<QComboBox>(*w, "ComboBox5")->setCurrentIndex(2);
        auto* check = child<QCheckBox>(*w, "CheckBox1");
        EXPECT_TRUE(check->isChecked());  // checking is on until the user turns it off
        check->click();
        auto* styles = child<QComboBox>(*w, "ComboBox1");
        ASSERT_GE(styles->count(), 2);
        emit styles->activated(1);  // as the user picks it
        w->move(120, 80);
        w->resize(500, 520);
        frame = w->frameGeometry();
        w->close();
    }
    ASSERT_EQ(frame.topLeft(), QPoint(120, 80));
    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 20);
    // The whole window's place and size, frame included.
    EXPECT_EQ(lines.mid(0, 4), QStringList({"120", "80", QString::number(frame.width()), QString::number(frame.height())}));
    EXPECT_EQ(lines.mid(4, 5), QStringList({"0", "0", "0", "1", "0"}));
    EXPECT_EQ(lines.value(9), folder);
    EXPECT_EQ(lines.mid(15), QStringList({"1", "15", "12", "0", "2"}));

    auto w = open();
    EXPECT_TRUE(child<QAbstractButton>(*w, "RadioButton4")->isChecked());
    EXPECT_TRUE(child<QLineEdit>(*w, "Edit1")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(*w, "Edit1")->text(), folder);
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox2")->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox5")->currentIndex(), 2);
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox3")->currentIndex(), 15);
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox4")->currentIndex(), 12);
    EXPECT_FALSE(child<QCheckBox>(*w, "CheckBox1")->isChecked());
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox1")->currentIndex(), 1);
    EXPECT_EQ(w->frameGeometry(), frame);
}

TEST_F(WindowTest, SettingsOutsideTheListsLeaveNoSelection)
{
    // No output choice and an auxiliary colour past the list: nothing is
    // selected, and the next save writes that back as it stands.
    ASSERT_TRUE(testsupport::writeFile(m_progDir + "Kestrune.dat",
        "50\r\n50\r\n480\r\n480\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\n\r\n1\r\nNoSuchStyle\r\nX\r\n0\r\n99\r\n0\r\n"));
    auto w = open();
    for (const QAbstractButton* b : w->findChild<QGroupBox*>("GroupBox1")->findChildren<QAbstractButton*>())
        EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox3")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(*w, "ComboBox1")->currentText(), "Windows");
    w->close();
    const QStringList lines = settingsLines();
    EXPECT_EQ(lines.mid(4, 5), QStringList({"0", "0", "0", "0", "0"}));
    EXPECT_EQ(lines.value(13), "Windows");
    EXPECT_EQ(lines.value(16), "-1");
}

TEST_F(WindowTest, DropDuringABatchRunsAfterIt)
{
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    const QString a = drawing("a.jww"), b = drawing("b.jww");
    // Every line as it is logged, across the clearing of the second batch.
    QStringList seen;
    const std::unique_ptr<QMimeData> mime(urlData({b}));
    auto* list = child<QListWidget>(*w, "ListBox1");
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, w.get(), [&](const QModelIndex&, int first) {
        const QString line = list->item(first)->text();
        if (!line.startsWith(kCheckPrefix))
            seen.append(line);
        // While the first worker runs, another file is dropped.
        if (seen.size() == 2)
            deliverDrop(*w, mime.get(), true);
    });
    drop(*w, {a});
    const QString summary = QStringLiteral("1件中1件を変換しました");
    EXPECT_EQ(seen, (triple(a, m_srcDir + "a.sfc", "変換完了") << summary) + (triple(b, m_srcDir + "b.sfc", "変換完了") << summary));
    EXPECT_EQ(logLines(*w), triple(b, m_srcDir + "b.sfc", "変換完了") << summary);  // the log of the last batch
}

TEST_F(WindowTest, CloseDuringABatchFinishesTheCurrentFileFirst)
{
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    const QString a = drawing("a.jww"), b = drawing("b.jww");
    auto* list = child<QListWidget>(*w, "ListBox1");
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, w.get(), [&](const QModelIndex&, int first) {
        if (first == 1)
            QMetaObject::invokeMethod(w.get(), &QWidget::close, Qt::QueuedConnection);
    });
    const std::unique_ptr<QMimeData> mime(urlData({a, b}));
    deliverDrop(*w, mime.get(), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->isVisible(); }, 60000));
    EXPECT_EQ(logLines(*w), triple(a, m_srcDir + "a.sfc", "変換完了"));  // closing: no summary
    EXPECT_TRUE(QFile::exists(m_srcDir + "a.sfc"));
    EXPECT_FALSE(QFile::exists(m_srcDir + "b.sfc"));
    EXPECT_EQ(settingsLines().size(), 20);
}

TEST_F(WindowTest, BatchShowsItsProgressAndEndsScrolledToTheSummary)
{
#ifndef Q_OS_UNIX
    GTEST_SKIP() << "the failing worker is a shell script";
#endif
    // Files named "bad" fail with a reason; the real worker converts the rest.
    ASSERT_TRUE(QFile::rename(m_progDir + "Ondrelle", m_progDir + "Ondrelle.real"));
    ASSERT_TRUE(testsupport::writeFile(m_progDir + "Ondrelle",
        "#!/bin/sh\ncase \"$1\" in *bad*) echo 'ファイルが途中で切れています' >&2; exit 1;; esac\n"
        "exec \"$(dirname \"$0\")/Ondrelle.real\" \"$@\"\n"));
    ASSERT_TRUE(QFile::setPermissions(m_progDir + "Ondrelle", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    QStringList files;
    for (int i = 1; i <= 8; ++i)
        files.append(drawing(QString(i == 3 || i == 6 ? "bad%1.jww" : "plan%1.jww").arg(i)));

    auto* list = child<QListWidget>(*w, "ListBox1");
    auto* tabs = child<QTabWidget>(*w, "PageControl1");
    auto* status = child<QLabel>(*w, "StatusBar1Text");
    // Shown from top to bottom; a line wider than the list (a check line)
    // is still shown when its beginning is.
    const auto lastLineShown = [list] {
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        const QRect shown = list->viewport()->rect();
        return !last.isEmpty() && last.top() >= shown.top() && last.bottom() <= shown.bottom() && last.left() >= shown.left();
    };
    QStringList progress;
    QObject::connect(w.get(), &MainWindow::batchFileStarted, w.get(), [&](int number, int count) {
        progress.append(QStringLiteral("%1 of %2: ").arg(number).arg(count) + status->text());
        EXPECT_EQ(tabs->currentWidget(), child<QWidget>(*w, "TabSheet2")) << number;
        if (list->count() > 0) {
            EXPECT_TRUE(lastLineShown()) << number;
        }
    });
    drop(*w, files);

    QStringList expectedProgress;
    for (int i = 1; i <= 8; ++i)
        expectedProgress.append(QStringLiteral("%1 of 8: %1 / 8　").arg(i) + common::ExtractName(files[i - 1]));
    EXPECT_EQ(progress, expectedProgress);
    const QStringList lines = logLines(*w);
    ASSERT_EQ(lines.size(), 8 * 3 + 2 + 1);
    EXPECT_EQ(lines.mid(6, 4), triple(files[2], m_srcDir + "bad3.sfc", "変換失敗") << "　　　理由：ファイルが途中で切れています");
    EXPECT_EQ(lines.mid(10, 3), triple(files[3], m_srcDir + "plan4.sfc", "変換完了"));
    EXPECT_EQ(lines.last(), "8件中6件を変換しました（失敗2件）");
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);  // more lines than the list shows at once
    EXPECT_TRUE(lastLineShown());
    EXPECT_EQ(status->text(), kStatusNote);
}

TEST_F(WindowTest, SavedPlaceAndSizeComeBackAtEveryStart)
{
    ASSERT_TRUE(testsupport::writeFile(m_progDir + "Kestrune.dat", "300\r\n200\r\n600\r\n500\r\n"));
    for (int start = 1; start <= 10; ++start) {
        SCOPED_TRACE(start);
        auto w = open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        EXPECT_EQ(w->frameGeometry(), QRect(300, 200, 600, 500));
        w->close();
        EXPECT_EQ(settingsLines().mid(0, 4), QStringList({"300", "200", "600", "500"}));
    }
}

TEST_F(WindowTest, DialogsSpeakJapaneseStartWhereAskedAndShowEveryColumn)
{
    auto w = open();
    ASSERT_TRUE(testsupport::writeFile(m_srcDir + "plan.jww", "x"));
    ASSERT_TRUE(QDir().mkdir(m_srcDir + "図面"));
    std::vector<std::unique_ptr<QFileDialog>> dialogs;
    dialogs.push_back(makeOpenDialog(w.get(), m_srcDir, 1));
    dialogs.push_back(makeFolderDialog(w.get(), "変換後のファイルを保存するフォルダを指定して下さい", m_srcDir));
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        EXPECT_EQ(dialog->directory().absolutePath(), QDir(m_srcDir).absolutePath());
        // Qt's own texts are in Japanese.
        const auto* lookIn = dialog->findChild<QLabel*>("lookInLabel");
        ASSERT_NE(lookIn, nullptr);
        EXPECT_EQ(lookIn->text(), QCoreApplication::translate("QFileDialog", "Look in:"));
        EXPECT_NE(lookIn->text(), "Look in:");
        const auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
        ASSERT_NE(buttons, nullptr);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "キャンセル");
        // The list shows name, size, kind and date, each column whole.
        const auto* tree = dialog->findChild<QTreeView*>("treeView");
        ASSERT_NE(tree, nullptr);
        EXPECT_TRUE(tree->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([tree] { return tree->model()->rowCount(tree->rootIndex()) > 0; }, 10000));
        QTest::qWait(50);
        const QHeaderView* header = tree->header();
        const auto* view = static_cast<const QAbstractItemView*>(tree);
        ASSERT_GE(header->count(), 4);
        for (int column = 0; column < 4; ++column) {
            SCOPED_TRACE(column);
            EXPECT_FALSE(header->isSectionHidden(column));
            EXPECT_LE(header->sectionViewportPosition(column) + header->sectionSize(column), tree->viewport()->width());
            if (column > 0) {
                EXPECT_GE(header->sectionSize(column), view->sizeHintForColumn(column));  // nothing cut short
            }
        }
        EXPECT_GE(header->sectionSize(0), 250);  // room for a drawing's name
        dialog->close();
    }
}

#ifndef Q_OS_WIN
TEST_F(WindowTest, EscapeKeyStateFollowsTheWindowsKeys)
{
    // Without a global key state, the key is followed through the events the
    // application delivers; a batch asks it between files.
    auto w = std::make_unique<MainWindow>(WindowEnvironment::forProgram(m_progDir + "Kestrune"));
    w->show();
    const auto send = [&](QEvent::Type type, bool autoRepeat) {
        QKeyEvent key(type, Qt::Key_Escape, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(w.get(), &key);
    };
    const WindowEnvironment env = WindowEnvironment::forProgram(m_progDir + "Kestrune");
    EXPECT_FALSE(env.escapeKeyHeld());
    send(QEvent::KeyPress, false);
    EXPECT_TRUE(env.escapeKeyHeld());
    send(QEvent::KeyRelease, true);  // auto-repeat: still held
    EXPECT_TRUE(env.escapeKeyHeld());
    send(QEvent::KeyRelease, false);
    EXPECT_FALSE(env.escapeKeyHeld());
}
#endif

namespace {

// The preview windows open now, and closes them when done.
struct Previews {
    static std::vector<PreviewWindow*> open()
    {
        std::vector<PreviewWindow*> found;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* preview = qobject_cast<PreviewWindow*>(w); preview && preview->isVisible())
                found.push_back(preview);
        }
        return found;
    }
    ~Previews()
    {
        for (PreviewWindow* w : open())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

void doubleClickRow(QListWidget& list, int row)
{
    // A double click is a click, then a second press that the system
    // reports as a double click.
    const QPoint at = list.visualItemRect(list.item(row)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace

TEST_F(WindowTest, ConvertedFilesOpenInPreviewsFromTheLogAndFromDrops)
{
    Previews previews;
    auto w = open();
    child<QAbstractButton>(*w, "RadioButton3")->click();
    drop(*w, {drawing("a.jww")});
    auto& log = *child<QListWidget>(*w, "ListBox1");
    ASSERT_EQ(log.item(1)->text(), kArrowPrefix + m_srcDir + "a.sfc");
    doubleClickRow(log, 0);  // the source line names no converted file
    EXPECT_TRUE(Previews::open().empty());
    doubleClickRow(log, 1);  // "→ …a.sfc"
    doubleClickRow(log, 2);  // "　…… 変換完了"
    ASSERT_EQ(Previews::open().size(), 2u);
    for (PreviewWindow* p : Previews::open()) {
        EXPECT_TRUE(p->windowTitle().startsWith("a.sfc"));
        EXPECT_GT(p->document().scene->shapes.size(), 0u);
    }
    // A dropped .sfc opens a third window and converts nothing.
    const QStringList before = logLines(*w);
    const std::unique_ptr<QMimeData> mime(urlData({m_srcDir + "a.sfc"}));
    deliverDrop(*w, mime.get(), false);
    QCoreApplication::processEvents();
    EXPECT_EQ(Previews::open().size(), 3u);
    EXPECT_EQ(logLines(*w), before);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(WindowTest, UnreadableSfcSaysWhyAndOpensNothing)
{
    Previews previews;
    auto w = open();
    ASSERT_TRUE(testsupport::writeFile(m_srcDir + "broken.sfc", "not a drawing"));
    const std::unique_ptr<QMimeData> mime(urlData({m_srcDir + "broken.sfc", m_srcDir + "missing.sfc"}));
    deliverDrop(*w, mime.get(), false);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Previews::open().empty());
    ASSERT_EQ(m_messages.size(), 2);
    EXPECT_TRUE(m_messages[0].startsWith("「broken.sfc」を表示できません。\n1行目："));
    EXPECT_TRUE(m_messages[1].startsWith("「missing.sfc」を表示できません。\nファイルを開けません"));
    EXPECT_FALSE(w->isBatchRunning());
}

TEST_F(WindowTest, FileDialogOffersSxfFilesBesideTheDrawings)
{
    auto w = open();
    const std::unique_ptr<QFileDialog> dialog = makeOpenDialog(w.get(), m_srcDir, 2);
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Jw_cad 図面ファイル (*.jww)", "SXFファイル (*.sfc *.p21)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), "SXFファイル (*.sfc *.p21)");
}
