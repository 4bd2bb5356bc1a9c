// Start-up of the main window and the chapter save.
#include "benchtable.h"

#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "library/filecreate.h"
#include "library/sqliteoper.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString chapterText(int chars)
{
    QString text;
    text.reserve(chars + chars / 50);
    const QString sentence = QStringLiteral("　　夜色渐深，客栈里只剩下他一个人，灯火摇曳。");
    while (text.size() < chars)
        text += sentence + (text.size() % 1000 < sentence.size() ? "\n\n" : "");
    text.truncate(chars);
    return text;
}

std::unique_ptr<QTemporaryDir> g_dir;

BenchRegistrar spine([] {
    std::vector<BenchCase> cases;
    cases.push_back({"start-up to shown main window (first start)", "empty directory", 15, 300,
                     [] {
                         {
                             MainWindow w;
                             w.show();
                             if (!QTest::qWaitForWindowExposed(&w))
                                 qWarning("window not exposed");
                         }
                         SqliteOper::closeDatabase();
                     },
                     [] {
                         g_dir = std::make_unique<QTemporaryDir>();
                         AppDirs::setRoot(g_dir->path());
                     }});

    // The same start on the directory a first start left: the difference between the two is
    // what the first start's files (config.ini, database, starter library) cost.
    cases.push_back(
        {"start-up to shown main window (second start)", "starter library", 15, 300, [] {
             {
                 MainWindow w;
                 w.show();
                 if (!QTest::qWaitForWindowExposed(&w))
                     qWarning("window not exposed");
             }
             SqliteOper::closeDatabase();
         }});
    // config.ini with every default, written atomically and synced.
    cases.push_back({"first start: config.ini defaults", "fresh file", 15, 20,
                     [] { FileCreate::writeDefaultConfig(); },
                     [] {
                         g_dir = std::make_unique<QTemporaryDir>();
                         AppDirs::setRoot(g_dir->path());
                     }});

    static QString text = chapterText(200000);
    static QTemporaryDir saveDir;
    static const QString path = saveDir.path() + "/chapter.txt";
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.close();
    cases.push_back(
        {"saveFile", "200,000 characters", 31, 5, [] { FileCreate::saveFile(path, text); }});
    return cases;
});

} // namespace
