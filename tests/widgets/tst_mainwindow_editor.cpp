#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/backgroundpicture.h"
#include "app/mainwindow.h"
#include "app/messages.h"
#include "editor/dialogfind.h"
#include "editor/editortext.h"
#include "settings/config.h"
#include "settings/dialogsetting.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

// The editor in the real main window: count, saving, typesetting, theme, find and replace.
// What its saves write, byte for byte, is watched by the random-operation test.
class TstMainWindowEditor : public QObject
{
    Q_OBJECT
private slots:
    void countLabelAndSoundOncePerCrossing();
    void saveTriggers_data();
    void saveTriggers();
    void typesettingKeepsMarkupAsText();
    void settingsDialogAndThemeApplyStyleSheetsAndPicture();
    void findAndReplace_data();
    void findAndReplace();
};

namespace {

// Chapter 甲 holding `text` opened by a click in the catalog, with the cursor at its end.
struct EditorWindow {
    TestAppDir app;
    std::unique_ptr<MainWindow> w;
    QTextEdit* edit = nullptr;
    DialogFind* find = nullptr;

    explicit EditorWindow(const QString& text, const QString& key = {}, const QVariant& value = {})
    {
        seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, text);
        Config::writeDefaults(app.file("config.ini"), app.path());
        if (!key.isEmpty())
            settings(key, value);
        w = std::make_unique<MainWindow>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        clickItem(*w, "书/卷/甲");
        edit = editorOf(*w);
        edit->moveCursor(QTextCursor::End);
    }
    template <typename T = QWidget> T* get(const char* name) { return w->findChild<T*>(name); }
    template <typename T> T* inFind(const char* name) { return find->findChild<T*>(name); }
    QByteArray chapter() const { return readBytes(app.file("data/我的书籍/书/卷/甲.txt")); }
    void settings(const QString& key, const QVariant& value)
    {
        std::unique_ptr<QSettings>(Config::open(app.file("config.ini")))->setValue(key, value);
    }
    void openFind()
    {
        get<QToolButton>("search")->click();
        find = w->findChild<DialogFind*>();
    }
    void check(const char* name, bool on)
    {
        if (inFind<QAbstractButton>(name)->isChecked() != on)
            inFind<QAbstractButton>(name)->click();
    }
    void select(int from, int to)
    {
        QTextCursor c = edit->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
    }
};

} // namespace

void TstMainWindowEditor::countLabelAndSoundOncePerCrossing()
{
    EditorWindow e(QString(2999, QChar(0x7532)));
    QLabel* label = e.get<QStatusBar>("statusBar")
                        ->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)
                        .value(2);
    QCOMPARE(label->text(), QString("总字数:2999\t稿费:149.95"));
    QCOMPARE(label->styleSheet(), QString("color : #000000;"));
    QCOMPARE(titleOf(*e.w), QString("甲*"));

    QTest::keyClick(e.edit, Qt::Key_A);
    QCOMPARE(label->text(), QString("总字数:3000\t稿费:150.00"));
    QCOMPARE(label->styleSheet(), QString("color : red;"));
    QTest::keyClick(e.edit, Qt::Key_B);
    QTest::keyClick(e.edit, Qt::Key_Backspace);
    QTest::keyClick(e.edit, Qt::Key_Backspace);
    QTest::keyClick(e.edit, Qt::Key_C);
    QCOMPARE(fakeSounds().played, QStringList({"lock.wav", "lock.wav"}));

    // The rate is read again on every recount.
    e.settings(Config::Price, "12.5");
    QTest::keyClick(e.edit, Qt::Key_Left);
    QCOMPARE(label->text(), QString("总字数:3000\t稿费:37.50"));
}

void TstMainWindowEditor::saveTriggers_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("blankLine");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("starred"); // the title still marks the text as unsaved
    QTest::newRow("Ctrl+S") << "ctrl+s" << true << 1 << "甲丁乙丙" << false;
    QTest::newRow("leaving the editor") << "focus" << true << 3 << "甲乙丙丁" << true;
    QTest::newRow("Return") << "return" << true << 3 << "甲乙丙\n\n    " << true;
    QTest::newRow("Return, no blank line") << "return" << false << 1 << "甲\n    乙丙" << true;
}

// The whole text lands in the open chapter, as one undo step.
void TstMainWindowEditor::saveTriggers()
{
    QFETCH(QString, trigger);
    QFETCH(int, cursor);
    QFETCH(QString, expected);
    QFETCH(bool, blankLine);
    EditorWindow e("甲乙丙", Config::BrokenRows, blankLine);
    e.select(cursor, cursor);
    if (trigger == "return")
        QTest::keyClick(e.edit, Qt::Key_Return);
    else
        e.edit->insertPlainText("丁");
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    if (trigger == "focus")
        QCoreApplication::sendEvent(e.edit, &out);
    else if (trigger == "ctrl+s")
        QTest::keyClick(e.edit, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(e.chapter(), expected.toUtf8());
    QFETCH(bool, starred);
    QCOMPARE(titleOf(*e.w), QString(starred ? "甲*" : "甲"));
    e.edit->undo();
    QCOMPARE(e.edit->toPlainText(), QString("甲乙丙"));
}

void TstMainWindowEditor::typesettingKeepsMarkupAsText()
{
    EditorWindow e("<b>粗</b>\n\n\n细");
    e.get<QLabel>("label_chapterTitle")->clear();
    e.get<QToolButton>("one_key")->click();
    QCOMPARE(e.edit->toPlainText(), QString("    <b>粗</b>\n    \n    细"));
    QCOMPARE(titleOf(*e.w), QString("甲*"));
}

void TstMainWindowEditor::settingsDialogAndThemeApplyStyleSheetsAndPicture()
{
    EditorWindow e("一\n二", Config::ThemeNumber, "2");
    e.get<QToolButton>("settings")->click();
    auto* dialog = e.w->findChild<DialogSetting*>();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QLineEdit*>("text_color")->setText("#123456");
    dialog->findChild<QPushButton*>("set_save")->click();
    QCOMPARE(e.get("treeView")->styleSheet(),
             QString("background-color : #ffcdec;color : #123456;"));
    // The icon row is drawn in the text colour (on a dark theme the default ink vanishes).
    const QImage lockIcon = e.get<QToolButton>("lock")->icon().pixmap(40, 40).toImage();
    QSet<QRgb> inks;
    for (int i = 0; i < lockIcon.width() * lockIcon.height(); ++i)
        if (qAlpha(lockIcon.pixel(i % lockIcon.width(), i / lockIcon.width())) == 255)
            inks.insert(lockIcon.pixel(i % lockIcon.width(), i / lockIcon.width()) & 0xffffff);
    QCOMPARE(inks, QSet<QRgb>{0x123456});

    // A picture put in place after a paint found it missing shows at the next theme change.
    e.settings("UIOption_2/bg_image", e.app.file("图/山.png"));
    callSlot(e.w.get(), "save_success_update");
    e.w->grab();
    QImage mountain(4, 4, QImage::Format_RGB32);
    mountain.fill(Qt::darkGreen);
    QVERIFY(QDir().mkpath(e.app.file("图")) && mountain.save(e.app.file("图/山.png")));
    callSlot(e.w.get(), "save_success_update");
    QVERIFY(
        !e.w->findChild<BackgroundPicture*>()->scaled(e.app.file("图/山.png"), {4, 4}).isNull());
}

void TstMainWindowEditor::findAndReplace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from"); // the selection when the dialog is used
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("mode"); // back, forward: find; current, global: replace by 她
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QString>("word");
    // The selection after each click of the find button, or the text after the replacement.
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<int>("misses");
    const auto row = [](const char* name, const QString& text, int from, int to,
                        const QString& mode, bool ignoreCase, const QString& word,
                        const QStringList& results, int misses) {
        QTest::newRow(name) << text << from << to << mode << ignoreCase << word << results
                            << misses;
    };
    row("backwards to the start, then no further", "他说他来了他", 6, 6, "back", true, "他",
        {"5-6", "2-3", "0-1", "0-1"}, 1);
    row("forwards to the end, then no further", "甲乙甲乙", 0, 0, "forward", true, "乙",
        {"1-2", "3-4", "3-4"}, 1);
    row("find ignoring case", "Apple", 5, 5, "back", true, "apple", {"0-5"}, 0);
    row("find case sensitive", "Apple", 5, 5, "back", false, "apple", {"5-5"}, 1);
    row("replace the selection only", "他说他来了", 2, 3, "current", true, "", {"他说她来了"}, 0);
    row("replace all, ignoring case", "Tom, tom and TOM", 0, 3, "global", true, "",
        {"她, 她 and 她"}, 0);
    row("replace all, case sensitive", "Tom, tom and TOM", 5, 8, "global", false, "",
        {"Tom, 她 and TOM"}, 0);
    row("replace with nothing selected", "他说他来了", 2, 2, "global", true, "", {"他说他来了"}, 0);
}

void TstMainWindowEditor::findAndReplace()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, mode);
    QFETCH(bool, ignoreCase);
    QFETCH(QString, word);
    QFETCH(QStringList, results);
    QFETCH(int, misses);
    EditorWindow e(text);
    e.openFind();
    e.select(from, to);
    const bool replacing = mode == "current" || mode == "global";
    e.check("replace", replacing);
    e.check(qPrintable(mode), true);
    e.check("checkBox", ignoreCase);
    if (replacing) {
        e.inFind<QLineEdit>("re_lineEdit")->setText("她");
        e.inFind<QPushButton>("sure")->click();
        QCOMPARE(QStringList{editorPlainText(e.edit->document())}, results);
        QVERIFY(!e.edit->textCursor().hasSelection());
    }
    typeText(e.inFind<QLineEdit>("lineEdit"), word);
    for (const QString& expected : replacing ? QStringList() : results) {
        e.inFind<QPushButton>("btn_find")->click();
        const QTextCursor c = e.edit->textCursor();
        QCOMPARE(QString("%1-%2").arg(c.selectionStart()).arg(c.selectionEnd()), expected);
        QCOMPARE(e.edit->toPlainText(), text);
    }
    QCOMPARE(e.app.messages.toVector(),
             (QVector<QPair<int, QString>>(misses, {Messages::Error, "没有匹配的字符了!"})));
}

QTEST_MAIN(TstMainWindowEditor)
#include "tst_mainwindow_editor.moc"
