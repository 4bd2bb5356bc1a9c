// Start-up with a large library and the opening of a long chapter.
#include "benchtable.h"

#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "library/catalogstore.h"
#include "library/sqliteoper.h"
#include "settings/config.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>

#include <memory>

namespace {

constexpr int kBooks = 100;
constexpr int kVolumes = 10;
constexpr int kChapters = 100;

// The windows of a case live from one run to the next preparation; the last one is left
// to the end of the process, which has no application object left to destroy it with.
MainWindow* g_window = nullptr;

void closeWindow()
{
    delete g_window;
    g_window = nullptr;
    SqliteOper::closeDatabase();
}

void prepareDirectory(const QString& dir)
{
    AppDirs::setRoot(dir);
    if (!QFile::exists(AppDirs::configPath()))
        Config::writeDefaults(AppDirs::configPath(), dir);
}

// 100 books x 10 volumes x 100 chapters, as rows only: loading the tree reads no files.
QString largeLibrary()
{
    static QTemporaryDir dir;
    static bool built = false;
    if (!built) {
        built = true;
        prepareDirectory(dir.path());
        SqliteOper::ensureBooksTable();
        QSqlDatabase db;
        SqliteOper::openDatabase(db);
        db.transaction();
        QSqlQuery q(db);
        q.prepare("insert into books values(?,?,?,?,?,?,0)");
        int id = 0;
        auto add = [&](const QString& name, int type, int pid, int sort) {
            q.addBindValue(++id);
            q.addBindValue(name);
            q.addBindValue(QString());
            q.addBindValue(type);
            q.addBindValue(pid);
            q.addBindValue(sort);
            q.exec();
            return id;
        };
        for (int b = 1; b <= kBooks; ++b) {
            const int book = add(QStringLiteral("第%1本书").arg(b), 1, 0, b);
            for (int v = 1; v <= kVolumes; ++v) {
                const int volume = add(QStringLiteral("第%1卷").arg(v), 2, book, v);
                for (int c = 1; c <= kChapters; ++c)
                    add(QStringLiteral("第%1章 风起").arg(c), 3, volume, c);
            }
        }
        db.commit();
        closeWindow();
    }
    return dir.path();
}

QString longChapter(int chars)
{
    QString text;
    const QString sentence = QStringLiteral("　　夜色渐深，客栈里只剩下他一个人，灯火摇曳。");
    while (text.size() < chars)
        text += sentence + (text.size() % 1000 < sentence.size() ? "\n\n" : "");
    text.truncate(chars);
    return text;
}

// One book with a short chapter and two chapters of 200,000 characters; its window shown.
MainWindow* longChapterWindow()
{
    static QTemporaryDir dir;
    if (g_window && AppDirs::root() == dir.path())
        return g_window;
    closeWindow();
    prepareDirectory(dir.path());
    SqliteOper::ensureBooksTable();
    const QString volume = AppDirs::libraryPrefix() + "书/卷/";
    QDir().mkpath(volume);
    const QString text = longChapter(200000);
    const QList<QPair<QString, QString>> chapters{{"短", "开头"}, {"长", text}, {"长二", text}};
    CatalogStore::insertItem(1, "书", QString(), 1, 0, 1);
    CatalogStore::insertItem(2, "卷", QString(), 2, 1, 1);
    for (int i = 0; i < chapters.size(); ++i) {
        CatalogStore::insertItem(3 + i, chapters[i].first, QString(), 3, 2, i + 1);
        QFile f(volume + chapters[i].first + ".txt");
        if (f.open(QIODevice::WriteOnly))
            f.write(chapters[i].second.toUtf8());
    }
    SqliteOper::closeDatabase();
    g_window = new MainWindow;
    g_window->show();
    if (!QTest::qWaitForWindowExposed(g_window))
        qWarning("window not exposed");
    return g_window;
}

void open(MainWindow* w, int row)
{
    auto* model = qobject_cast<QStandardItemModel*>(w->findChild<QTreeView*>("treeView")->model());
    const QModelIndex chapter = model->index(row, 0, model->index(0, 0, model->index(0, 0)));
    QMetaObject::invokeMethod(w, "on_treeView_clicked", Q_ARG(QModelIndex, chapter));
    // Until the editor has painted the new text the author has not seen it.
    QCoreApplication::processEvents();
    if (w->findChild<QTextEdit*>("textEdit")->document()->characterCount() < 200000 && row > 0)
        qFatal("the long chapter did not open");
}

BenchRegistrar catalog([] {
    std::vector<BenchCase> cases;
    cases.push_back({"start-up to shown, filled tree", "100x10x100, 101,100 rows", 7, 1500,
                     [] {
                         g_window = new MainWindow;
                         g_window->show();
                         if (!QTest::qWaitForWindowExposed(g_window))
                             qWarning("window not exposed");
                         QCoreApplication::processEvents();
                         const auto* model = g_window->findChild<QTreeView*>("treeView")->model();
                         const QModelIndex lastBook = model->index(kBooks - 1, 0);
                         if (model->rowCount() != kBooks || model->rowCount(lastBook) != kVolumes ||
                             model->rowCount(model->index(kVolumes - 1, 0, lastBook)) != kChapters)
                             qFatal("the catalog is not filled");
                     },
                     [] {
                         closeWindow();
                         prepareDirectory(largeLibrary());
                     }});
    cases.push_back({"open a chapter (from a short one)", "200,000 characters", 15, 50,
                     [] { open(g_window, 1); }, [] { open(longChapterWindow(), 0); }});
    cases.push_back({"switch between two long chapters", "200,000 saved + opened", 15, 50,
                     [] {
                         static int next = 1;
                         next = next == 1 ? 2 : 1;
                         open(g_window, next);
                     },
                     [] { longChapterWindow(); }});
    return cases;
});

} // namespace
