#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/filecreate.h"
#include "settings/config.h"
#include "settings/dialogsetting.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <memory>

// The editor's count, keys, typesetting and theme in the real main window. The chapter is
// the one named by cur_open_chapter; the test fills the editor as opening it would.
class TstMainWindowEditor : public QObject
{
    Q_OBJECT
private slots:
    void countLabelColourAndSoundOncePerCrossing();
    void ctrlSSavesAndCursorMovesBringTheStarBack();
    void returnInsertsBreakAndIndentAndSaves_data();
    void returnInsertsBreakAndIndentAndSaves();
    void savesNeverWriteEmptyTextOrRecreateAFile();
    void focusOutSaves();
    void ctrlKeysReachTheirTargets();
    void escapeAndTitleDoubleClick();
    void oneKeyTypesettingReplacesTheTextAsPlainText();
    void themeWithAndWithoutPicture();
    void marginsOnlyWhenMaximisedOrFullScreen();
    void themeFontAndSizeCoverTheWholeText();
    void openingCountsAsAnEditOnlyWithText();
    void settingsDialogOpensOnceSizedAndCentred();
};

namespace {

// The main window on a fresh application directory. Its starter chapter is opened the way
// the author opens it, by a click in the catalog tree, after the test wrote its text.
struct EditorWindow {
    TestAppDir app;
    QString config = app.file("config.ini");
    QString volumeDir = app.file("data/我的书籍/默认书名[1]/默认分卷[1]");
    QString chapter = volumeDir + "/默认章节[1].txt";
    QString neighbour = volumeDir + "/index.txt";
    QByteArray neighbourBytes;
    std::unique_ptr<MainWindow> w;
    QTextEdit* edit = nullptr;
    QTreeView* tree = nullptr;

    explicit EditorWindow(const std::function<void(QSettings&)>& configure = {})
    {
        Config::writeDefaults(config, app.path());
        if (configure) {
            std::unique_ptr<QSettings> s(Config::open(config));
            configure(*s);
        }
        w = std::make_unique<MainWindow>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        edit = get<QTextEdit>("textEdit");
        tree = get<QTreeView>("treeView");
        neighbourBytes = readBytes(neighbour);
    }
    QModelIndex volumeItem() { return tree->model()->index(0, 0, tree->model()->index(0, 0)); }
    QModelIndex chapterItem() { return tree->model()->index(0, 0, volumeItem()); }
    void click(const QModelIndex& index)
    {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    }
    // Leaving the chapter first keeps its old text from being saved over the new one.
    void open(const QString& text)
    {
        click(volumeItem());
        writeBytes(chapter, text.toUtf8());
        click(chapterItem());
        QCOMPARE(edit->toPlainText(), text);
        edit->moveCursor(QTextCursor::End);
    }
    template <typename T = QWidget> T* get(const char* name) { return w->findChild<T*>(name); }
    QString title() { return get<QLabel>("label_chapterTitle")->text(); }
    QLabel* countLabel()
    {
        for (QLabel* l : get<QStatusBar>("statusBar")->findChildren<QLabel*>())
            if (l->text().startsWith("总字数"))
                return l;
        return nullptr;
    }
    void settings(const QString& key, const QVariant& value)
    {
        std::unique_ptr<QSettings> s(Config::open(config));
        s->setValue(key, value);
    }
    void applyTheme() { QVERIFY(QMetaObject::invokeMethod(w.get(), "save_success_update")); }
};

QByteArray utf8(const QString& s) { return s.toUtf8(); }

} // namespace

void TstMainWindowEditor::countLabelColourAndSoundOncePerCrossing()
{
    EditorWindow e;
    e.open(QString(2999, QChar(0x7532)));
    QLabel* label = e.countLabel();
    QVERIFY(label);
    QCOMPARE(label->text(), QString("总字数:2999\t稿费:149.95"));
    QCOMPARE(label->styleSheet(), QString("color : #000000;"));
    QCOMPARE(e.title(), QString("默认章节[1]*"));

    QTest::keyClick(e.edit, Qt::Key_A);
    QCOMPARE(label->text(), QString("总字数:3000\t稿费:150.00"));
    QCOMPARE(label->styleSheet(), QString("color : red;"));
    QCOMPARE(fakeSounds().played, QStringList{"lock.wav"});
    QTest::keyClick(e.edit, Qt::Key_B);
    QTest::keyClick(e.edit, Qt::Key_Left);
    QCOMPARE(fakeSounds().played.size(), 1);

    QTest::keyClick(e.edit, Qt::Key_Backspace);
    QTest::keyClick(e.edit, Qt::Key_Backspace);
    QCOMPARE(label->text(), QString("总字数:2999\t稿费:149.95"));
    QCOMPARE(label->styleSheet(), QString("color : #000000;"));
    QTest::keyClick(e.edit, Qt::Key_C);
    QCOMPARE(fakeSounds().played, QStringList({"lock.wav", "lock.wav"}));

    // Rate and target are read on every recount, and the colour is the current theme's.
    e.settings(Config::Price, "12.5");
    e.settings(Config::WordPreChapters, "5000");
    e.settings(Config::ThemeNumber, "3");
    e.open(QString(1500, QChar(0x7532)));
    QCOMPARE(label->text(), QString("总字数:1500\t稿费:18.75"));
    QCOMPARE(label->styleSheet(), QString("color : #ffffff;"));
}

void TstMainWindowEditor::ctrlSSavesAndCursorMovesBringTheStarBack()
{
    EditorWindow e;
    e.open("第一章\n  你好 world");
    QCOMPARE(e.countLabel()->text(), QString("总字数:10\t稿费:0.50"));
    e.edit->insertPlainText("！");
    QTest::keyClick(e.edit, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readBytes(e.chapter), utf8("第一章\n  你好 world！"));
    QCOMPARE(e.title(), QString("默认章节[1]"));

    QTest::keyClick(e.edit, Qt::Key_Left);
    QCOMPARE(e.title(), QString("默认章节[1]*"));
    QCOMPARE(e.countLabel()->text(), QString("总字数:11\t稿费:0.55"));

    e.edit->insertPlainText("？");
    QTest::keyClick(e.edit, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(readBytes(e.chapter), utf8("第一章\n  你好 world？！"));
    QCOMPARE(e.title(), QString("默认章节[1]"));
    QCOMPARE(readBytes(e.neighbour), e.neighbourBytes);
}

void TstMainWindowEditor::returnInsertsBreakAndIndentAndSaves_data()
{
    QTest::addColumn<QString>("key");   // config key changed, or empty
    QTest::addColumn<bool>("value");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << "" << true << 3 << 3 << "甲乙丙\n\n    ";
    QTest::newRow("in the middle") << "" << true << 1 << 1 << "甲\n\n    乙丙";
    QTest::newRow("a selection is replaced") << "" << true << 1 << 2 << "甲\n\n    丙";
    QTest::newRow("no blank line") << Config::BrokenRows << false << 3 << 3 << "甲乙丙\n    ";
}

void TstMainWindowEditor::returnInsertsBreakAndIndentAndSaves()
{
    QFETCH(QString, key);
    QFETCH(bool, value);
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(QString, expected);
    EditorWindow e([&](QSettings& s) {
        if (!key.isEmpty())
            s.setValue(key, value);
    });
    e.open("甲乙丙");
    QTextCursor c = e.edit->textCursor();
    c.setPosition(selStart);
    c.setPosition(selEnd, QTextCursor::KeepAnchor);
    e.edit->setTextCursor(c);

    QTest::keyClick(e.edit, Qt::Key_Return);
    QCOMPARE(e.edit->toPlainText(), expected);
    // The whole text lands in the open chapter only, in UTF-8, and nowhere else.
    QCOMPARE(readBytes(e.chapter), utf8(expected));
    QCOMPARE(readBytes(e.neighbour), e.neighbourBytes);
    QCOMPARE(e.edit->textCursor().position(), expected.lastIndexOf(' ') + 1);

    e.edit->undo();
    QCOMPARE(e.edit->toPlainText(), QString("甲乙丙"));
}

void TstMainWindowEditor::savesNeverWriteEmptyTextOrRecreateAFile()
{
    EditorWindow e;
    e.open("原文");
    e.edit->clear();
    QTest::keyClick(e.edit, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readBytes(e.chapter), utf8("原文"));

    QVERIFY(QFile::remove(e.chapter));
    e.edit->insertPlainText("新文");
    QTest::keyClick(e.edit, Qt::Key_Return);
    QCOMPARE(e.edit->toPlainText(), QString("新文\n\n    "));
    QTest::keyClick(e.edit, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!QFileInfo::exists(e.chapter));
    QCOMPARE(QDir(e.volumeDir).entryList(QDir::Files), QStringList{"index.txt"});
}

void TstMainWindowEditor::focusOutSaves()
{
    EditorWindow e;
    e.open("焦点");
    e.edit->insertPlainText("离开");
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QSignalSpy never(e.edit, &QTextEdit::textChanged);
    QCoreApplication::sendEvent(e.edit, &out);
    QCOMPARE(readBytes(e.chapter), utf8("焦点离开"));
    QCOMPARE(never.count(), 0);
}

void TstMainWindowEditor::ctrlKeysReachTheirTargets()
{
    EditorWindow e;
    e.open("甲乙");
    const int pad = Qt::ControlModifier | Qt::KeypadModifier;
    const QList<QPair<const char*, QPair<int, int>>> keys{{"bold", {Qt::Key_B, Qt::ControlModifier}},
                                                          {"center", {Qt::Key_M, Qt::ControlModifier}},
                                                          {"font_big", {Qt::Key_Plus, pad}},
                                                          {"font_samll", {Qt::Key_Minus, pad}}};
    for (const auto& k : keys) {
        QSignalSpy spy(e.get<QToolButton>(k.first), &QToolButton::clicked);
        QTest::keyClick(e.edit, Qt::Key(k.second.first), Qt::KeyboardModifiers(k.second.second));
        QVERIFY2(spy.count() == 1, k.first);
    }
    QSignalSpy bigger(e.get<QToolButton>("font_big"), &QToolButton::clicked);
    QTest::keyClick(e.edit, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(bigger.count(), 0);

    QTest::keyClick(e.edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(e.edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("甲乙"));
    e.edit->moveCursor(QTextCursor::End);
    QTest::keyClick(e.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e.edit->toPlainText(), QString("甲乙甲乙"));
    QTest::keyClick(e.edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e.edit->toPlainText(), QString("甲乙"));
}

void TstMainWindowEditor::escapeAndTitleDoubleClick()
{
    EditorWindow e;
    e.w->show();
    auto* full = e.get<QToolButton>("fullScreen");
    QSignalSpy leave(full, &QToolButton::clicked);
    QTest::keyClick(e.w.get(), Qt::Key_Escape);
    QCOMPARE(leave.count(), 0);
    e.w->showFullScreen();
    QTest::keyClick(e.w.get(), Qt::Key_Escape);
    QCOMPARE(leave.count(), 1);

    auto* max = e.get<QPushButton>("btnMenu_Max");
    QVERIFY(!max->isChecked());
    QTest::mouseDClick(e.get("widget_title"), Qt::LeftButton);
    QVERIFY(max->isChecked());
    QTest::mouseDClick(e.get("widget_title"), Qt::LeftButton);
    QVERIFY(!max->isChecked());
}

void TstMainWindowEditor::oneKeyTypesettingReplacesTheTextAsPlainText()
{
    EditorWindow e;
    e.open("第一段\n\n\n  第二段  ");
    e.w->findChild<QLabel*>("label_chapterTitle")->clear();
    e.get<QToolButton>("one_key")->click();
    QCOMPARE(e.edit->toPlainText(), QString("    第一段\n    \n    第二段"));
    QCOMPARE(e.edit->textCursor().position(), 0);
    // The new text was recounted.
    QCOMPARE(e.title(), QString("默认章节[1]*"));
    QCOMPARE(e.countLabel()->text(), QString("总字数:6\t稿费:0.30"));
    // Typesetting does not save; the next save trigger does.
    QCOMPARE(readBytes(e.chapter), utf8("第一段\n\n\n  第二段  "));

    e.open("<b>粗</b>\n细");
    e.get<QToolButton>("toolButton_5")->click();
    QCOMPARE(e.edit->toPlainText(), QString("    <b>粗</b>\n    \n    细"));
    QTest::keyClick(e.edit, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readBytes(e.chapter), utf8("    <b>粗</b>\n    \n    细"));
}

void TstMainWindowEditor::themeWithAndWithoutPicture()
{
    EditorWindow e([](QSettings& s) { s.setValue(Config::ThemeNumber, "2"); });
    QVERIFY(qApp->styleSheet().startsWith(FileCreate::loadStyleSheet("gray")));
    QVERIFY(qApp->styleSheet().endsWith("QMainWindow{background-color: #ffcdec;color : #000000;}"));
    QCOMPARE(e.get("treeView")->styleSheet(), QString("background-color : #ffcdec;color : #000000;"));
    QCOMPARE(e.get("widget_tool1")->styleSheet(), QString("color :#000000;"));
    const QList<QLabel*> status = e.get<QStatusBar>("statusBar")->findChildren<QLabel*>();
    QCOMPARE(status.size(), 3);
    for (QLabel* l : status)
        QCOMPARE(l->styleSheet(), QString("color : #000000;"));

    e.settings("UIOption_2/bg_image", e.app.file("图/山.png"));
    e.applyTheme();
    QVERIFY(!qApp->styleSheet().contains("QMainWindow{"));
    for (const char* name : {"wiget_textEdit", "treeView", "left_label", "right_label", "bottom_label"})
        QVERIFY2(e.get(name)->styleSheet().startsWith("background-color : transparent;"), name);
    QCOMPARE(e.get("Widget_tool")->styleSheet(), QString("color : #000000;"));
}

void TstMainWindowEditor::marginsOnlyWhenMaximisedOrFullScreen()
{
    EditorWindow e([](QSettings& s) { s.setValue("UIOption_1/right_margin", "150"); });
    e.open("一\n二\n三");
    auto margins = [&] {
        QStringList m;
        for (QTextBlock b = e.edit->document()->begin(); b.isValid(); b = b.next())
            m << QString("%1/%2").arg(b.blockFormat().leftMargin()).arg(b.blockFormat().rightMargin());
        return m.join(' ');
    };
    e.applyTheme();
    QCOMPARE(margins(), QString("0/0 0/0 0/0"));

    e.get<QPushButton>("btnMenu_Max")->setChecked(true);
    e.applyTheme();
    QCOMPARE(margins(), QString("200/150 200/150 200/150"));

    e.get<QPushButton>("btnMenu_Max")->setChecked(false);
    e.get<QToolButton>("one_key")->click();
    QCOMPARE(margins(), QString("0/0 0/0 0/0 0/0 0/0"));

    e.w->showFullScreen();
    e.get<QToolButton>("one_key")->click();
    QCOMPARE(margins(), QString("200/150 200/150 200/150 200/150 200/150"));
    QCOMPARE(e.edit->toPlainText(), QString("    一\n    \n    二\n    \n    三"));
}

void TstMainWindowEditor::themeFontAndSizeCoverTheWholeText()
{
    EditorWindow e;
    e.open("一二三\n四五");
    auto sizes = [&] {
        QSet<int> s;
        QTextCursor c(e.edit->document());
        while (c.movePosition(QTextCursor::NextCharacter))
            s << qRound(c.charFormat().fontPointSize());
        return s;
    };
    e.settings("UIOption_1/font_size_set", "24");
    e.applyTheme();
    QCOMPARE(e.get<QComboBox>("font_size")->currentText(), QString("24"));
    QCOMPARE(sizes(), QSet<int>{24});
    QTextCursor c(e.edit->document());
    c.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(c.charFormat().fontFamily(), QString("文泉驿微米黑"));
    QVERIFY(!e.edit->textCursor().hasSelection());
    QCOMPARE(e.edit->textCursor().position(), e.edit->toPlainText().size());

    // A size that is not among the box's items leaves box and text as they were.
    e.settings("UIOption_1/font_size_set", "40");
    e.applyTheme();
    QCOMPARE(e.get<QComboBox>("font_size")->currentText(), QString("24"));
    QCOMPARE(sizes(), QSet<int>{24});
}

void TstMainWindowEditor::openingCountsAsAnEditOnlyWithText()
{
    // Sizing the opened text is an edit, so the autosave keeps a copy of every chapter that
    // was opened with text, and none of an empty one.
    EditorWindow e;
    const QDir bak(e.app.file("bak"));
    e.open("");
    QVERIFY(QMetaObject::invokeMethod(e.w.get(), "timer_save_slot"));
    QCOMPARE(bak.entryList(QDir::Files).size(), 0);
    e.open("正文");
    QVERIFY(QMetaObject::invokeMethod(e.w.get(), "timer_save_slot"));
    QStringList copies = bak.entryList(QDir::Files);
    QCOMPARE(copies.size(), 1);
    QCOMPARE(readBytes(bak.filePath(copies[0])), utf8("正文"));

    // Reopened over a text that had the size already: still an edit.
    e.click(e.chapterItem());
    QVERIFY(!e.edit->document()->isUndoAvailable());
    QTest::qWait(2);
    QVERIFY(QMetaObject::invokeMethod(e.w.get(), "timer_save_slot"));
    QCOMPARE(bak.entryList(QDir::Files).size(), 2);
}

void TstMainWindowEditor::settingsDialogOpensOnceSizedAndCentred()
{
    EditorWindow e;
    e.w->show();
    e.get<QToolButton>("settings")->click();
    auto* dialog = e.w->findChild<DialogSetting*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const bool large = screen.right() - screen.left() > 1919;
    QCOMPARE(dialog->size(), large ? QSize(600, 850) : QSize(420, 600));
    QCOMPARE(e.w->size(), large ? QSize(1200, 1005) : QSize(800, 705));
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    QCOMPARE(e.w->pos(), QPoint(desktop.width() / 2 - e.w->width() / 2,
                                desktop.height() / 2 - e.w->height() / 2));

    dialog->findChild<QLineEdit*>("text_color")->setText("#123456");
    dialog->findChild<QPushButton*>("set_save")->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(e.get("treeView")->styleSheet(), QString("background-color : #eeeeee;color : #123456;"));

    e.w->move(5, 5);
    e.get<QToolButton>("toolButton_2")->click();
    QCOMPARE(e.w->findChildren<DialogSetting*>().size(), 1);
    QVERIFY(dialog->isVisible());
    QCOMPARE(e.w->pos(), QPoint(5, 5));
    QCOMPARE(dialog->findChild<QLineEdit*>("text_color")->text(), QString("#123456"));
}

QTEST_MAIN(TstMainWindowEditor)
#include "tst_mainwindow_editor.moc"
