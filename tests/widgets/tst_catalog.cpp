#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "app/messages.h"
#include "library/dialogrecycle.h"
#include "library/filechooser.h"
#include "library/txtimportdialog.h"

#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFileSystemModel>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <utility>

// Refusals and failures the random-operation test never provokes leave every file, row and
// tree item as they were and say why; the recycle bin.
class TstCatalog : public QObject
{
    Q_OBJECT
private slots:
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void oneFailedSaveOneBox();
    void recycleBin();
};

namespace {

const QString kLib = QStringLiteral("data/我的书籍/");

// The tree, then every entry of the library with its bytes, then every row of the index.
QStringList snapshot(MainWindow& w, const QString& library)
{
    QStringList all = treeLines(w);
    for (QDirIterator it(library, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        all << it.next() + ": " + readBytes(it.filePath());
    for (QSqlQuery q("select * from books", QSqlDatabase::database()); q.next();)
        for (int i = 0; i < q.record().count(); ++i)
            all << q.value(i).toString();
    return all;
}

// The entry `name` at the top level of the recycle bin's listing, once the model has read it.
QModelIndex binEntry(QWidget* dialog, const QString& name)
{
    auto* tree = dialog->findChild<QTreeView*>("treeView");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    QModelIndex found;
    const bool listed = QTest::qWaitFor([&] {
        found = model->index(model->rootPath() + "/" + name);
        return found.isValid() && tree->rootIndex() == found.parent();
    });
    return listed ? found : QModelIndex();
}

} // namespace

void TstCatalog::refusalsChangeNothing_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("place");   // chosen for an import or export
    QTest::addColumn<QString>("refusal"); // "bin": no room for copies; else a refused statement
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const QString& item, const QString& slot,
                        const QString& place, const QString& refusal, const QString& message) {
        QTest::newRow(name) << item << slot << place << refusal << message;
    };
    row("delete a chapter, no room in the bin", "书/卷/甲", "deleteChapter_slot", "", "bin",
        "删除失败：不能放入回收站，这一章原样保留!");
    // A book's own row is marked after its volumes and chapters: refused halfway.
    row("delete a book, the table refuses halfway", "书", "deleteBooks_slot", "",
        "update on books when new.type = 1", "删除失败：书库无法写入，这本书原样保留!");
    row("import, the table refuses halfway", "", "importBooks_slot", "外/新书",
        "insert on books when new.name = '甲'", "导入失败：书库无法写入!");
    row("export into the library, where it could take a chapter's place", "书", "exportBooks_slot",
        kLib + "书/卷/甲.txt", "", "导出失败：请选择书库以外的位置!");
    row("a whole-book file that is not text", "", "importTxt_slot", "外/坏.txt", "",
        "导入失败：文件不是UTF-8、UTF-16或GB18030编码的文本!");
    // A file name longer than the file system allows fails after other chapters were written.
    row("a whole-book file, a chapter file cannot be written", "", "importTxt_slot", "外/长.txt",
        "", "导入失败：书籍没能完整写入!");
    row("a whole-book file, the table refuses halfway", "", "importTxt_slot", "外/新书.txt",
        "insert on books when new.name = '第2章'", "导入失败：书库无法写入!");
}

void TstCatalog::refusalsChangeNothing()
{
    QFETCH(QString, item);
    QFETCH(QString, slot);
    QFETCH(QString, place);
    QFETCH(QString, refusal);
    QFETCH(QString, message);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    writeBytes(app.file("外/新书/卷/甲.txt"), "外来的甲");
    writeBytes(app.file("外/新书.txt"), "第1章\n甲\n第2章\n乙\n");
    writeBytes(app.file("外/坏.txt"), "第1章\n\xFF\x80");
    const QByteArray tooLong = QString(100, QChar(0x957F)).toUtf8();
    writeBytes(app.file("外/长.txt"),
               "\n\n\n卷    一\n\n\n正文\n\n\n卷    " + tooLong + "\n\n\n正文");
    const QString chosen = app.file(place);
    FileChooser::setImportChooser([chosen](QWidget*) { return chosen; });
    FileChooser::setImportTextChooser([chosen](QWidget*) { return chosen; });
    FileChooser::setExportChooser([chosen](QWidget*, const QString&) { return chosen; });
    MainWindow w;
    if (refusal == "bin") {
        QDir(app.file("data/回收站")).removeRecursively();
        writeBytes(app.file("data/回收站"), "not a directory");
    } else if (!refusal.isEmpty()) {
        QSqlQuery().exec("create trigger refuse before " + refusal +
                         " begin select raise(abort, 'no'); end");
    }
    // The preview of a whole-book file, once its dialog runs, is accepted as it comes.
    QTimer::singleShot(0, &w, [&w] {
        if (auto* preview = w.findChild<TxtImportDialog*>()) {
            preview->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            if (preview->isVisible())
                preview->reject(); // ends the test should the preview stay open
        }
    });
    const QStringList before = snapshot(w, app.file(kLib));
    treeOf(w)->setCurrentIndex(indexOf(w, item));
    callSlot(&w, qPrintable(slot));
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Error, message}}));
    QCOMPARE(snapshot(w, app.file(kLib)), before);
}

void TstCatalog::oneFailedSaveOneBox()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    clickItem(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    typeText(editor, "写了");
    // A directory in the file's place: every save fails. A box takes the focus from the
    // editor while it is up, as the real one does.
    QVERIFY(QFile::remove(app.file(kLib + "书/卷/甲.txt")) &&
            QDir().mkdir(app.file(kLib + "书/卷/甲.txt")));
    bool editorFocused = true;
    Messages::setPresenter([&](const QString& text, int kind) {
        app.messages.append({kind, text});
        if (std::exchange(editorFocused, false)) {
            QFocusEvent out(QEvent::FocusOut);
            QApplication::sendEvent(editor, &out);
        }
        editorFocused = true;
        return 1;
    });
    const QPair<int, QString> failed{Messages::Error, QStringLiteral("保存文件失败！")};
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{failed}));
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier); // that box is gone: a new one
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{failed, failed}));
}

// A deleted chapter can be read (and copied) back from the bin; the preview never saves, and
// a copy is removed for good only once the author confirms.
void TstCatalog::recycleBin()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "<b>正文</b>");
    writeBytes(app.file("data/回收站/书_1/卷/丙.txt"), "丙");
    MainWindow w;
    treeOf(w)->setCurrentIndex(indexOf(w, "书/卷/甲"));
    callSlot(&w, "deleteChapter_slot");
    w.findChild<QToolButton*>("btn_recycle")->click();
    auto* bin = w.findChild<DialogRecycle*>();
    QVERIFY(bin && bin->isVisible());
    const QString copy = QDir(app.file("data/回收站")).entryList(QDir::Files).value(0);
    callSlot(bin, "on_treeView_clicked", binEntry(bin, copy));
    auto* preview = bin->findChild<QTextEdit*>("textEdit");
    QCOMPARE(preview->toPlainText(), QString("<b>正文</b>"));
    preview->textCursor().insertText("改动");
    QCOMPARE(readBytes(app.file("data/回收站/" + copy)), QByteArray("<b>正文</b>"));
    const auto remove = [&](const QString& name) {
        bin->findChild<QTreeView*>("treeView")->setCurrentIndex(binEntry(bin, name));
        callSlot(bin, "delete_slot");
    };
    // The standard question: Escape keeps the entry.
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Escape);
    });
    remove("书_1");
    QVERIFY(QFileInfo::exists(app.file("data/回收站/书_1/卷/丙.txt")));
    bin->setBoxes([](QWidget*) { return true; },
                  [](QWidget*, const QString&) { QFAIL("nothing to report"); });
    remove("书_1");
    QCOMPARE(QDir(app.file("data/回收站")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{copy});
}

QTEST_MAIN(TstCatalog)
#include "tst_catalog.moc"
