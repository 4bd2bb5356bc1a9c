#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/backgroundpicture.h"
#include "app/mainwindow.h"
#include "settings/config.h"
#include "settings/dialogsetting.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

// The editor's count, saving, typesetting and theme in the real main window.
class TstMainWindowEditor : public QObject
{
    Q_OBJECT
private slots:
    void countLabelAndSoundOncePerCrossing();
    void saveTriggersWriteOnlyTheOpenChapter_data();
    void saveTriggersWriteOnlyTheOpenChapter();
    void typesettingKeepsMarkupAsText();
    void settingsDialogAndThemeApplyStyleSheetsSizeAndMargins();
};

namespace {

// Chapter 甲 opened by a click in the catalog, with the cursor at its end.
struct EditorWindow {
    TestAppDir app;
    QString chapter = app.file("data/我的书籍/书/卷/甲.txt");
    std::unique_ptr<MainWindow> w;
    QTextEdit* edit = nullptr;

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
        QCOMPARE(edit->toPlainText(), text);
        edit->moveCursor(QTextCursor::End);
    }
    template <typename T = QWidget> T* get(const char* name) { return w->findChild<T*>(name); }
    QLabel* countLabel()
    {
        for (QLabel* l : get<QStatusBar>("statusBar")->findChildren<QLabel*>())
            if (l->text().startsWith("总字数"))
                return l;
        return nullptr;
    }
    void settings(const QString& key, const QVariant& value)
    {
        std::unique_ptr<QSettings>(Config::open(app.file("config.ini")))->setValue(key, value);
    }
    void applyTheme() { callSlot(w.get(), "save_success_update"); }
};

} // namespace

void TstMainWindowEditor::countLabelAndSoundOncePerCrossing()
{
    EditorWindow e(QString(2999, QChar(0x7532)));
    QLabel* label = e.countLabel();
    QCOMPARE(label->text(), QString("总字数:2999\t稿费:149.95"));
    QCOMPARE(label->styleSheet(), QString("color : #000000;"));
    QCOMPARE(titleOf(*e.w), QString("甲*"));

    QTest::keyClick(e.edit, Qt::Key_A);
    QCOMPARE(label->text(), QString("总字数:3000\t稿费:150.00"));
    QCOMPARE(label->styleSheet(), QString("color : red;"));
    QTest::keyClick(e.edit, Qt::Key_B);
    QCOMPARE(fakeSounds().played, QStringList{"lock.wav"});
    QTest::keyClick(e.edit, Qt::Key_Backspace);
    QTest::keyClick(e.edit, Qt::Key_Backspace);
    QCOMPARE(label->styleSheet(), QString("color : #000000;"));
    QTest::keyClick(e.edit, Qt::Key_C);
    QCOMPARE(fakeSounds().played, QStringList({"lock.wav", "lock.wav"}));

    // Rate, target and colour are read again on every recount.
    e.settings(Config::Price, "12.5");
    e.settings(Config::WordPreChapters, "5000");
    e.settings(Config::ThemeNumber, "3");
    QTest::keyClick(e.edit, Qt::Key_Left);
    QCOMPARE(label->text(), QString("总字数:3000\t稿费:37.50"));
    QCOMPARE(label->styleSheet(), QString("color : #ffffff;"));
}

void TstMainWindowEditor::saveTriggersWriteOnlyTheOpenChapter_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("blankLine");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("title");
    QTest::newRow("Ctrl+S") << "ctrl+s" << true << 1 << "甲丁乙丙"
                            << "甲";
    QTest::newRow("leaving the editor") << "focus" << true << 3 << "甲乙丙丁"
                                        << "甲*";
    QTest::newRow("Return") << "return" << true << 3 << "甲乙丙\n\n    "
                            << "甲*";
    QTest::newRow("Return, no blank line") << "return" << false << 1 << "甲\n    乙丙"
                                           << "甲*";
}

// The whole text lands in UTF-8 in the open chapter only, as one undo step.
void TstMainWindowEditor::saveTriggersWriteOnlyTheOpenChapter()
{
    QFETCH(QString, trigger);
    QFETCH(bool, blankLine);
    QFETCH(int, cursor);
    QFETCH(QString, expected);
    QFETCH(QString, title);
    EditorWindow e("甲乙丙", Config::BrokenRows, blankLine);
    QTextCursor c = e.edit->textCursor();
    c.setPosition(cursor);
    e.edit->setTextCursor(c);
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    if (trigger == "return")
        QTest::keyClick(e.edit, Qt::Key_Return);
    else
        e.edit->insertPlainText("丁");
    if (trigger == "focus")
        QCoreApplication::sendEvent(e.edit, &out);
    else if (trigger == "ctrl+s")
        QTest::keyClick(e.edit, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(e.edit->toPlainText(), expected);
    QCOMPARE(readBytes(e.chapter), expected.toUtf8());
    QCOMPARE(titleOf(*e.w), title);
    e.edit->undo();
    QCOMPARE(e.edit->toPlainText(), QString("甲乙丙"));
}

void TstMainWindowEditor::typesettingKeepsMarkupAsText()
{
    EditorWindow e("<b>粗</b>\n\n\n");
    // Indents pasted from a web page are no-break spaces: blanks to the count and to 删除空格.
    e.edit->insertPlainText("\u00a0\u00a0细\u00a0 ");
    QCOMPARE(e.countLabel()->text(), QString("总字数:9\t稿费:0.45"));
    e.get<QLabel>("label_chapterTitle")->clear();
    e.get<QToolButton>("one_key")->click();
    const QString typeset = "    <b>粗</b>\n    \n    细";
    QCOMPARE(e.edit->toPlainText(), typeset);
    QCOMPARE(e.edit->textCursor().position(), 0);
    QCOMPARE(titleOf(*e.w), QString("甲*"));
    QCOMPARE(e.countLabel()->text(), QString("总字数:9\t稿费:0.45"));
    // Typesetting does not save; the next save does.
    QCOMPARE(readBytes(e.chapter), QByteArray("<b>粗</b>\n\n\n"));
    QTest::keyClick(e.edit, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readBytes(e.chapter), typeset.toUtf8());
}

void TstMainWindowEditor::settingsDialogAndThemeApplyStyleSheetsSizeAndMargins()
{
    EditorWindow e("一\n二", Config::ThemeNumber, "2");
    const auto margins = [&] {
        const QTextBlockFormat f = e.edit->document()->firstBlock().blockFormat();
        return QPointF(f.leftMargin(), f.rightMargin());
    };
    QVERIFY(qApp->styleSheet().endsWith("QMainWindow{background-color: #ffcdec;color : #000000;}"));
    QCOMPARE(margins(), QPointF(0, 0));
    e.get<QToolButton>("settings")->click();
    auto* dialog = e.w->findChild<DialogSetting*>();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QLineEdit*>("text_color")->setText("#123456");
    dialog->findChild<QPushButton*>("set_save")->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(e.get("treeView")->styleSheet(),
             QString("background-color : #ffcdec;color : #123456;"));
    // The icon row is drawn in the text colour (on a dark theme the default ink vanishes).
    const QImage lockIcon = e.get<QToolButton>("lock")->icon().pixmap(40, 40).toImage();
    QSet<QRgb> inks;
    for (int y = 0; y < lockIcon.height(); ++y)
        for (int x = 0; x < lockIcon.width(); ++x)
            if (qAlpha(lockIcon.pixel(x, y)) == 255)
                inks.insert(lockIcon.pixel(x, y) & 0xffffff);
    QCOMPARE(inks, QSet<QRgb>{0x123456});

    // Margins only while maximised (or full screen); the size covers the whole text.
    e.settings("UIOption_2/bg_image", e.app.file("图/山.png"));
    e.settings("UIOption_2/right_margin", "150");
    e.settings("UIOption_2/font_size_set", "24");
    e.get<QPushButton>("btnMenu_Max")->setChecked(true);
    e.applyTheme();
    QVERIFY(!qApp->styleSheet().contains("QMainWindow{"));
    for (const char* name : {"wiget_textEdit", "treeView", "left_label", "bottom_label"})
        QVERIFY2(e.get(name)->styleSheet().startsWith("background-color : transparent;"), name);
    QCOMPARE(margins(), QPointF(200, 150));
    // A picture put in place after a paint found it missing shows at the next theme change.
    e.w->grab();
    QImage mountain(4, 4, QImage::Format_RGB32);
    mountain.fill(Qt::darkGreen);
    QVERIFY(QDir().mkpath(e.app.file("图")) && mountain.save(e.app.file("图/山.png")));
    e.applyTheme();
    QVERIFY(
        !e.w->findChild<BackgroundPicture*>()->scaled(e.app.file("图/山.png"), {4, 4}).isNull());
    for (QTextCursor c(e.edit->document()); c.movePosition(QTextCursor::NextCharacter);)
        QCOMPARE(c.charFormat().fontPointSize(), 24.0);

    // The dialog opens once, from either button.
    e.get<QToolButton>("toolButton_2")->click();
    QCOMPARE(e.w->findChildren<DialogSetting*>().size(), 1);
    QVERIFY(dialog->isVisible());
}

QTEST_MAIN(TstMainWindowEditor)
#include "tst_mainwindow_editor.moc"
