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
    void hitsCarryLineAndContext();
    void runReportsInCatalogOrderAndStopsWhenCancelled();
    void replaceKeepsBackupsAndNamesFailures();
    void searchesOpensAndReplacesAcrossChapters();
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
    row("plain: without overlaps", "哈哈哈哈哈", "哈哈", false, false, "0+2 2+2");
    row("plain: case ignored", "Lin lin LIN", "lin", false, false, "0+3 4+3 8+3");
    row("plain: case kept", "Lin lin LIN", "lin", true, false, "4+3");
    row("plain: full-width space inside", "林　风，林 风", "林　风", false, false, "0+3");
    row("plain: regex signs and backslashes as they are", "a.b axb", "a.b", false, false, "0+3",
        "\\1", "\\1 axb");
    row("plain: empty search", "ab", "", false, false, "invalid");
    row("regex: alternatives", "张三见了李四", "张三|李四", false, true, "0+2 4+2");
    row("regex: \\s across a full-width space", "林　风", "林\\s风", false, true, "0+3");
    row("regex: \\w takes Chinese characters", "林风。", "\\w+", false, true, "0+2");
    row("regex: case ignored", "ABC abc", "a.c", false, true, "0+3 4+3");
    row("regex: empty matches skipped", "ab", "x*", false, true, "");
    row("regex: does not compile", "ab", "(林", false, true, "invalid");
    row("regex: captures swapped", "张三，李四", "(\\w+)，(\\w+)", true, true, "0+5", "\\2，\\1",
        "李四，张三");
    row("regex: whole match and backslash", "林风", "风", true, true, "1+1", "[\\0\\\\]",
        "林[风\\]");
    row("regex: \\10 without a tenth group", "ab", "(a)", true, true, "0+1", "\\10", "a0b");
    row("regex: line feeds kept around", "一\n林风\n二", "林风\\n", true, true, "2+3", "萧炎",
        "一\n萧炎二");
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

void TstSearchWindow::hitsCarryLineAndContext()
{
    const QString before = QString(50, QChar(0x4e00));
    const QString text = "林风起\n他说林风来了\n" + before + "林风" + QString(80, QChar(0x4e8c));
    const TextMatcher m = matcher("林风", false, false);
    int total = 0;
    QCOMPARE(m.hits(text, 2, &total).size(), 2);
    QCOMPARE(total, 3);
    // line:context before[hit] and how much context follows
    QStringList rows;
    for (const auto& h : m.hits(text, 10, &total))
        rows << QString::asprintf("%d:%s[%s]%d", h.line,
                                  qUtf8Printable(h.context.left(h.contextStart)),
                                  qUtf8Printable(h.context.mid(h.contextStart, h.contextLength)),
                                  int(h.context.size() - h.contextStart - h.contextLength));
    QCOMPARE(rows,
             QStringList({"1:[林风]1", "2:他说[林风]2", "3:" + before.left(30) + "[林风]60"}));
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

void TstSearchWindow::searchesOpensAndReplacesAcrossChapters()
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
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    auto* window = w.findChild<SearchWindow*>();
    QVERIFY(window && window->isVisible());
    window->close();
    menuEntry(w.findChild<QPushButton*>("btnMenu")->menu(), "全书查找")->trigger();
    QVERIFY(window->isVisible());

    auto* results = window->findChild<QTreeWidget*>("results");
    const auto run = [&](const char* button, const QString& text, bool wholeLibrary) {
        window->findChild<QLineEdit*>("findEdit")->setText(text);
        window->findChild<QComboBox*>("scope")->setCurrentIndex(wholeLibrary ? 1 : 0);
        window->findChild<QPushButton*>(button)->click();
        QTRY_VERIFY(!window->isSearching());
    };
    const auto groups = [&] {
        QStringList out;
        for (int i = 0; i < results->topLevelItemCount(); ++i)
            out << results->topLevelItem(i)->text(0);
        return out;
    };
    typeText(editorOf(w), "林风"); // unsaved: the file of 甲 still holds two
    run("btn_find", "林风", false);
    QCOMPARE(groups(), QStringList({"书/卷/甲（3 处）", "书/卷/乙（2 处）"}));
    run("btn_find", "林风", true);
    QCOMPARE(groups(), QStringList({"书/卷/甲（3 处）", "书/卷/乙（2 处）", "别书/卷/丙（2 处）"}));

    // The second match of 乙 opens 乙 as a catalog click does, after saving 甲.
    emit results->itemDoubleClicked(results->topLevelItem(1)->child(1), 0);
    QCOMPARE(statusPathOf(w), QString("书/卷/乙.txt"));
    QCOMPARE(treeOf(w)->currentIndex(), indexOf(w, "书/卷/乙"));
    QCOMPARE(file("书/卷/甲").count("林风"), 3);
    QTextEdit* editor = editorOf(w);
    QCOMPARE(qMakePair(editor->textCursor().selectionStart(), editor->textCursor().selectedText()),
             qMakePair(6, QString("林风")));

    // Replacing: 乙 is open with unsaved text and changes in the editor, not on disk.
    editor->moveCursor(QTextCursor::End);
    typeText(editor, "林风");
    editor->document()->setModified(false);
    app.questionAnswer = 1;
    window->findChild<QLineEdit*>("replaceEdit")->setText("萧炎");
    run("btn_replaceAll", "林风", true);
    QCOMPARE(app.messages.value(0).second,
             QString("将替换 3 个章节中的 8 处，替换前的章节存入时光机。确定全部替换吗？"));
    QCOMPARE(QStringList({file("书/卷/甲"), file("书/卷/乙"), file("别书/卷/丙")}),
             QStringList({"萧炎萧炎来了。\n萧炎走了。", "林风来了。\n林风走了。",
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

    // A pattern that does not compile searches nothing and says why until it is mended.
    window->findChild<QCheckBox*>("regex")->setChecked(true);
    run("btn_find", "(林风", true);
    auto* error = window->findChild<QLabel*>("errorLabel");
    QVERIFY(error->isVisible() && error->text().startsWith("正则表达式有误："));
    QCOMPARE(results->topLevelItemCount(), 0);
    window->findChild<QLineEdit*>("findEdit")->setText("林风|走");
    QVERIFY(!error->isVisible());
}

QTEST_MAIN(TstSearchWindow)
#include "tst_searchwindow.moc"
