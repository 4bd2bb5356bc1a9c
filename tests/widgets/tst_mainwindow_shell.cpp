// The main window's frame, with the recording desktop services: nothing here reaches the
// real machine.
#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/backgroundpicture.h"
#include "app/frmmessagebox.h"
#include "app/mainwindow.h"
#include "app/messages.h"
#include "settings/config.h"
#include "settings/dialogsetting.h"
#include "settings/themestyle.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class TstMainWindowShell : public QObject
{
    Q_OBJECT
private slots:
    void unopenableDatabaseStopsStartUp();
    void trayGivesTheWindowBack();
    void powerActionsSaveBeforeTheRequest();
    void catalogWidths_data();
    void catalogWidths();
    void settingsAreSavedOrCancelled();
    void longMessagesGrowTheBox();
    void pictureAddedLaterShowsAtTheNextThemeChange();
    void hiddenFormatRowShowsTheLatestTheme();
};

namespace {

// The catalog column's width, after checking that the editor column takes all the rest.
int catalogWidth(MainWindow& w)
{
    auto* splitter = w.findChild<QSplitter*>("splitter_catalog");
    auto* catalog = w.findChild<QWidget*>("widget_catalogColumn");
    const int width = catalog->isVisible() ? catalog->width() : 0;
    const int rest = splitter->width() - (width ? width + splitter->handleWidth() : 0);
    return w.findChild<QWidget*>("widget_editorColumn")->width() == rest ? width : -1;
}

void showAt(MainWindow& w, const QSize& size)
{
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.size(), size);
}

// Drags the splitter handle so that the catalog would be `x` wide. (QTest's mouseMove
// carries no pressed button to a widget, so the move is sent as the mouse would.)
void dragHandleTo(MainWindow& w, int x)
{
    QWidget* handle = w.findChild<QSplitter*>("splitter_catalog")->handle(1);
    const QPoint to = handle->mapFrom(handle->parentWidget(), QPoint(x, 10));
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(0, 10));
    QMouseEvent move(QEvent::MouseMove, to, handle->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
}

// Each 分章排版 field, typed key by key through its validator or its box clicked, and what
// it stores.
const struct {
    const char *field, *value;
    QString key;
    const char* expected;
} fields[] = {
    {"word_pre_chapters", "3500", Config::WordPreChapters, "3500"},
    {"price", "12.5", Config::Price, "125"}, // digits only
    {"daily_goal", "800", Config::DailyGoal, "800"},
    {"first_indent1", "", Config::FirstIndent1, "false"},
    {"broken_rows", "", Config::BrokenRows, "false"},
    {"indent_number", "4", Config::IndentNumber1, "4"},
    {"first_indent2", "", Config::FirstIndent2, "false"},
    {"remove_spaces", "", Config::RemoveSpaces, "false"},
    {"remove_lines", "", Config::RemoveLines, "true"},
};

std::unique_ptr<QSettings> settingsOf(const QString& config)
{
    return std::unique_ptr<QSettings>(Config::open(config));
}

QStringList stored(const QString& config)
{
    // The other tab's theme and a hidden value are kept by every save.
    const auto settings = settingsOf(config);
    QStringList all;
    for (const QString& key : {Config::ThemeNumber, QString("UIOption_2/label_color")})
        all << key + '=' + settings->value(key).toString();
    for (const auto& f : fields)
        all << f.key + '=' + settings->value(f.key).toString();
    return all;
}

// Types into a line key by key, through its validator; clicks a box; sets a spin box.
void enter(QWidget* field, const QString& value)
{
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->clear();
        QTest::keyClicks(line, value);
    } else if (auto* box = qobject_cast<QAbstractButton*>(field)) {
        box->click();
    } else {
        QVERIFY(field->setProperty("value", value.toInt()));
    }
}

} // namespace

void TstMainWindowShell::unopenableDatabaseStopsStartUp()
{
    TestAppDir app;
    const QByteArray bytes = QByteArray("第一章\n\n这不是书库，是一章正文。\n").repeated(20);
    writeBytes(app.file("sys.db"), bytes);
    MainWindow w;
    QVERIFY(!w.isInitialised());
    QVERIFY(app.messages.size() == 1 && app.messages[0].first == Messages::Error &&
            app.messages[0].second.contains("sys.db"));
    QCOMPARE(readBytes(app.file("sys.db")), bytes);
}

void TstMainWindowShell::trayGivesTheWindowBack()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.hide();
    callSlot(&w, "systemTrayActivated_slot",
             Q_ARG(QSystemTrayIcon::ActivationReason, QSystemTrayIcon::Trigger));
    QVERIFY(w.isVisible());
}

// The open text and the session are on disk before the system is asked to end the program.
void TstMainWindowShell::powerActionsSaveBeforeTheRequest()
{
    const struct {
        const char* slot;
        int answer;
        QString question, request;
    } rows[] = {{"shutDown_slot", 1, "确定要关机吗?", "power:off"},
                {"shutDown_slot", 0, "确定要关机吗?", ""},
                {"reBoot_slot", 1, "确定要重启吗?", "power:reboot"}};
    for (const auto& row : rows) {
        TestAppDir app;
        seedLibrary(app, {"书", "书/卷", "书/卷/第一章"}, "原文");
        const QString chapter = app.file("data/我的书籍/书/卷/第一章.txt");
        MainWindow w;
        callSlot(&w, "on_treeView_clicked", indexOf(w, "书/卷/第一章"));
        const QString typed = "　　新写的一段，还没有自动保存。";
        editorOf(w)->setPlainText(typed);
        QStringList whenAsked;
        fakeServices().onPower = [&](DesktopServices::PowerAction) {
            whenAsked
                << QString::fromUtf8(readBytes(chapter))
                << settingsOf(app.file("config.ini"))->value(Config::CurOpenChapter).toString();
        };
        app.questionAnswer = row.answer;
        fakeServices().calls.clear();
        callSlot(&w, row.slot);
        QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Question, row.question}}));
        const bool confirmed = !row.request.isEmpty();
        QCOMPARE(fakeServices().calls, confirmed ? QStringList{row.request} : QStringList());
        QCOMPARE(whenAsked, confirmed ? QStringList({typed, chapter}) : QStringList());
    }
}

void TstMainWindowShell::catalogWidths_data()
{
    QTest::addColumn<QString>("name"); // of the book, volume and chapter; empty: starter
    QTest::addColumn<QSize>("size");   // of the maximised window
    QTest::addColumn<int>("dragTo");
    QTest::addColumn<int>("dragged");
    const QString ten = QStringLiteral("第一章风起云涌的时候");
    QTest::newRow("starter; narrower") << QString() << QSize(800, 705) << 150 << 150;
    QTest::newRow("ten; below the minimum") << ten << QSize(1600, 1000) << 60 << 120;
    QTest::newRow("ten; beyond half") << ten << QSize(1920, 1080) << 600 << 400;
}

void TstMainWindowShell::catalogWidths()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(int, dragTo);
    QFETCH(int, dragged);
    TestAppDir app;
    if (!name.isEmpty())
        seedLibrary(app, {name, name + "/" + name, name + "/" + name + "/" + name});
    {
        MainWindow w;
        showAt(w, QSize(800, 705));
        const int start = catalogWidth(w);
        QVERIFY2(start >= 180 && start <= 320, qPrintable(QString::number(start)));
        showAt(w, size);
        QCOMPARE(catalogWidth(w), start);
        QVERIFY(size.width() == 800 || (size.width() - start) * 4 >= size.width() * 3);

        showAt(w, QSize(800, 705));
        dragHandleTo(w, dragTo);
        QCOMPARE(catalogWidth(w), dragged);
        // 目录 off gives the editor the whole width; on again brings the dragged width back.
        auto* catalog = w.findChild<QToolButton*>("catalog");
        catalog->click();
        QTRY_COMPARE(catalogWidth(w), 0);
        catalog->click();
        QTRY_COMPARE(catalogWidth(w), dragged);
    }
    MainWindow again;
    showAt(again, QSize(800, 705));
    QCOMPARE(catalogWidth(again), dragged);
}

void TstMainWindowShell::settingsAreSavedOrCancelled()
{
    TestAppDir app;
    const QString config = app.file("config.ini");
    Config::writeDefaults(config, app.path());
    settingsOf(config)->setValue(Config::ThemeNumber, "2");
    settingsOf(config)->setValue("UIOption_2/label_color", "#0f0f0f");
    QStringList after = stored(config).mid(0, 2);
    DialogSetting dialog(config);
    dialog.loadSettings();
    dialog.show();
    for (const auto& f : fields) {
        enter(dialog.findChild<QWidget*>(f.field), f.value);
        after << f.key + '=' + f.expected;
    }
    dialog.findChild<QAbstractButton*>("set_save")->click();
    QCOMPARE(stored(config), after);

    // Edits cancelled, of this tab and the other, store nothing; the next opening shows what
    // is stored, so that saving it again changes nothing.
    dialog.show();
    for (const auto& f : fields)
        enter(dialog.findChild<QWidget*>(f.field), *f.value ? "1" : "");
    enter(dialog.findChild<QToolButton*>("toolButton_3"), "");
    dialog.findChild<QAbstractButton*>("set_cancel")->click();
    QCOMPARE(stored(config), after);
    dialog.loadSettings();
    dialog.findChild<QAbstractButton*>("set_save")->click();
    QCOMPARE(stored(config), after);
}

void TstMainWindowShell::longMessagesGrowTheBox()
{
    TestAppDir app;
    frmMessageBox box;
    box.setMessage("名称不能含有 / 或 \\，不能是 . 或 ..，首尾也不能有空格!", 2);
    QCOMPARE(box.size(), QSize(303, 143));
    box.setMessage("无法打开书库数据库 /home/作者/写作/lorvane/build/app/sys.db，程序将退出。"
                   "请检查这个文件是否完好，或者把它移走后重新启动程序。",
                   2);
    box.show();
    // Every line of the text is inside the label, and the buttons below it inside the box.
    const auto* info = box.findChild<QLabel*>("labInfo");
    const auto* buttons = box.findChild<QWidget*>("layoutWidget");
    QVERIFY(info->heightForWidth(info->width()) <= info->height());
    QVERIFY(info->geometry().bottom() < buttons->y());
    QVERIFY(buttons->mapTo(&box, QPoint(0, buttons->height())).y() < box.height());
}

void TstMainWindowShell::pictureAddedLaterShowsAtTheNextThemeChange()
{
    TestAppDir app;
    MainWindow w;
    std::unique_ptr<QSettings> settings(Config::open(app.file("config.ini")));
    settings->setValue(ThemeValues::currentGroup(*settings) + "/bg_image", app.file("图/山.png"));
    settings.reset();
    callSlot(&w, "save_success_update");
    w.grab();
    QImage mountain(4, 4, QImage::Format_RGB32);
    mountain.fill(Qt::darkGreen);
    QVERIFY(QDir().mkpath(app.file("图")) && mountain.save(app.file("图/山.png")));
    callSlot(&w, "save_success_update");
    QVERIFY(!w.findChild<BackgroundPicture*>()->scaled(app.file("图/山.png"), {4, 4}).isNull());
}

// The format row is hidden and gets its theme only when it shows: the theme it shows with
// is the last one chosen, and a row on screen follows a change at once.
void TstMainWindowShell::hiddenFormatRowShowsTheLatestTheme()
{
    TestAppDir app;
    MainWindow w;
    auto chooseTheme = [&](int n) {
        std::unique_ptr<QSettings>(Config::open(app.file("config.ini")))
            ->setValue(Config::ThemeNumber, QString::number(n));
        callSlot(&w, "save_success_update");
    };
    auto* row = w.findChild<QWidget*>("widget_tool1");
    auto* bold = w.findChild<QToolButton*>("bold");
    auto ink = [&] { return bold->palette().color(QPalette::ButtonText).name(); };
    showAt(w, {800, 705});
    chooseTheme(3);
    chooseTheme(4);
    QVERIFY(row->isHidden());
    row->show();
    QCOMPARE(ink(), Config::defaultThemeColors(4).text);
    chooseTheme(3);
    QCOMPARE(ink(), Config::defaultThemeColors(3).text);
}

QTEST_MAIN(TstMainWindowShell)
#include "tst_mainwindow_shell.moc"
