// The editor's per-keystroke work on a long chapter in the real main window: the recount
// on every cursor movement, Return with its typesetting and save, and one-key typesetting.
#include "benchtable.h"

#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "app/platform/desktopservices.h"
#include "app/platform/soundplayer.h"
#include "library/sqliteoper.h"
#include "settings/config.h"

#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include <memory>

namespace {

class SilentSounds : public SoundPlayer
{
public:
    void play(const QString&) override {}
};

// Paragraphs of a web novel as typed: indents, stray spaces and blank lines.
QString rawChapter(int chars)
{
    const QString paragraph =
        QStringLiteral("  夜色渐深，客栈里只剩下他一个人， 灯火摇曳。窗外 风声渐紧。\n\n");
    QString text;
    text.reserve(chars + paragraph.size());
    while (text.size() < chars)
        text += paragraph;
    text.truncate(chars);
    return text;
}

// One main window with a 200,000-character chapter open, with or without a 3840 x 2160
// background picture in the current theme.
class EditorBench
{
public:
    explicit EditorBench(bool picture)
    {
        AppDirs::setRoot(m_dir.path());
        Platform::install(new NullDesktopServices);
        Sounds::install(new SilentSounds);
        const QString config = AppDirs::configPath();
        Config::writeDefaults(config, m_dir.path());
        if (picture) {
            const QString path = m_dir.path() + "/背景.jpg";
            QImage img(3840, 2160, QImage::Format_RGB32);
            img.fill(QColor("#6b8e23"));
            img.save(path, "JPG");
            std::unique_ptr<QSettings> s(Config::open(config));
            s->setValue("UIOption_1/bg_image", path);
        }
        window = std::make_unique<MainWindow>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not exposed");
        edit = window->findChild<QTextEdit*>("textEdit");

        // The starter chapter, filled on disk and opened from the catalog as the author would.
        auto* tree = window->findChild<QTreeView*>("treeView");
        const QModelIndex volume = tree->model()->index(0, 0, tree->model()->index(0, 0));
        const QModelIndex chapter = tree->model()->index(0, 0, volume);
        QMetaObject::invokeMethod(window.get(), "on_treeView_clicked", Q_ARG(QModelIndex, volume));
        QFile f(AppDirs::libraryDir() + "/默认书名[1]/默认分卷[1]/默认章节[1].txt");
        if (f.open(QIODevice::WriteOnly))
            f.write(rawChapter(200000).toUtf8());
        f.close();
        QMetaObject::invokeMethod(window.get(), "on_treeView_clicked", Q_ARG(QModelIndex, chapter));
        if (edit->toPlainText().size() != 200000)
            qWarning("the long chapter did not open");
        edit->moveCursor(QTextCursor::End);
        QApplication::processEvents();
    }
    ~EditorBench()
    {
        window.reset();
        SqliteOper::closeDatabase();
        Platform::install(nullptr);
        Sounds::install(nullptr);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> window;
    QTextEdit* edit = nullptr;
};

std::unique_ptr<EditorBench> g_bench;
bool g_picture = false;

EditorBench& bench(bool picture)
{
    if (!g_bench || g_picture != picture) {
        // The window must go before the application object does.
        static const bool cleanupAdded = (qAddPostRoutine([] { g_bench.reset(); }), true);
        Q_UNUSED(cleanupAdded);
        g_bench.reset();
        g_bench = std::make_unique<EditorBench>(picture);
        g_picture = picture;
    }
    AppDirs::setRoot(g_bench->m_dir.path());
    return *g_bench;
}

// Alternating directions keep the cursor in the same place over many runs.
void moveCursor()
{
    static bool right = true;
    QTest::keyClick(g_bench->edit, right ? Qt::Key_Right : Qt::Key_Left);
    right = !right;
    QApplication::processEvents();
}

// The open chapter at `chars` characters, the cursor at its end.
void chapterOf(int chars)
{
    EditorBench& b = bench(false);
    if (b.edit->document()->characterCount() - 1 != chars) {
        b.edit->setPlainText(rawChapter(chars));
        b.edit->moveCursor(QTextCursor::End);
        QApplication::processEvents();
    }
}

// What a cursor movement costs the program itself: the recount, the label and the title.
void recount()
{
    QMetaObject::invokeMethod(g_bench->window.get(), "on_textEdit_cursorPositionChanged");
}

// One typed character and its removal, so the chapter keeps its length over many runs.
void typeAtEnd()
{
    QTest::keyClick(g_bench->edit, Qt::Key_A);
    QTest::keyClick(g_bench->edit, Qt::Key_Backspace);
    QApplication::processEvents();
}

BenchRegistrar editor([] {
    std::vector<BenchCase> cases;
    cases.push_back({"cursor movement (recount, label, title)", "200,000 characters", 51, 3,
                     moveCursor, [] { bench(false); }});
    cases.push_back({"cursor movement, 3840x2160 background", "200,000 characters", 51, 3,
                     moveCursor, [] { bench(true); }});
    cases.push_back({"Return (insert, typesetting, atomic save)", "200,000 characters", 31, 10,
                     [] {
                         QTest::keyClick(g_bench->edit, Qt::Key_Return);
                         QApplication::processEvents();
                     },
                     [] { bench(true); }});
    cases.push_back({"one-key typesetting", "1,000,000 characters", 7, 400,
                     [] {
                         g_bench->window->findChild<QToolButton*>("one_key")->click();
                         QApplication::processEvents();
                     },
                     [] {
                         bench(false).edit->setPlainText(rawChapter(1000000));
                         QApplication::processEvents();
                     }});
    cases.push_back({"recount, label and title after a cursor movement", "200,000 characters", 201,
                     0.1, recount, [] { chapterOf(200000); }});
    cases.push_back({"recount, label and title after a cursor movement", "2,000,000 characters",
                     201, 0.2, recount, [] { chapterOf(2000000); }});
    // The long chapter's key may cost no more than the short one's plus a fifth.
    cases.push_back({"typing a character and deleting it at the end", "2,000 characters", 101, 10,
                     typeAtEnd, [] { chapterOf(2000); }});
    cases.push_back({"typing a character and deleting it at the end", "220,000 characters", 101, 10,
                     typeAtEnd, [] { chapterOf(220000); }});
    return cases;
});

} // namespace
