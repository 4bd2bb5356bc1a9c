// Takes the screenshot that describes the program in software centres: the real main window,
// offscreen, on a fresh library in a temporary directory, with the starter chapter open and
// a few lines typed into it. Run at build time, so the picture follows the program's looks.
#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "app/messages.h"
#include "app/platform/desktopservices.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeView>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lorvane_screenshot OUTPUT.png\n");
        return 2;
    }
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    AppDirs::setRoot(dir.path());
    // Nothing may wait for a click in a build, and nothing reaches the desktop.
    bool failed = false;
    Messages::setPresenter([&failed](const QString& text, int) {
        std::fprintf(stderr, "lorvane_screenshot: %s\n", qPrintable(text));
        failed = true;
        return 0;
    });
    Platform::install(new NullDesktopServices);
    Resources::init();

    int status = 1;
    {
        MainWindow w;
        if (!w.isInitialised())
            return 1;
        w.resize(1100, 720);
        w.show();
        auto* tree = w.findChild<QTreeView*>(QStringLiteral("treeView"));
        tree->expandAll();
        const QModelIndex book = tree->model()->index(0, 0);
        const QModelIndex chapter = tree->model()->index(0, 0, tree->model()->index(0, 0, book));
        QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, chapter));
        auto* editor = w.findChild<QTextEdit*>(QStringLiteral("textEdit"));
        editor->moveCursor(QTextCursor::End);
        editor->insertPlainText(QStringLiteral(
            "    夜色渐深，长街尽头的灯笼一盏接一盏亮了起来。\n"
            "    "
            "林晚推开客栈的木门，风里带着雨后泥土的气味。她在窗边坐下，摊开那本写了一半的手稿。\n"
            "    “今晚，无论如何也要把这一章写完。”"));
        QApplication::processEvents();
        if (!failed && w.grab().save(QString::fromLocal8Bit(argv[1])))
            status = 0;
    }
    Platform::install(nullptr);
    return status;
}
