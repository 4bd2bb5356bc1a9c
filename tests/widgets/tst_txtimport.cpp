#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/filechooser.h"
#include "library/txtbook.h"
#include "library/txtimportdialog.h"

#include <QtSql>
#include <QtTest>
#include <QtWidgets>

#include <functional>

// Data safety: a file is read only when its encoding is certain, nothing is written before
// the author accepts the preview, a refused or failed import leaves neither a file nor a row,
// no chapter name can take another's file or leave its directory, and every chapter's text
// reaches its file and comes back unchanged through an export.
class TstTxtImport : public QObject
{
    Q_OBJECT
private slots:
    void headingLines();
    void splitAndNames_data();
    void splitAndNames();
    void reading_data();
    void reading();
    void importThroughThePreview();
    void refusedImportsLeaveNoTrace_data();
    void refusedImportsLeaveNoTrace();
    void exportComesBackTheSame();
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

const QString kLib = QStringLiteral("data/我的书籍/");
using Answer = std::function<void(TxtImportDialog*)>;

// Imports `file` through the menu entry; `answer` acts on the preview once it is open.
void importTxt(MainWindow& w, const QString& file, const Answer& answer)
{
    FileChooser::setImportTextChooser([file](QWidget*) { return file; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = w.findChild<TxtImportDialog*>();
        if (preview && preview->isVisible()) {
            poll.stop();
            answer(preview);
            // A failed check leaves the preview open; closing it lets the test end.
            if (preview->isVisible())
                preview->reject();
        }
    });
    poll.start(10);
    QAction* entry = nullptr;
    for (QMenu* menu : w.findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            entry = action->text() == "导入TXT" ? action : entry;
    QVERIFY(entry);
    entry->trigger();
}

QPushButton* button(TxtImportDialog* d, QDialogButtonBox::StandardButton which)
{
    return d->findChild<QDialogButtonBox*>("buttonBox")->button(which);
}

QStringList previewLines(TxtImportDialog* d)
{
    QStringList lines;
    for (QTreeWidgetItemIterator it(d->findChild<QTreeWidget*>("chapterTree")); *it; ++it)
        lines << ((*it)->parent() ? "  " : "") + (*it)->text(0) + " " + (*it)->text(1);
    return lines;
}

QStringList libraryState(const TestAppDir& app)
{
    QStringList state = QDir(app.file(kLib)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QSqlQuery q("select group_concat(id || ' ' || name || ' ' || pid || ' ' || sort , ',') "
                "from books",
                QSqlDatabase::database());
    return state << (q.next() ? q.value(0).toString() : QString());
}

} // namespace

void TstTxtImport::headingLines()
{
    using Kind = TxtSplit::LineKind;
    const QVector<QPair<Kind, QStringList>> lines{
        {Kind::Chapter,
         {"第一千零一章", "第１２章", "第十二回", "第3章 风起", "　　第3章：风起　", "楔子",
          "番外一 重逢", "Chapter 12: Dawn"}},
        {Kind::Volume, {"第一卷 风起云涌", "下卷"}},
        // Dialogue, quotes and ordinals that start like a heading; too long; blank.
        {Kind::Text,
         {"第三章写完了吗？他问。", "“第一章就这样？”", "第二回合，他赢了",
          "第1章 " + QString(40, QChar(0x98CE)), "　 "}}};
    const TxtSplit::Rules rules(TxtSplit::defaultPatterns());
    for (const auto& [kind, texts] : lines)
        for (const QString& line : texts)
            QVERIFY2(rules.classify(TxtSplit::trimmedLine(line)) == kind, qPrintable(line));
}

void TstTxtImport::splitAndNames_data()
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

void TstTxtImport::splitAndNames()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QFETCH(int, warnings);
    const TxtBook::Plan plan = TxtBook::plan(text, TxtSplit::Rules(TxtSplit::defaultPatterns()));
    QCOMPARE(outline(plan), expected);
    QCOMPARE(plan.warnings.size(), warnings);
}

void TstTxtImport::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // empty: refused
    const QString book = "第1章\n“林'夕”\n";
    QTextCodec* gb = QTextCodec::codecForName("GB18030");
    QTest::newRow("utf-8 with bom, crlf")
        << "\xEF\xBB\xBF" + QString(book).replace("\n", "\r\n").toUtf8() << book;
    QTest::newRow("utf-8, lone cr") << QString(book).replace("\n", "\r").toUtf8() << book;
    QTest::newRow("utf-16le") << "\xFF\xFE" +
                                     QTextCodec::codecForName("UTF-16LE")->fromUnicode(book)
                              << book;
    QTest::newRow("neither utf-8 nor gb18030") << gb->fromUnicode(book) + "\xFF\x80" << QString();
    QTest::newRow("gb18030 cut off inside a character")
        << gb->fromUnicode(book) + "\x81" << QString();
    QTest::newRow("binary with nul") << QByteArray("PK\0\0第", 7) << QString();
    QTest::newRow("broken utf-8 after a bom") << QByteArray("\xEF\xBB\xBF\xE7\xAC") << QString();
}

void TstTxtImport::reading()
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

void TstTxtImport::importThroughThePreview()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    const QString book = "开篇\n第一卷 风起\n第1章 初见\n甲 乙\n丙\n第2章\n丁\n第二卷\n第3章\n戊\n";
    writeBytes(app.file("外/长篇.txt"), QTextCodec::codecForName("GB18030")->fromUnicode(book));
    MainWindow w;
    bool answered = false;
    importTxt(w, app.file("外/长篇.txt"), [&](TxtImportDialog* d) {
        answered = true;
        QCOMPARE(d->findChild<QLineEdit*>("bookName")->text(), QString("长篇"));
        QCOMPARE(previewLines(d), QStringList({"第一卷 风起 ", "  序 2", "  第1章 初见 3",
                                               "  第2章 1", "第二卷 ", "  第3章 1"}));
        QVERIFY(!d->findChild<QCheckBox*>("exportCheck")->isVisible());
        // The tree follows an edited pattern (第2章 joins the first chapter); accepting
        // right after the edit shows the new split first instead of importing.
        d->findChild<QLineEdit*>("chapterPattern")->setText("^第[13]章");
        d->findChild<QLineEdit*>("bookName")->setText("新书");
        d->findChild<QCheckBox*>("typesetCheck")->setChecked(true);
        button(d, QDialogButtonBox::Ok)->click();
        QCOMPARE(previewLines(d).size(), 5);
        button(d, QDialogButtonBox::Ok)->click();
    });
    QVERIFY(answered);
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    甲", "新书", "  第一卷 风起", "    序",
                                        "    第1章 初见", "  第二卷", "    第3章"}));
    const QString dir = app.file(kLib + "新书/");
    QCOMPARE(
        readBytes(dir + "第一卷 风起/第1章 初见.txt"),
        QString("第1章 初见\n\n    甲乙\n    \n    丙\n    \n    第2章\n    \n    丁").toUtf8());
    QVERIFY(app.messages.isEmpty());
}

void TstTxtImport::refusedImportsLeaveNoTrace_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("message");
    const QByteArray book = QString("第1章\n甲\n第2章\n乙\n").toUtf8();
    QTest::newRow("cancelled") << book << false << "";
    QTest::newRow("not text") << book + "\xFF\xFE\x80" << false
                              << "导入失败：文件不是UTF-8、UTF-16或GB18030编码的文本!";
    // A file name longer than the file system allows fails after other chapters were written.
    QTest::newRow("a chapter file cannot be written")
        << QString("\n\n\n卷    一\n\n\n正文\n\n\n卷    %1\n\n\n正文")
               .arg(QString(100, QChar(0x957F)))
               .toUtf8()
        << true << "导入失败：书籍没能完整写入!";
    QTest::newRow("the index refuses") << book << true << "导入失败：书库无法写入!";
}

void TstTxtImport::refusedImportsLeaveNoTrace()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accept);
    QFETCH(QString, message);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    writeBytes(app.file("外/新书.txt"), bytes);
    MainWindow w;
    QSqlQuery(QSqlDatabase::database())
        .exec("create trigger refuse before insert on books when new.name = '第2章' "
              "begin select raise(abort, 'no'); end");
    const QStringList before = libraryState(app);
    importTxt(w, app.file("外/新书.txt"), [&](TxtImportDialog* d) {
        (accept ? button(d, QDialogButtonBox::Ok) : button(d, QDialogButtonBox::Cancel))->click();
    });
    QCOMPARE(libraryState(app), before);
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    甲"}));
    QCOMPARE(app.messages.value(0).second, message);
}

void TstTxtImport::exportComesBackTheSame()
{
    TestAppDir app;
    const QStringList chapters = {"第一卷/序", "第一卷/第1章 起", "第二卷/第3章 终"};
    seedLibrary(app, {"长篇", "长篇/第一卷", "长篇/" + chapters[0], "长篇/" + chapters[1],
                      "长篇/第二卷", "长篇/" + chapters[2]});
    // Texts an export could blur: no title line, indents, trailing blanks, a heading inside.
    const QStringList texts = {"开场白", "第1章 起\n\n　　甲\n\n第2章\n　　乙 ", "第3章 终\n"};
    for (int i = 0; i < chapters.size(); ++i)
        writeBytes(app.file(kLib + "长篇/" + chapters[i] + ".txt"), texts[i].toUtf8());
    QDir().mkpath(app.file("外"));
    MainWindow w;
    treeOf(w)->setCurrentIndex(indexOf(w, "长篇"));
    FileChooser::setExportChooser(
        [&](QWidget*, const QString&) { return app.file("外/回来.txt"); });
    callSlot(&w, "exportBooks_slot");
    importTxt(w, app.file("外/回来.txt"), [](TxtImportDialog* d) {
        QVERIFY(d->findChild<QCheckBox*>("exportCheck")->isVisible());
        button(d, QDialogButtonBox::Ok)->click();
    });
    const QStringList lines = treeLines(w);
    QCOMPARE(lines.mid(6), QStringList("回来") + lines.mid(1, 5));
    for (int i = 0; i < chapters.size(); ++i)
        QCOMPARE(QString::fromUtf8(readBytes(app.file(kLib + "回来/" + chapters[i] + ".txt"))),
                 texts[i]);
    QVERIFY(app.messages.isEmpty());
}

QTEST_MAIN(TstTxtImport)
#include "tst_txtimport.moc"
