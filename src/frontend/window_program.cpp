// Running the window, normally or for a screenshot.
#include "frontend/window_program.h"

#include "frontend/main_window.h"
#include "frontend/preview/check_panel.h"
#include "frontend/preview/drawing_file.h"
#include "frontend/preview/preview_window.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace frontend {

int runWindow(const QStringList& files)
{
    if (!files.isEmpty() && std::all_of(files.begin(), files.end(), isPreviewFile)) {
        int shown = 0;
        for (const QString& path : files) {
            if (openPreview(path, [](const QString& text) { QMessageBox::warning(nullptr, QStringLiteral("Kestrune"), text); }))
                ++shown;
        }
        return shown > 0 ? QApplication::exec() : 1;
    }
    MainWindow window(WindowEnvironment::system());
    window.show();
    // The batch starts once the window has been shown and painted.
    QTimer::singleShot(0, &window, [&window, files] { window.FormShow(files); });
    return QApplication::exec();
}

namespace {

// The preview window of `file`, fitted, saved as `png`.
int shootPreview(const QString& png, const QString& file)
{
    PreviewWindow* window = openPreview(file, [](const QString& text) { std::fputs(qPrintable(text + u'\n'), stderr); });
    if (!window)
        return 1;
    // The picture shows what the check found.
    if (auto* panel = window->findChild<CheckPanel*>(); panel && !panel->isDone()) {
        QEventLoop loop;
        QObject::connect(panel, &CheckPanel::done, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QApplication::processEvents();
    const bool saved = window->grab().save(png, "PNG");
    window->close();
    return saved ? 0 : 1;
}

}  // namespace

int runScreenshot(const QStringList& args)
{
    if (args.size() == 2 && isPreviewFile(args[1]))
        return shootPreview(args[0], args[1]);
    if (args.isEmpty()) {
        std::fputs("usage: Kestrune --screenshot PNG [--during N PNG] [--out DIR | --beside] FILE...\n"
                   "       Kestrune --screenshot PNG FILE.sfc\n", stderr);
        return 2;
    }
    const QString png = args.first();
    QStringList files = args.mid(1);
    int duringFile = 0;
    QString duringPng;
    if (files.size() >= 3 && files.first() == u"--during") {
        duringFile = files[1].toInt();
        duringPng = files[2];
        files.remove(0, 3);
    }
    std::optional<OutputChoice> choice;
    QString folder;
    if (!files.isEmpty() && files.first() == u"--beside") {
        choice = OutputChoice::BesideSource;
        files.removeFirst();
    } else if (files.size() >= 2 && files.first() == u"--out") {
        choice = OutputChoice::Specified;
        folder = QDir::toNativeSeparators(QFileInfo(files[1]).absoluteFilePath()) + QDir::separator();
        files.remove(0, 2);
    }

    MainWindow window(WindowEnvironment::system());
    if (choice)
        window.selectOutput(*choice, folder);
    window.show();
    bool saved = false;
    const auto shoot = [&] {
        saved = window.grab().save(png, "PNG");
        window.close();
    };
    QObject::connect(&window, &MainWindow::batchesFinished, &window, shoot);
    bool duringSaved = duringPng.isEmpty();
    QObject::connect(&window, &MainWindow::batchFileStarted, &window, [&](int number, int) {
        // Taken from the event loop that waits for this file's worker, once
        // the file's lines are in the log.
        if (number == duringFile)
            QTimer::singleShot(0, &window, [&] { duringSaved = window.grab().save(duringPng, "PNG"); });
    });
    QTimer::singleShot(0, &window, [&] {
        if (window.FormShow(files) == 0)
            shoot();
    });
    QApplication::exec();
    return saved && duringSaved ? 0 : 1;
}

}  // namespace frontend
