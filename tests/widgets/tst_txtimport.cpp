#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/filechooser.h"
#include "library/txtimportdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlQuery>
#include <QTextCodec>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

// Data safety: nothing is written before the author accepts the preview; a refused or failed
// import leaves neither a file nor a row; every chapter's text reaches its file and comes
// back unchanged through an export.
class TstTxtImport : public QObject
{
    Q_OBJECT
private slots:
    void importThroughThePreview();
    void refusedImportsLeaveNoTrace_data();
    void refusedImportsLeaveNoTrace();
    void exportComesBackTheSame();
};

namespace {

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
    for (QMenu* menu : w.findChildren<QMenu*>()) {
        const QList<QAction*> actions = menu->actions();
        for (int i = 1; i < actions.size(); ++i) {
            if (actions[i - 1]->text() == "导入书籍" && actions[i]->text() == "导入TXT")
                entry = actions[i];
        }
    }
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
    QSqlQuery q("select id , name , pid , sort from books order by id", QSqlDatabase::database());
    while (q.next())
        state << QString("%1 %2 %3 %4")
                     .arg(q.value(0).toInt())
                     .arg(q.value(1).toString())
                     .arg(q.value(2).toInt())
                     .arg(q.value(3).toDouble());
    return state;
}

} // namespace

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
    QCOMPARE(bookRow(5), QVariantList({"第一卷 风起", dir + "第一卷 风起", 2, 4, 1.0, 0}));
    QCOMPARE(bookRow(7),
             QVariantList({"第1章 初见", dir + "第一卷 风起/第1章 初见", 3, 5, 2.0, 0}));
    QVERIFY(QFileInfo(dir + "第二卷/index.txt").isFile());
    QVERIFY(app.messages.isEmpty());
}

void TstTxtImport::refusedImportsLeaveNoTrace_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("message");
    const QByteArray book = QString("第1章\n甲\n第2章\n乙\n").toUtf8();
    QTest::newRow("cancelled") << book << "新书" << false << "";
    QTest::newRow("name taken: cannot accept") << book << "书" << false << "";
    QTest::newRow("not text") << book + "\xFF\xFE\x80"
                              << "新书" << false
                              << "导入失败：文件不是UTF-8、UTF-16或GB18030编码的文本!";
    // A file name longer than the file system allows fails after other chapters were written.
    QTest::newRow("a chapter file cannot be written")
        << QString("\n\n\n卷    一\n\n\n正文\n\n\n卷    %1\n\n\n正文")
               .arg(QString(100, QChar(0x957F)))
               .toUtf8()
        << "新书" << true << "导入失败：书籍没能完整写入!";
    QTest::newRow("the index refuses") << book << "新书" << true << "导入失败：书库无法写入!";
}

void TstTxtImport::refusedImportsLeaveNoTrace()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, file);
    QFETCH(bool, accept);
    QFETCH(QString, message);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    writeBytes(app.file("外/" + file + ".txt"), bytes);
    MainWindow w;
    QSqlQuery(QSqlDatabase::database())
        .exec("create trigger refuse before insert on books when new.name = '第2章' "
              "begin select raise(abort, 'no'); end");
    const QStringList before = libraryState(app);
    importTxt(w, app.file("外/" + file + ".txt"), [&](TxtImportDialog* d) {
        QCOMPARE(button(d, QDialogButtonBox::Ok)->isEnabled(), file != "书");
        (accept ? button(d, QDialogButtonBox::Ok) : button(d, QDialogButtonBox::Cancel))->click();
    });
    QCOMPARE(libraryState(app), before);
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    甲"}));
    QCOMPARE(app.messages.value(0).second, message);
}

void TstTxtImport::exportComesBackTheSame()
{
    TestAppDir app;
    seedLibrary(app, {"书"});
    writeBytes(
        app.file("外/长篇.txt"),
        QString("开场白\n\n第一卷\n第1章 起\n\n　　甲\n\n\n第2章\n\n第二卷\n第3章 终\n　　乙 \n")
            .toUtf8());
    MainWindow w;
    const Answer accept = [](TxtImportDialog* d) { button(d, QDialogButtonBox::Ok)->click(); };
    importTxt(w, app.file("外/长篇.txt"), accept);
    treeOf(w)->setCurrentIndex(indexOf(w, "长篇"));
    FileChooser::setExportChooser(
        [&](QWidget*, const QString&) { return app.file("外/回来.txt"); });
    QMetaObject::invokeMethod(&w, "exportBooks_slot");
    importTxt(w, app.file("外/回来.txt"), [](TxtImportDialog* d) {
        QVERIFY(d->findChild<QCheckBox*>("exportCheck")->isVisible());
        button(d, QDialogButtonBox::Ok)->click();
    });

    const QStringList lines = treeLines(w);
    const int back = lines.indexOf("回来");
    QCOMPARE(lines.mid(back + 1), lines.mid(2, back - 2));
    QCOMPARE(lines.mid(2, back - 2), QStringList({"  第一卷", "    序", "    第1章 起", "    第2章",
                                                  "  第二卷", "    第3章 终"}));
    for (const QString chapter :
         {"第一卷/序", "第一卷/第1章 起", "第一卷/第2章", "第二卷/第3章 终"}) {
        const QByteArray text = readBytes(app.file(kLib + "长篇/" + chapter + ".txt"));
        QCOMPARE(readBytes(app.file(kLib + "回来/" + chapter + ".txt")), text);
        QVERIFY(text.startsWith(chapter.section('/', 1).toUtf8() + "\n\n"));
    }
    QVERIFY(app.messages.isEmpty());
}

QTEST_MAIN(TstTxtImport)
#include "tst_txtimport.moc"
