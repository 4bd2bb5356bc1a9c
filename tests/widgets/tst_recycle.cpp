#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/dialogrecycle.h"

#include <QFileSystemModel>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <sys/stat.h>

// Data safety: the preview never writes back, and a permanent delete happens only after a
// confirmation, removes exactly the chosen entry and reports what it could not remove.
class TstRecycle : public QObject
{
    Q_OBJECT
private slots:
    void binShowsADeletedChapter();
    void permanentDelete();
};

namespace {

// The entry `name` at the top level of the dialog's listing, once the model has read it.
QModelIndex entry(QWidget* dialog, const QString& name)
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

void TstRecycle::binShowsADeletedChapter()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "<b>正文</b>");
    MainWindow w;
    treeOf(w)->setCurrentIndex(indexOf(w, "书/卷/甲"));
    callSlot(&w, "deleteChapter_slot");
    w.findChild<QToolButton*>("btn_recycle")->click();
    auto* bin = w.findChild<DialogRecycle*>();
    QVERIFY(bin && bin->isVisible() && bin->isWindow());
    const QString copy = QDir(app.file("data/回收站")).entryList(QDir::Files).value(0);
    callSlot(bin, "on_treeView_clicked", entry(bin, copy));
    auto* preview = bin->findChild<QTextEdit*>("textEdit");
    QCOMPARE(preview->toPlainText(), QString("<b>正文</b>"));
    QCOMPARE(bin->windowTitle(), "回收站---" + copy);
    // Edits in the preview are never saved.
    preview->textCursor().insertText("改动");
    QCOMPARE(readBytes(app.file("data/回收站/" + copy)), QByteArray("<b>正文</b>"));
}

void TstRecycle::permanentDelete()
{
    TestAppDir app;
    const QString root = app.file("bin");
    writeBytes(root + "/书_1/卷/甲.txt", "甲");
    writeBytes(root + "/书_卷_乙_2.txt", "乙");
    writeBytes(root + "/书_卷_丙_3.txt", "丙");
    DialogRecycle dialog;
    dialog.setRoot(root, "回收站");
    const auto remove = [&](const QString& name) {
        dialog.findChild<QTreeView*>("treeView")->setCurrentIndex(entry(&dialog, name));
        callSlot(&dialog, "delete_slot");
    };

    // The standard question: Escape keeps the entry.
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Escape);
    });
    remove("书_1");
    QVERIFY(QFileInfo::exists(root + "/书_1/卷/甲.txt"));

    QStringList reported;
    dialog.setBoxes([](QWidget*) { return true; },
                    [&](QWidget*, const QString& name) { reported << name; });
    remove("书_1");
    remove("书_卷_乙_2.txt");
    QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({"书_卷_丙_3.txt"}));
    QVERIFY(reported.isEmpty());

    // An entry that cannot be removed whole (a pipe is neither file nor directory) is named
    // in the report; what could go is gone.
    writeBytes(root + "/书_4/甲.txt", "甲");
    QCOMPARE(::mkfifo(QFile::encodeName(root + "/书_4/管道").constData(), 0600), 0);
    remove("书_4");
    QCOMPARE(reported, QStringList({"书_4"}));
    QVERIFY(!QFileInfo::exists(root + "/书_4/甲.txt"));
}

QTEST_MAIN(TstRecycle)
#include "tst_recycle.moc"
