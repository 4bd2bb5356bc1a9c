#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/catalogstore.h"
#include "library/sqliteoper.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>

void seedLibrary(const TestAppDir& app, const QStringList& items, const QString& text)
{
    SqliteOper::ensureBooksTable();
    QMap<QString, int> ids;
    int next = 1;
    for (const QString& item : items) {
        const QStringList parts = item.split('/');
        const QString parent = parts.mid(0, parts.size() - 1).join('/');
        const int sort = next;
        const QString path = app.file("data/我的书籍/" + item);
        CatalogStore::insertItem(next, parts.last(), path, parts.size(), ids.value(parent, 0),
                                 sort);
        ids[item] = next++;
        if (parts.size() == 3)
            writeBytes(path + ".txt", text.toUtf8());
        else
            writeBytes(path + "/index.txt", QByteArray());
    }
    SqliteOper::closeDatabase();
}

QTreeView* treeOf(MainWindow& w) { return w.findChild<QTreeView*>("treeView"); }
static QStandardItemModel* modelOf(MainWindow& w)
{
    return qobject_cast<QStandardItemModel*>(treeOf(w)->model());
}
QTextEdit* editorOf(MainWindow& w) { return w.findChild<QTextEdit*>("textEdit"); }
QString titleOf(MainWindow& w) { return w.findChild<QLabel*>("label_chapterTitle")->text(); }

QString statusPathOf(MainWindow& w)
{
    // The path is the first of the three labels of the status bar.
    const auto labels = w.findChild<QStatusBar*>("statusBar")
                            ->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    return labels.isEmpty() ? QString() : labels.first()->text();
}

QModelIndex indexOf(MainWindow& w, const QString& path)
{
    QStandardItemModel* model = modelOf(w);
    QModelIndex parent;
    for (const QString& name : path.split('/')) {
        QModelIndex found;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            if (model->index(row, 0, parent).data().toString() == name)
                found = model->index(row, 0, parent);
        }
        if (!found.isValid())
            return QModelIndex();
        parent = found;
    }
    return parent;
}

static void addLines(QStandardItemModel* model, const QModelIndex& parent, const QString& indent,
                     QStringList* lines)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        lines->append(indent + index.data().toString());
        addLines(model, index, indent + "  ", lines);
    }
}

QStringList treeLines(MainWindow& w)
{
    QStringList lines;
    addLines(modelOf(w), QModelIndex(), QString(), &lines);
    return lines;
}

void clickItem(MainWindow& w, const QString& path)
{
    QTreeView* tree = treeOf(w);
    const QModelIndex index = indexOf(w, path);
    QVERIFY2(index.isValid(), qPrintable(path));
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}
