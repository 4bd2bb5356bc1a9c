#include "support/testsupport.h"

#include "library/txtbook.h"

#include <QTextCodec>
#include <QtTest>

Q_DECLARE_METATYPE(TxtSplit::LineKind)

// Data safety: a file is read only when its encoding is certain, every character of a chapter
// reaches its file, and no chapter name can take another's file or leave its directory.
class TstTxtRules : public QObject
{
    Q_OBJECT
private slots:
    void headingLines_data();
    void headingLines();
    void splitAndNames_data();
    void splitAndNames();
    void reading_data();
    void reading();
};

namespace {

// The plan as lines: each volume's name, then each chapter's name and file text.
QStringList outline(const TxtBook::Plan& plan)
{
    QStringList lines;
    for (const TxtBook::Volume& v : plan.volumes) {
        lines << v.name;
        for (const TxtBook::Chapter& c : v.chapters)
            lines << "  " + c.name + ": " +
                         TxtBook::fileText(plan.mode, c.found, nullptr).replace('\n', '|');
    }
    return lines;
}

} // namespace

void TstTxtRules::headingLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<TxtSplit::LineKind>("kind");
    const auto text = TxtSplit::LineKind::Text;
    const auto volume = TxtSplit::LineKind::Volume;
    const auto chapter = TxtSplit::LineKind::Chapter;
    QTest::newRow("chinese thousands") << "第一千零一章" << chapter;
    QTest::newRow("full-width digits") << "第１２章" << chapter;
    QTest::newRow("回") << "第十二回" << chapter;
    QTest::newRow("with a title") << "第3章 风起" << chapter;
    QTest::newRow("full-width spaces, colon") << "　　第3章：风起　" << chapter;
    QTest::newRow("special") << "楔子" << chapter;
    QTest::newRow("extra with number and title") << "番外一 重逢" << chapter;
    QTest::newRow("english") << "Chapter 12: Dawn" << chapter;
    QTest::newRow("volume with title") << "第一卷 风起云涌" << volume;
    QTest::newRow("part") << "下卷" << volume;
    QTest::newRow("dialogue starting with 第") << "第三章写完了吗？他问。" << text;
    QTest::newRow("quoted") << "“第一章就这样？”" << text;
    QTest::newRow("ordinal in a sentence") << "第二回合，他赢了" << text;
    QTest::newRow("longer than 40") << "第1章 " + QString(40, QChar(0x98CE)) << text;
    QTest::newRow("empty") << "　 " << text;
}

void TstTxtRules::headingLines()
{
    QFETCH(QString, line);
    QFETCH(TxtSplit::LineKind, kind);
    const TxtSplit::Rules rules(TxtSplit::defaultPatterns());
    QCOMPARE(rules.classify(TxtSplit::trimmedLine(line)), kind);
}

void TstTxtRules::splitAndNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("warnings");
    QTest::newRow("text before the first heading, no volumes")
        << "前言的话\n\n第1章 起\n\n　　甲段\n\n　　乙段\n\n\n第2章\n　　丙\n"
        << QStringList{"正文", "  序: 序||前言的话", "  第1章 起: 第1章 起||　　甲段||　　乙段",
                       "  第2章: 第2章||　　丙"}
        << 0;
    QTest::newRow("a chapter before the first volume opens it; empty chapter")
        << "楔子\n引\n第一卷 风\n第1章\n一\n第二卷\n第1章\n\n"
        << QStringList{"第一卷 风", "  楔子: 楔子||引", "  第1章: 第1章||一", "第二卷",
                       "  第1章: 第1章||"}
        << 1;
    QTest::newRow("unsafe, reserved and repeated names")
        << "第1章 a/b\nx\n第1章 a/b\ny\nCHAPTER 1\nz\nchapter 1\nw\n"
        << QStringList{"正文", "  第1章 a／b: 第1章 a/b||x", "  第1章 a／b[2]: 第1章 a/b||y",
                       "  CHAPTER 1: CHAPTER 1||z", "  chapter 1[2]: chapter 1||w"}
        << 3;
    QTest::newRow("no chapter headings: cut at paragraph ends")
        << "第一卷\n" + QString(2000, 'a') + "\n\n" + QString(1500, 'b') + "\n" + QString(10, 'c')
        << QStringList{"第一卷", "  1: 1||" + QString(2000, 'a') + "||" + QString(1500, 'b'),
                       "  2: 2||" + QString(10, 'c')}
        << 0;
    QTest::newRow("the program's own export, texts exactly")
        << "\n\n\n上卷    第1章\n\n\n第1章\n\n甲\n\n\n\n上卷    index\n\n\n乙\n\n\n下卷    丙\n\n\n"
        << QStringList{"上卷", "  第1章: 第1章||甲|", "  index[2]: 乙", "下卷", "  丙: "} << 2;
}

void TstTxtRules::splitAndNames()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QFETCH(int, warnings);
    const TxtBook::Plan plan = TxtBook::plan(text, TxtSplit::Rules(TxtSplit::defaultPatterns()));
    QCOMPARE(outline(plan), expected);
    QCOMPARE(plan.warnings.size(), warnings);
}

void TstTxtRules::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // empty: refused
    const QString book = "第1章\n“林'夕”\n";
    QTextCodec* gb = QTextCodec::codecForName("GB18030");
    QTest::newRow("utf-8 with bom, crlf")
        << "\xEF\xBB\xBF" + QString(book).replace("\n", "\r\n").toUtf8() << book;
    QTest::newRow("utf-8, lone cr") << QString(book).replace("\n", "\r").toUtf8() << book;
    QTest::newRow("gb18030") << gb->fromUnicode(book) << book;
    QByteArray le("\xFF\xFE", 2);
    QByteArray be("\xFE\xFF", 2);
    for (const QChar c : book) {
        le += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
        be += char(c.unicode() >> 8) + QByteArray(1, char(c.unicode() & 0xFF));
    }
    QTest::newRow("utf-16le") << le << book;
    QTest::newRow("utf-16be") << be << book;
    QTest::newRow("neither utf-8 nor gb18030") << gb->fromUnicode(book) + "\xFF\x80" << QString();
    QTest::newRow("gb18030 cut off inside a character")
        << gb->fromUnicode(book) + "\x81" << QString();
    QTest::newRow("binary with nul") << QByteArray("PK\0\0第", 7) << QString();
    QTest::newRow("broken utf-8 after a bom") << QByteArray("\xEF\xBB\xBF\xE7\xAC") << QString();
}

void TstTxtRules::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TestAppDir app;
    writeBytes(app.file("书.txt"), bytes);
    QString read;
    const TxtBook::ReadResult result = TxtBook::read(app.file("书.txt"), &read);
    QCOMPARE(result, text.isEmpty() ? TxtBook::ReadResult::NotText : TxtBook::ReadResult::Ok);
    QCOMPARE(read, text);
}

QTEST_MAIN(TstTxtRules)
#include "tst_txtrules.moc"
