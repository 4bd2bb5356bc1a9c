#include "support/testsupport.h"

#include "app/frmmessagebox.h"
#include "app/mainwindow.h"
#include "app/messages.h"
#include "library/filecreate.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include <tuple>

// The window's frame: pictures, moving and resizing, its states, and the program's message box.
class TstChrome : public QObject
{
    Q_OBJECT
private slots:
    void picturesLoad();
    void dragMovesAndResizesWithinLimits();
    void windowStatesReturnToTheInitialGeometry();
    void messageBoxKindsAndWaysOut_data();
    void messageBoxKindsAndWaysOut();
    void longMessagesGrowTheBox();
};

namespace {

// A drag as the window receives it: press, move by `delta`, release. The global position
// of the move is taken from the press, as the pointer moves over the screen, not the window.
void drag(QWidget* w, const QPoint& from, const QPoint& delta)
{
    const QPoint global = w->mapToGlobal(from);
    QMouseEvent events[] = {
        {QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier},
        {QEvent::MouseMove, from + delta, global + delta, Qt::NoButton, Qt::LeftButton, {}},
        {QEvent::MouseButtonRelease, from + delta, global + delta, Qt::LeftButton, {}, {}}};
    for (QMouseEvent& event : events)
        QApplication::sendEvent(w, &event);
}

} // namespace

void TstChrome::picturesLoad()
{
    TestAppDir app;
    QStringList pictures{":/icon/lorvane", ":/icon/one_key", ":/image/info", ":/image/question",
                         ":/image/error"};
    // And every picture the style sheet draws with.
    const QString sheet = FileCreate::loadStyleSheet("gray");
    for (auto it = QRegularExpression("url\\((:/[^)]+)\\)").globalMatch(sheet); it.hasNext();)
        pictures << it.next().captured(1);
    QVERIFY(pictures.size() > 5);
    for (const QString& path : pictures) {
        // Loaded, and not a blank square. (The toolbar's glyphs are the editor test's.)
        const QImage img(path);
        QSet<QRgb> colours;
        for (int i = 0; i < img.width() * img.height(); ++i)
            colours.insert(img.pixel(i % img.width(), i / img.width()));
        QVERIFY2(colours.size() > 1, qPrintable(path));
    }
}

void TstChrome::dragMovesAndResizesWithinLimits()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setGeometry(100, 80, 900, 705);
    // Where the press is, by how much, and the geometry after: moved; widened at the right
    // edge; narrower than 800 or lower than 500 refused whole; the top-left corner moved.
    const QList<std::tuple<QPoint, QPoint, QRect>> drags = {
        {{400, 300}, {50, 30}, {150, 110, 900, 705}},
        {{897, 300}, {60, 0}, {150, 110, 960, 705}},
        {{2, 300}, {200, 0}, {150, 110, 960, 705}},
        {{400, 703}, {0, -300}, {150, 110, 960, 705}},
        {{2, 2}, {-20, -10}, {130, 100, 980, 715}}};
    for (const auto& [from, by, expected] : drags) {
        drag(&w, from, by);
        QCOMPARE(w.geometry(), expected);
    }
}

void TstChrome::windowStatesReturnToTheInitialGeometry()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect initial = w.geometry();
    w.move(initial.topLeft() + QPoint(30, 20));
    auto* max = w.findChild<QPushButton*>("btnMenu_Max");
    max->click();
    QCOMPARE(w.geometry(), QGuiApplication::primaryScreen()->availableGeometry());
    max->click();
    QCOMPARE(w.geometry(), initial);

    w.findChild<QToolButton*>("fullScreen")->click();
    QTRY_VERIFY(w.isFullScreen());
    callSlot(&w, "on_fullScreen1_clicked");
    QTRY_VERIFY(!w.isFullScreen());

    // A click on the tray icon brings the hidden window back where it started.
    w.move(initial.topLeft() + QPoint(40, 40));
    w.hide();
    callSlot(&w, "systemTrayActivated_slot",
             Q_ARG(QSystemTrayIcon::ActivationReason, QSystemTrayIcon::Trigger));
    QVERIFY(w.isVisible());
    QCOMPARE(w.geometry(), initial);
}

void TstChrome::messageBoxKindsAndWaysOut_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("look");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("button");
    QTest::newRow("information, 确定") << 0 << "info 提示" << 1 << "btnOk";
    QTest::newRow("question, 取消") << 1 << "question 询问 取消" << 0 << "btnCancel";
    QTest::newRow("error, close button") << 2 << "error 错误" << 0 << "btnMenu_Close";
    QTest::newRow("other kind, Escape") << 7 << "info 提示 取消" << 0 << "";
}

// The program's own box, the default presenter: centred on the screen, the kind's picture and
// title, 取消 only where there is a choice, and 1 only for 确定.
void TstChrome::messageBoxKindsAndWaysOut()
{
    QFETCH(QString, button);
    TestAppDir app;
    Messages::setPresenter({});
    QStringList shown;
    QPoint at;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<frmMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        const QString picture = box->findChild<QLabel*>("labIcoMain")->styleSheet();
        shown << picture.section('/', -1).chopped(2)
              << box->findChild<QLabel*>("lab_Title")->text();
        if (box->findChild<QPushButton*>("btnCancel")->isVisible())
            shown << "取消";
        shown << box->findChild<QLabel*>("labInfo")->text();
        at = box->pos();
        if (button.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->findChild<QPushButton*>(button)->click();
    });
    QFETCH(int, kind);
    QTEST(Messages::show("不能打开文件!", kind), "result");
    QFETCH(QString, look);
    QCOMPARE(shown.join(' '), look + " 不能打开文件!");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(at, QPoint(screen.width() / 2 - 303 / 2, screen.height() / 2 - 143 / 2));
}

void TstChrome::longMessagesGrowTheBox()
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
    QCOMPARE(box.width(), 303);
    QVERIFY(info->heightForWidth(info->width()) <= info->height());
    QVERIFY(info->geometry().bottom() < buttons->y());
    QVERIFY(buttons->mapTo(&box, QPoint(0, buttons->height())).y() < box.height());
}

QTEST_MAIN(TstChrome)
#include "tst_chrome.moc"
