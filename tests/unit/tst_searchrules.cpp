#include "search/chapterreplace.h"
#include "search/searchrun.h"
#include "search/textmatcher.h"
#include "support/testsupport.h"

#include <QDir>
#include <QtTest>

class TstSearchRules : public QObject
{
    Q_OBJECT
private slots:
    void matches_data();
    void matches();
    void replaces_data();
    void replaces();
    void hitsCarryLineAndContext();
    void runReportsInCatalogOrderAndStopsWhenCancelled();
    void replaceKeepsBackupsAndNamesFailures();
};

namespace {

TextMatcher matcher(const QString& pattern, bool caseSensitive, bool regex)
{
    return TextMatcher(pattern, {caseSensitive, regex});
}

QString spans(const QVector<TextMatcher::Match>& found)
{
    QStringList out;
    for (const auto& m : found)
        out << QString("%1+%2").arg(m.start).arg(m.length);
    return out.join(' ');
}

SearchTarget chapter(const QString& root, const QString& name)
{
    return {"书", "卷", name, root + "/data/我的书籍/书/卷/" + name + ".txt", false, {}};
}

} // namespace

void TstSearchRules::matches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<QString>("expected"); // start+length, or "invalid"
    QTest::newRow("plain: a Chinese name") << "林风看着林风"
                                           << "林风" << false << false << "0+2 4+2";
    QTest::newRow("plain: without overlaps") << "哈哈哈哈哈"
                                             << "哈哈" << false << false << "0+2 2+2";
    QTest::newRow("plain: case ignored") << "Lin lin LIN"
                                         << "lin" << false << false << "0+3 4+3 8+3";
    QTest::newRow("plain: case kept") << "Lin lin LIN"
                                      << "lin" << true << false << "4+3";
    QTest::newRow("plain: full-width space inside") << "林　风，林 风"
                                                    << "林　风" << false << false << "0+3";
    QTest::newRow("plain: regex signs taken as they are") << "a.b axb"
                                                          << "a.b" << false << false << "0+3";
    QTest::newRow("regex: alternatives") << "张三见了李四"
                                         << "张三|李四" << false << true << "0+2 4+2";
    QTest::newRow("regex: \\s across a full-width space") << "林　风"
                                                          << "林\\s风" << false << true << "0+3";
    QTest::newRow("regex: \\w takes Chinese characters") << "林风。"
                                                         << "\\w+" << false << true << "0+2";
    QTest::newRow("regex: case ignored") << "ABC abc"
                                         << "a.c" << false << true << "0+3 4+3";
    QTest::newRow("regex: empty matches skipped") << "ab"
                                                  << "x*" << false << true << "";
    QTest::newRow("regex: does not compile") << "ab"
                                             << "(林" << false << true << "invalid";
    QTest::newRow("plain: empty search") << "ab"
                                         << "" << false << false << "invalid";
}

void TstSearchRules::matches()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, regex);
    QFETCH(QString, expected);
    const TextMatcher m = matcher(pattern, caseSensitive, regex);
    QCOMPARE(m.isValid() ? spans(m.matches(text)) : QString("invalid"), expected);
    QCOMPARE(m.error().isEmpty(), !(regex && expected == "invalid"));
    if (m.isValid())
        QCOMPARE(m.count(text), m.matches(text).size());
}

void TstSearchRules::replaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain: rename") << "林风说：“林风！”"
                                   << "林风" << false << "萧炎"
                                   << "萧炎说：“萧炎！”";
    QTest::newRow("plain: backslash literal") << "林风"
                                              << "林风" << false << "\\1"
                                              << "\\1";
    QTest::newRow("regex: captures swapped") << "张三，李四"
                                             << "(\\w+)，(\\w+)" << true << "\\2，\\1"
                                             << "李四，张三";
    QTest::newRow("regex: whole match and backslash") << "林风"
                                                      << "风" << true << "[\\0\\\\]"
                                                      << "林[风\\]";
    QTest::newRow("regex: \\10 without a tenth group") << "ab"
                                                       << "(a)" << true << "\\10"
                                                       << "a0b";
    QTest::newRow("regex: line feeds kept around") << "一\n林风\n二"
                                                   << "林风\\n"
                                                   << true << "萧炎"
                                                   << "一\n萧炎二";
}

void TstSearchRules::replaces()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, regex);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    const TextMatcher m = matcher(pattern, true, regex);
    QCOMPARE(TextMatcher::applied(text, m.replacements(text, replacement)), expected);
}

void TstSearchRules::hitsCarryLineAndContext()
{
    const QString longLine = QString(50, QChar(0x4e00)) + "林风" + QString(80, QChar(0x4e8c));
    const QString text = "林风起\n他说林风来了\n" + longLine;
    const TextMatcher m = matcher("林风", false, false);
    int total = 0;
    QCOMPARE(m.hits(text, 2, &total).size(), 2);
    QCOMPARE(total, 3);
    const auto hits = m.hits(text, 10, &total);
    QStringList rows;
    for (const auto& h : hits)
        rows << QString("%1:%2[%3]")
                    .arg(h.line)
                    .arg(h.context.left(h.contextStart))
                    .arg(h.context.mid(h.contextStart, h.contextLength));
    const QString before = QString(30, QChar(0x4e00));
    QCOMPARE(rows, QStringList({"1:[林风]", "2:他说[林风]", "3:" + before + "[林风]"}));
    QCOMPARE(hits[2].context.size(), 30 + 2 + 60);
}

void TstSearchRules::runReportsInCatalogOrderAndStopsWhenCancelled()
{
    TestAppDir app;
    QVector<SearchTarget> targets;
    const QStringList names = {"第3章", "第1章", "乱码", "打开的", "无", "第2章"};
    for (const QString& name : names)
        targets << chapter(app.path(), name);
    for (const SearchTarget& t : targets)
        writeBytes(t.path, "林风。林风" + t.chapter.toUtf8());
    writeBytes(targets[2].path, "林风\x80\x80");
    writeBytes(targets[4].path, "无此人");
    targets[3].inEditor = true;
    targets[3].editorText = "未保存的林风"; // its file holds two

    const auto runAll = [&](bool cancelAtFirst) {
        SearchRun run(7, targets, matcher("林风", false, false));
        QStringList seen;
        // Direct connections: the lambdas run in the search's thread, which the test joins.
        QObject::connect(&run, &SearchRun::found, [&](int id, const QVector<ChapterResult>& batch) {
            if (id != 7)
                seen << "wrong id";
            for (const ChapterResult& r : batch)
                seen << QString("%1:%2:%3").arg(r.target.chapter).arg(r.state).arg(r.total);
            if (cancelAtFirst)
                run.cancel();
        });
        QList<QVariant> end;
        QObject::connect(&run, &SearchRun::completed,
                         [&](int, int chapters, int n, bool cancelled) {
                             end = {chapters, n, cancelled};
                         });
        run.start();
        run.wait();
        QCoreApplication::processEvents();
        return seen.join(' ') + " | " + QVariant(end).toStringList().join(',');
    };
    QCOMPARE(runAll(false),
             QString("第3章:0:2 第1章:0:2 乱码:1:0 打开的:0:1 第2章:0:2 | 4,7,false"));
    QCOMPARE(runAll(true), QString("第3章:0:2 | 1,2,true"));
}

void TstSearchRules::replaceKeepsBackupsAndNamesFailures()
{
    TestAppDir app;
    const QString longName = QString(80, QChar(0x957f)); // its backup name is too long
    QVector<SearchTarget> targets;
    for (const QString& name :
         {QString("甲"), longName, QString("乙"), QString("乱码"), QString("打开的")})
        targets << chapter(app.path(), name);
    for (const SearchTarget& t : targets)
        QVERIFY(writeBytes(t.path, "林风来了。"));
    writeBytes(targets[3].path, "林风\x80");
    targets[4].inEditor = true;
    targets[4].editorText = "林风未保存";
    QDir().mkpath(app.file("bak"));
    const ChapterReplace::Places places{app.path() + "/data/我的书籍/", app.file("bak"), 1000};

    QVector<TextMatcher::Replacement> inEditor;
    const auto outcome = ChapterReplace::run(targets, matcher("林风", true, false), "萧炎", places,
                                             [&](const auto& changes) { inEditor = changes; });
    QCOMPARE(outcome.chapters, 3);
    QCOMPARE(outcome.unclean, QStringList{"书/卷/乱码"});
    QCOMPARE(outcome.failures.size(), 1);
    QVERIFY(outcome.failures[0].startsWith("书/卷/" + longName));
    const QStringList expected = {"萧炎来了。", "林风来了。", "萧炎来了。"};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(readBytes(targets[i].path), expected[i].toUtf8());
    QCOMPARE(readBytes(targets[3].path), QByteArray("林风\x80"));
    QCOMPARE(readBytes(targets[4].path), QString("林风来了。").toUtf8());
    QCOMPARE(inEditor.size(), 1);
    QCOMPARE(readBytes(app.file("bak/书_卷_甲_1000.txt")), QByteArray("林风来了。"));
    QCOMPARE(readBytes(app.file("bak/书_卷_打开的_1000.txt")), QString("林风未保存").toUtf8());

    // A second replacement in the same millisecond keeps the first one's copies.
    writeBytes(targets[0].path, "林风又来了");
    ChapterReplace::run({targets[0]}, matcher("林风", true, false), "x", places, {});
    QCOMPARE(readBytes(app.file("bak/书_卷_甲_1000.txt")), QByteArray("林风来了。"));
    QCOMPARE(readBytes(app.file("bak/书_卷_甲_1001.txt")), QString("林风又来了").toUtf8());
}

QTEST_MAIN(TstSearchRules)
#include "tst_searchrules.moc"
