#pragma once

#include <QModelIndex>
#include <QString>
#include <QStringList>

class MainWindow;
class QLabel;
class QTextEdit;
class QTreeView;
class QWidget;
class TestAppDir;

// Writes a library into the test's application directory before a main window starts:
// rows in the book index and the files on disk. Each entry is "book/volume/chapter" (a
// chapter file holding `text`), "book/volume" or "book"; ids and sorts follow the order.
void seedLibrary(const TestAppDir& app, const QStringList& items,
                 const QString& text = QStringLiteral("正文"));

QTreeView* treeOf(MainWindow& w);
QTextEdit* editorOf(MainWindow& w);
QString statusPathOf(MainWindow& w);
QString titleOf(MainWindow& w);

// The index shown as "book/volume/chapter" (or a shorter path); invalid when absent.
QModelIndex indexOf(MainWindow& w, const QString& path);
// The tree as lines, one per item, indented by depth.
QStringList treeLines(MainWindow& w);
// Opens an item the way the user does: a left click on it in the tree.
void clickItem(MainWindow& w, const QString& path);
// Types `text` into `widget` key by key, as an input method delivers CJK text (QTest's
// keyClicks only knows ASCII).
void typeText(QWidget* widget, const QString& text);
