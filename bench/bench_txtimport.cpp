// A whole book from one text file: the split with its preview, and the import behind it.
#include "benchtable.h"

#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "library/filechooser.h"
#include "library/sqliteoper.h"
#include "library/txtimportdialog.h"
#include "settings/config.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>

namespace {

constexpr int kVolumes = 10;
constexpr int kChapters = 200;

// 10 volumes x 200 chapters of about 1,650 characters: some 3.3 million characters, 10 MB.
QString sourceFile()
{
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/长篇.txt");
    if (!QFile::exists(path)) {
        const QString paragraph = QStringLiteral(
            "　　夜色渐深，客栈里只剩下他一个人，灯火摇曳，窗外的雨一直没有停。\n\n");
        QString chapter;
        while (chapter.size() < 1650)
            chapter += paragraph;
        QString book;
        for (int v = 1; v <= kVolumes; ++v) {
            book += QStringLiteral("第%1卷 风云\n\n").arg(v);
            for (int c = 1; c <= kChapters; ++c)
                book += QStringLiteral("第%1章 夜雨\n\n").arg((v - 1) * kChapters + c) + chapter;
        }
        QFile f(path);
        const QByteArray bytes = book.toUtf8();
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write the source file");
    }
    return path;
}

std::unique_ptr<QTemporaryDir> g_app;
MainWindow* g_window = nullptr;

void freshWindow()
{
    delete g_window;
    g_window = nullptr;
    SqliteOper::closeDatabase();
    g_app = std::make_unique<QTemporaryDir>();
    AppDirs::setRoot(g_app->path());
    Config::writeDefaults(AppDirs::configPath(), g_app->path());
    g_window = new MainWindow;
    FileChooser::setImportTextChooser([](QWidget*) { return sourceFile(); });
}

void checkPlan(const TxtBook::Plan& plan)
{
    if (plan.volumes.size() != kVolumes || plan.chapterCount != kVolumes * kChapters)
        qFatal("the split is wrong");
}

void previewBook()
{
    QString text;
    if (TxtBook::read(sourceFile(), &text) != TxtBook::ReadResult::Ok)
        qFatal("cannot read the source file");
    TxtImportDialog preview(text, QStringLiteral("长篇"), {});
    checkPlan(preview.plan());
}

void importBook()
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll] {
        auto* preview = g_window->findChild<TxtImportDialog*>();
        if (preview && preview->isVisible()) {
            poll.stop();
            checkPlan(preview->plan());
            preview->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        }
    });
    poll.start(1);
    QMetaObject::invokeMethod(g_window, "importTxt_slot");
    const QAbstractItemModel* model = g_window->findChild<QTreeView*>("treeView")->model();
    const QModelIndex book = model->index(1, 0);
    if (book.data().toString() != QStringLiteral("长篇") || model->rowCount(book) != kVolumes ||
        model->rowCount(model->index(kVolumes - 1, 0, book)) != kChapters)
        qFatal("the book was not imported");
}

BenchRegistrar txtImport([] {
    std::vector<BenchCase> cases;
    cases.push_back({"split a whole-book TXT and fill its preview", "10x200 chapters, 10 MB", 5,
                     500, previewBook, [] { sourceFile(); }});
    cases.push_back({"import a whole-book TXT (write and index)", "10x200 chapters, 10 MB", 5, 3000,
                     importBook, [] {
                         sourceFile();
                         freshWindow();
                     }});
    return cases;
});

} // namespace
