// Import, export and delete of a large book.
#include "benchtable.h"

#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "library/filechooser.h"
#include "library/sqliteoper.h"
#include "settings/config.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeView>

#include <memory>

namespace {

constexpr int kVolumes = 50;
constexpr int kChapters = 100;
const QString kBook = QStringLiteral("长篇");

// 50 volumes x 100 chapters of about 3,000 bytes: some 15 MB in 5,000 files.
QString sourceBook()
{
    static QTemporaryDir dir;
    static bool built = false;
    const QString book = dir.path() + "/" + kBook;
    if (!built) {
        built = true;
        const QString sentence =
            QStringLiteral("　　夜色渐深，客栈里只剩下他一个人，灯火摇曳。\n\n");
        QByteArray bytes;
        while (bytes.size() < 3000)
            bytes += sentence.toUtf8();
        for (int v = 1; v <= kVolumes; ++v) {
            const QString volume = book + QStringLiteral("/第%1卷").arg(v);
            QDir().mkpath(volume);
            for (int c = 1; c <= kChapters; ++c) {
                QFile f(volume + QStringLiteral("/第%1章.txt").arg(c));
                if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
                    qFatal("cannot write the source book");
            }
        }
    }
    return book;
}

std::unique_ptr<QTemporaryDir> g_app;
MainWindow* g_window = nullptr;

QTreeView* tree() { return g_window->findChild<QTreeView*>("treeView"); }

// A fresh application directory with its starter library, the window open on it.
void freshWindow()
{
    delete g_window;
    g_window = nullptr;
    SqliteOper::closeDatabase();
    g_app = std::make_unique<QTemporaryDir>();
    AppDirs::setRoot(g_app->path());
    Config::writeDefaults(AppDirs::configPath(), g_app->path());
    g_window = new MainWindow;
    FileChooser::setImportChooser([](QWidget*) { return sourceBook(); });
}

void importBook()
{
    QMetaObject::invokeMethod(g_window, "importBooks_slot");
    const QAbstractItemModel* model = tree()->model();
    const QModelIndex book = model->index(1, 0);
    if (book.data().toString() != kBook || model->rowCount(book) != kVolumes ||
        model->rowCount(model->index(kVolumes - 1, 0, book)) != kChapters)
        qFatal("the book was not imported");
}

void selectBook() { tree()->setCurrentIndex(tree()->model()->index(1, 0)); }

BenchRegistrar library([] {
    std::vector<BenchCase> cases;
    cases.push_back(
        {"import a book (copy and index)", "50x100 files, 15 MB", 5, 3000, importBook, [] {
             sourceBook();
             freshWindow();
         }});
    cases.push_back({"export a book", "50x100 chapters, 15 MB", 9, 1000,
                     [] {
                         QMetaObject::invokeMethod(g_window, "exportBooks_slot");
                         if (QFileInfo(g_app->path() + "/export.txt").size() < 15000000)
                             qFatal("the export is incomplete");
                     },
                     [] {
                         if (!g_window || tree()->model()->rowCount() != 2) {
                             freshWindow();
                             importBook();
                         }
                         selectBook();
                         const QString out = g_app->path() + "/export.txt";
                         QFile::remove(out);
                         FileChooser::setExportChooser(
                             [out](QWidget*, const QString&) { return out; });
                     }});
    cases.push_back({"delete a book (into the recycle bin)", "50x100 files, 15 MB", 5, 3000,
                     [] {
                         QMetaObject::invokeMethod(g_window, "deleteBooks_slot");
                         if (tree()->model()->rowCount() != 1 ||
                             QFileInfo::exists(AppDirs::libraryPrefix() + kBook))
                             qFatal("the book was not deleted");
                     },
                     [] {
                         freshWindow();
                         importBook();
                         selectBook();
                     }});
    return cases;
});

} // namespace
