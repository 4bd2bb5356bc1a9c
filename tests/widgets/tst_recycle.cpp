#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/dialogrecycle.h"

#include <QFileSystemModel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <sys/stat.h>

// Data safety: the preview never writes back (the file's bytes are compared after typing
// into it), and a permanent delete happens only after a confirmation, removes exactly the
// chosen entry and reports what it could not remove.
class TstRecycle : public QObject
{
    Q_OBJECT
private slots:
    void binShowsADeletedChapter();
    void permanentDelete();
    void standardBoxes();
};

namespace {

QTreeView* treeIn(QWidget* dialog) { return dialog->findChild<QTreeView*>("treeView"); }
QTextEdit* previewIn(QWidget* dialog) { return dialog->findChild<QTextEdit*>("textEdit"); }

// The entry `name` at the top level of the dialog's listing, once the model has read it.
QModelIndex entry(QWidget* dialog, const QString& name)
{
    QTreeView* tree = treeIn(dialog);
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    QModelIndex found;
    const bool listed = QTest::qWaitFor([&] {
        found = model->index(model->rootPath() + "/" + name);
        return found.isValid() && tree->rootIndex() == found.parent();
    });
    return listed ? found : QModelIndex();
}

void click(QWidget* dialog, const QModelIndex& index)
{
    QMetaObject::invokeMethod(dialog, "on_treeView_clicked", Q_ARG(QModelIndex, index));
}

} // namespace

void TstRecycle::binShowsADeletedChapter()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "<b>正文</b>");
    MainWindow w;
    treeOf(w)->setCurrentIndex(indexOf(w, "书/卷/甲"));
    QMetaObject::invokeMethod(&w, "deleteChapter_slot");
    w.findChild<QToolButton*>("btn_recycle")->click();
    auto* bin = w.findChild<DialogRecycle*>();
    QVERIFY(bin && bin->isVisible() && bin->isWindow());
    QCOMPARE(bin->windowTitle(), QString("回收站"));
    const QString copy = QDir(app.file("data/回收站")).entryList(QDir::Files).value(0);
    const QModelIndex file = entry(bin, copy);
    QVERIFY(file.isValid());
    // Name and date; size and type are hidden.
    QTreeView* tree = treeIn(bin);
    QVERIFY(!tree->isColumnHidden(3) && tree->isColumnHidden(1) && tree->isColumnHidden(2));

    click(bin, file);
    QCOMPARE(previewIn(bin)->toPlainText(), QString("<b>正文</b>"));
    QCOMPARE(bin->windowTitle(), "回收站---" + copy);
    // Edits in the preview are never saved.
    previewIn(bin)->textCursor().insertText("改动");
    QCOMPARE(readBytes(app.file("data/回收站/" + copy)), QByteArray("<b>正文</b>"));

    // One window, kept; the backups have their own.
    bin->close();
    QMetaObject::invokeMethod(&w, "recycle_slot");
    QCOMPARE(w.findChildren<DialogRecycle*>().size(), 1);
    QVERIFY(bin->isVisible());
    w.findChild<QToolButton*>("btn_bak")->click();
    QMetaObject::invokeMethod(&w, "bak_slot");
    QCOMPARE(w.findChildren<DialogRecycle*>().size(), 2);
    QCOMPARE(w.findChildren<DialogRecycle*>().value(1)->windowTitle(), QString("时光机"));
}

void TstRecycle::permanentDelete()
{
    TestAppDir app;
    const QString root = app.file("bin");
    writeBytes(root + "/书_1/卷/甲.txt", "甲");
    writeBytes(root + "/书_1/index.txt", "");
    writeBytes(root + "/书_卷_乙_2.txt", "乙");
    writeBytes(root + "/书_卷_丙_3.txt", "丙");
    DialogRecycle dialog;
    dialog.setRoot(root, "回收站");
    int asked = 0;
    bool answer = false;
    QStringList reported;
    dialog.setBoxes([&](QWidget*) { ++asked; return answer; },
                    [&](QWidget*, const QString& name) { reported << name; });
    const auto remove = [&](const QString& name) {
        treeIn(&dialog)->setCurrentIndex(entry(&dialog, name));
        QMetaObject::invokeMethod(&dialog, "delete_slot");
    };

    // Clicking a directory changes nothing.
    click(&dialog, entry(&dialog, "书_1"));
    QCOMPARE(dialog.windowTitle(), QString("回收站"));

    remove("书_1");
    QCOMPARE(asked, 1);
    QVERIFY(QFileInfo::exists(root + "/书_1/卷/甲.txt"));
    answer = true;
    remove("书_1");
    remove("书_卷_乙_2.txt");
    QCOMPARE(asked, 3);
    QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({"书_卷_丙_3.txt"}));
    QCOMPARE(readBytes(root + "/书_卷_丙_3.txt"), QByteArray("丙"));
    QVERIFY(reported.isEmpty());

    // An entry that cannot be removed whole (a pipe is neither file nor directory) is named
    // in the report; what could go is gone.
    writeBytes(root + "/书_4/甲.txt", "甲");
    QCOMPARE(::mkfifo(QFile::encodeName(root + "/书_4/管道").constData(), 0600), 0);
    remove("书_4");
    QCOMPARE(reported, QStringList({"书_4"}));
    QVERIFY(!QFileInfo::exists(root + "/书_4/甲.txt"));

    QStringList menus;
    for (QMenu* menu : dialog.findChildren<QMenu*>()) {
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << (a->isSeparator() ? QString("—") : a->text());
        menus << texts.join(",");
    }
    QCOMPARE(menus, QStringList({"彻底删除", "复制,粘贴,—,剪切,—,全选"}));
}

void TstRecycle::standardBoxes()
{
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen << box->windowTitle() << box->text() << box->informativeText();
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::Cancel);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QVERIFY(!DialogRecycle::askDelete(nullptr));
    QCOMPARE(seen, QStringList({"删除文件", "删除后不可恢复", "你想彻底删除吗？"}));

    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen << box->windowTitle() << box->text();
        box->button(QMessageBox::Ok)->click();
    });
    DialogRecycle::reportFailure(nullptr, "书_1");
    QCOMPARE(seen.mid(3), QStringList({"删除文件", "删除文件 书_1 失败！"}));
}

QTEST_MAIN(TstRecycle)
#include "tst_recycle.moc"
