#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "search/chapterreplace.h"
#include "search/searchrun.h"
#include "search/searchwindow.h"
#include "search/textmatcher.h"

#include <QtTest>
#include <QtWidgets>

// Data safety: a chapter is copied into the backup directory before a replacement changes
// it, a file that does not decode cleanly is never rewritten, and the open chapter changes
// in the editor only, so the editor and its file never disagree.
class TstSearchWindow : public QObject
{
    Q_OBJECT
private slots:
    void matchesAndReplaces_data();
    void matchesAndReplaces();
    void runReportsInCatalogOrderAndStopsWhenCancelled();
    void replaceKeepsBackupsAndNamesFailures();
    void searchesAndReplacesAcrossChapters();
};

namespace {

TextMatcher matcher(const QString& pattern, bool caseSensitive, bool regex)
{
    return TextMatcher(pattern, {caseSensitive, regex});
}

SearchTarget chapter(const QString& root, const QString& name)
{
    return {"书", "卷", name, root + "/data/我的书籍/书/卷/" + name + ".txt", false, {}};
}

} // namespace

void TstSearchWindow::matchesAndReplaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<QString>("spans"); // start+length, or "invalid"
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("replaced");
    const auto row = [](const char* name, const QString& text, const QString& pattern, bool cs,
                        bool regex, const QString& spans, const QString& replacement = QString(),
                        const QString& replaced = QString()) {
        QTest::newRow(name) << text << pattern << cs << regex << spans << replacement << replaced;
    };
    row("plain: a Chinese name", "林风说：“林风！”", "林风", false, false, "0+2 5+2", "萧炎",
        "萧炎说：“萧炎！”");
    row("plain: case kept", "Lin lin LIN", "lin", true, false, "4+3");
    row("plain: regex signs and backslashes as they are", "a.b axb", "a.b", false, false, "0+3",
        "\\1", "\\1 axb");
    row("regex: \\s across a full-width space", "林　风", "林\\s风", false, true, "0+3");
    row("regex: \\w takes Chinese characters", "林风。", "\\w+", false, true, "0+2");
    row("regex: does not compile", "ab", "(林", false, true, "invalid");
    row("regex: captures swapped", "张三，李四", "(\\w+)，(\\w+)", true, true, "0+5", "\\2，\\1",
        "李四，张三");
}

void TstSearchWindow::matchesAndReplaces()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, spans);
    QFETCH(QString, replacement);
    QFETCH(bool, regex);
    QFETCH(bool, caseSensitive);
    const TextMatcher m = matcher(pattern, caseSensitive, regex);
    QStringList found;
    for (const auto& match : m.matches(text))
        found << QString("%1+%2").arg(match.start).arg(match.length);
    QCOMPARE(m.isValid() ? found.join(' ') : QString("invalid"), spans);
    QCOMPARE(m.error().isEmpty(), !(regex && spans == "invalid"));
    if (m.isValid())
        QCOMPARE(m.count(text), found.size());
    if (!replacement.isNull())
        QTEST(TextMatcher::applied(text, m.replacements(text, replacement)), "replaced");
}

void TstSearchWindow::runReportsInCatalogOrderAndStopsWhenCancelled()
{
    TestAppDir app;
    QVector<SearchTarget> targets;
    for (const QString& name : QStringList{"第3章", "第1章", "乱码", "打开的", "无", "第2章"}) {
        targets << chapter(app.path(), name);
        writeBytes(targets.last().path, "林风。林风" + name.toUtf8());
    }
    writeBytes(targets[2].path, "林风\x80\x80");
    writeBytes(targets[4].path, "无此人");

    const auto runAll = [&](bool cancelAtFirst) {
        SearchRun run(7, targets, matcher("林风", false, false));
        QStringList seen;
        // Direct connections: the lambdas run in the search's thread, which the test joins.
        QObject::connect(&run, &SearchRun::found, [&](int id, const QVector<ChapterResult>& batch) {
            for (const ChapterResult& r : batch)
                seen << QString::asprintf("%d:%s:%d:%d", id, qUtf8Printable(r.target.chapter),
                                          int(r.state), r.total);
            if (cancelAtFirst)
                run.cancel();
        });
        QObject::connect(&run, &SearchRun::completed,
                         [&](int id, int chapters, int n, bool cancelled) {
                             seen << QString::asprintf("%d: %d %d %s", id, chapters, n,
                                                       cancelled ? "cancelled" : "done");
                         });
        run.start();
        run.wait();
        return seen;
    };
    QCOMPARE(runAll(false), QStringList({"7:第3章:0:2", "7:第1章:0:2", "7:乱码:1:0", "7:打开的:0:2",
                                         "7:第2章:0:2", "7: 4 8 done"}));
    QCOMPARE(runAll(true), QStringList({"7:第3章:0:2", "7: 1 2 cancelled"}));
}

void TstSearchWindow::replaceKeepsBackupsAndNamesFailures()
{
    TestAppDir app;
    const QString longName = QString(80, QChar(0x957f)); // its backup name is too long
    QVector<SearchTarget> targets;
    for (const QString& name : QStringList{"甲", longName, "乙", "乱码"}) {
        targets << chapter(app.path(), name);
        QVERIFY(writeBytes(targets.last().path, "林风来了。"));
    }
    writeBytes(targets[3].path, "林风\x80");
    QDir().mkpath(app.file("bak"));
    const ChapterReplace::Places places{app.path() + "/data/我的书籍/", app.file("bak"), 1000};
    const auto outcome =
        ChapterReplace::run(targets, matcher("林风", true, false), "萧炎", places, {});
    QCOMPARE(outcome.chapters, 2);
    QCOMPARE(outcome.unclean, QStringList{"书/卷/乱码"});
    QCOMPARE(outcome.failures.size(), 1);
    QVERIFY(outcome.failures[0].startsWith("书/卷/" + longName));
    // The chapter after the failed one is still replaced.
    QStringList files;
    for (const SearchTarget& t : targets)
        files << QString::fromUtf8(readBytes(t.path));
    QCOMPARE(files, QStringList({"萧炎来了。", "林风来了。", "萧炎来了。", "林风\uFFFD"}));
    QCOMPARE(readBytes(targets[3].path), QByteArray("林风\x80"));
    QCOMPARE(readBytes(app.file("bak/书_卷_甲_1000.txt")), QByteArray("林风来了。"));

    // A second replacement in the same millisecond keeps the first one's copies.
    writeBytes(targets[0].path, "林风又来了");
    ChapterReplace::run({targets[0]}, matcher("林风", true, false), "x", places, {});
    QCOMPARE(readBytes(app.file("bak/书_卷_甲_1000.txt")), QByteArray("林风来了。"));
    QCOMPARE(readBytes(app.file("bak/书_卷_甲_1001.txt")), QString("林风又来了").toUtf8());
}

void TstSearchWindow::searchesAndReplacesAcrossChapters()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙", "别书", "别书/卷", "别书/卷/丙"},
                "林风来了。\n林风走了。");
    const auto file = [&](const QString& chapter) {
        return QString::fromUtf8(readBytes(app.file("data/我的书籍/" + chapter + ".txt")));
    };
    MainWindow w;
    clickItem(w, "书/卷/甲");
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    menuEntry(w.findChild<QPushButton*>("btnMenu")->menu(), "全书查找")->trigger();
    auto* window = w.findChild<SearchWindow*>();
    QVERIFY(window && window->isVisible());

    auto* results = window->findChild<QTreeWidget*>("results");
    const auto run = [&](const char* button, const QString& text) {
        window->findChild<QLineEdit*>("findEdit")->setText(text);
        window->findChild<QComboBox*>("scope")->setCurrentIndex(1);
        window->findChild<QPushButton*>(button)->click();
        QTRY_VERIFY(!window->isSearching());
    };
    // The open chapter's unsaved text is searched: the file of 甲 still holds two.
    QTextEdit* editor = editorOf(w);
    editor->moveCursor(QTextCursor::End);
    typeText(editor, "林风");
    run("btn_find", "林风");
    QStringList groups;
    for (int i = 0; i < results->topLevelItemCount(); ++i)
        groups << results->topLevelItem(i)->text(0);
    QCOMPARE(groups, QStringList({"书/卷/甲（3 处）", "书/卷/乙（2 处）", "别书/卷/丙（2 处）"}));

    // Replacing: 乙 is open with unsaved text and changes in the editor, not on disk.
    clickItem(w, "书/卷/乙");
    editor->moveCursor(QTextCursor::End);
    typeText(editor, "林风");
    editor->document()->setModified(false);
    app.questionAnswer = 1;
    window->findChild<QLineEdit*>("replaceEdit")->setText("萧炎");
    run("btn_replaceAll", "林风");
    QCOMPARE(app.messages.value(0).second,
             QString("将替换 3 个章节中的 8 处，替换前的章节存入时光机。确定全部替换吗？"));
    QCOMPARE(QStringList({file("书/卷/甲"), file("书/卷/乙"), file("别书/卷/丙")}),
             QStringList({"萧炎来了。\n萧炎走了。萧炎", "林风来了。\n林风走了。",
                          "萧炎来了。\n萧炎走了。"}));
    QCOMPARE(editor->toPlainText(), QString("萧炎来了。\n萧炎走了。萧炎"));
    QVERIFY(editor->document()->isModified());
    // One copy per changed chapter, named as the autosave names them; 乙's holds its unsaved text.
    const QDir bak(app.file("bak"));
    QCOMPARE(bak.entryList(QDir::Files).size(), 3);
    const QString copy = bak.entryList({"书_卷_乙_*.txt"}).value(0);
    QVERIFY(QRegularExpression("^书_卷_乙_\\d{13}\\.txt$").match(copy).hasMatch());
    QCOMPARE(QString::fromUtf8(readBytes(bak.filePath(copy))),
             QString("林风来了。\n林风走了。林风"));

    // A pattern that does not compile searches nothing and says why.
    window->findChild<QCheckBox*>("regex")->setChecked(true);
    run("btn_find", "(林风");
    auto* error = window->findChild<QLabel*>("errorLabel");
    QVERIFY(error->isVisible() && error->text().startsWith("正则表达式有误："));
    QCOMPARE(results->topLevelItemCount(), 0);
}

QTEST_MAIN(TstSearchWindow)
#include "tst_searchwindow.moc"
