#include "editor/charcount.h"
#include "editor/countdisplay.h"
#include "editor/typesetting.h"
#include "search/searchrun.h"
#include "search/textmatcher.h"
#include "support/testsupport.h"

#include <QtTest>

class TstEditorRules : public QObject
{
    Q_OBJECT
private slots:
    void countAndItsLabel();
    void oneKey_data();
    void oneKey();
    void searchMatchesAndReplaces_data();
    void searchMatchesAndReplaces();
    void searchStopsWhenCancelled();
};

void TstEditorRules::countAndItsLabel()
{
    // Line feeds and ASCII spaces do not count; others do, one beyond the BMP twice.
    QCOMPARE(chapterCharCount("第一章\n\n  你好 world"), 10);
    QCOMPARE(chapterCharCount("\u3000\t，\r"), 4);
    QCOMPARE(chapterCharCount("😀"), 2);
    // A rate that is no number counts as 0.
    bool played = false;
    QCOMPARE(CountDisplay::compute(10, "五十", "3000", "#123456", played).label,
             QString("总字数:10\t稿费:0.00"));
}

void TstEditorRules::oneKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("removeSpaces");
    QTest::addColumn<bool>("removeLines");
    QTest::addColumn<bool>("firstIndent");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    const QString typeset = "    第一段\n    \n    第二段";
    QTest::newRow("defaults indent both paragraphs and the blank line")
        << "第一段\n\n\n  第二段  " << true << false << true << 2 << typeset;
    QTest::newRow("typesetting again changes nothing")
        << typeset << true << false << true << 2 << typeset;
    QTest::newRow("remove_lines leaves a single break, width 3")
        << typeset << true << true << true << 3 << "      第一段\n      第二段";
    QTest::newRow("quirk: spaces kept stop the collapse after two breaks")
        << "a\n \n \nb" << false << false << false << 2 << "a\n\n\n\nb";
    QTest::newRow("quirk: five leading spaces become the indent")
        << "甲\n     乙     丙" << false << true << true << 2 << "    甲\n    乙 丙";
    QTest::newRow("only ASCII spaces go, full-width space and tab stay")
        << "\u3000\t甲 乙 \u3000" << true << true << true << 2 << "    \u3000\t甲乙\u3000";
}

void TstEditorRules::oneKey()
{
    QFETCH(QString, text);
    QFETCH(bool, removeSpaces);
    QFETCH(bool, removeLines);
    QFETCH(bool, firstIndent);
    QFETCH(int, width);
    QTEST(Typesetting::oneKey(text, {removeSpaces, removeLines, firstIndent, width}), "expected");
}

void TstEditorRules::searchMatchesAndReplaces_data()
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
    row("regex: \\s across a full-width space", "林　风", "林\\s风", false, true, "0+3");
    row("regex: \\w takes Chinese characters", "林风。", "\\w+", false, true, "0+2");
    row("regex: does not compile", "ab", "(林", false, true, "invalid");
    row("regex: captures swapped", "张三，李四", "(\\w+)，(\\w+)", true, true, "0+5", "\\2，\\1",
        "李四，张三");
}

void TstEditorRules::searchMatchesAndReplaces()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, spans);
    QFETCH(QString, replacement);
    QFETCH(bool, regex);
    QFETCH(bool, caseSensitive);
    const TextMatcher m(pattern, {caseSensitive, regex});
    QStringList found;
    for (const auto& match : m.matches(text))
        found << QString("%1+%2").arg(match.start).arg(match.length);
    QCOMPARE(m.isValid() ? found.join(' ') : QString("invalid"), spans);
    QCOMPARE(m.error().isEmpty(), m.isValid());
    if (!replacement.isNull())
        QTEST(TextMatcher::applied(text, m.replacements(text, replacement)), "replaced");
}

void TstEditorRules::searchStopsWhenCancelled()
{
    QTemporaryDir dir;
    QVector<SearchTarget> targets;
    for (const QString& name : QStringList{"第3章", "第1章", "第2章"}) {
        targets.append({"书", "卷", name, dir.filePath(name + ".txt"), false, {}});
        writeBytes(targets.last().path, "林风。林风");
    }
    SearchRun run(7, targets, TextMatcher("林风", {}));
    QStringList seen;
    // Direct connections: the lambdas run in the search's thread, which the test joins.
    QObject::connect(&run, &SearchRun::found, [&](int id, const QVector<ChapterResult>& batch) {
        for (const ChapterResult& r : batch)
            seen << QString::asprintf("%d:%s:%d", id, qUtf8Printable(r.target.chapter), r.total);
        run.cancel();
    });
    QObject::connect(&run, &SearchRun::completed, [&](int id, int chapters, int n, bool cancelled) {
        seen << QString::asprintf("%d: %d %d %d", id, chapters, n, cancelled);
    });
    run.start();
    run.wait();
    QCOMPARE(seen, QStringList({"7:第3章:2", "7: 1 2 1"}));
}

QTEST_GUILESS_MAIN(TstEditorRules)
#include "tst_editorrules.moc"
