#include "support/testsupport.h"

#include "app/backgroundpicture.h"
#include "app/dragproxy.h"
#include "app/iconhelper.h"
#include "app/mainwindow.h"
#include "library/filecreate.h"

#include <QFontDatabase>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

class TstChrome : public QObject
{
    Q_OBJECT
private slots:
    void everyNamedResourceLoads();
    void styleSheetPicturesExist();
    void glyphsAndIconRow();
    void hitRegions_data();
    void hitRegions();
    void dragMovesAndResizesWithinLimits();
    void cursorFollowsTheBorderAndTheTimerRestoresIt();
    void maximiseThenRestoreReturnsToTheInitialGeometry();
    void fullScreenTogglesAndTrayClickRestores();
    void backgroundPictureIsCachedByPathAndSize();
};

namespace {

void mouse(QWidget* w, QEvent::Type type, const QPoint& local, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, w->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A drag as the window receives it: press, move by `delta`, release. The global position
// of the move is taken from the press, as the pointer moves over the screen, not the window.
void drag(QWidget* w, const QPoint& from, const QPoint& delta)
{
    const QPoint global = w->mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent move(QEvent::MouseMove, from + delta, global + delta, Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, from + delta, global + delta, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

} // namespace

void TstChrome::everyNamedResourceLoads()
{
    TestAppDir app;
    const QStringList pictures{
        ":/icon/lorvane",          ":/icon/sidebar",        ":/icon/fullscreen",
        ":/icon/settings",         ":/icon/tools",          ":/icon/lock",
        ":/icon/search",           ":/icon/one_key",        ":/icon/bak",
        ":/icon/recycle",          ":/icon/homepage",       ":/icon/select",
        ":/image/info",            ":/image/question",      ":/image/error",
        ":/image/checkbox_unchecked", ":/image/checkbox_checked", ":/image/radio_normal",
        ":/image/radio_selected",  ":/image/array_down",    ":/image/vline",
        ":/image/branch-more",     ":/image/branch-end",    ":/image/branch-closed",
        ":/image/branch-open"};
    for (const QString& path : pictures) {
        const QImage img(path);
        QVERIFY2(!img.isNull(), qPrintable(path));
        // Not a blank square: the picture has both drawn and transparent or light pixels.
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                colours.insert(img.pixel(x, y));
        QVERIFY2(colours.size() > 1, qPrintable(path));
    }
    QCOMPARE(QImage(":/image/checkbox_checked").size(), QSize(20, 20));
    QCOMPARE(QImage(":/image/radio_normal").size(), QSize(15, 15));

    const int id = QFontDatabase::addApplicationFont(":/image/fontawesome-webfont");
    QVERIFY(id >= 0);
    const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
    QVERIFY(QFontMetrics(QFont(family)).inFont(QChar(0xf150)));
    QCOMPARE(IconHelper::instance()->family(), family);
    QCOMPARE(IconHelper::instance(), IconHelper::instance());
}

void TstChrome::styleSheetPicturesExist()
{
    TestAppDir app;
    const QString sheet = FileCreate::loadStyleSheet("gray");
    for (const char* needle : {"#widget_title", "#btnMenu_Close:hover", "QMenu::item:selected",
                               "QProgressBar::chunk", "QToolTip", "QTreeView::branch"})
        QVERIFY2(sheet.contains(needle), needle);
    QRegularExpression url("url\\((:/[^)]+)\\)");
    int pictures = 0;
    for (auto it = url.globalMatch(sheet); it.hasNext(); ++pictures) {
        const QString path = it.next().captured(1);
        QVERIFY2(!QImage(path).isNull(), qPrintable(path));
    }
    QCOMPARE(pictures, 10);
}

void TstChrome::glyphsAndIconRow()
{
    TestAppDir app;
    MainWindow w;
    auto* menu = w.findChild<QPushButton*>("btnMenu");
    QCOMPARE(menu->text(), QString(QChar(0xf150)));
    QCOMPARE(menu->font().family(), IconHelper::instance()->family());
    QCOMPARE(w.findChild<QToolButton*>("bold")->font().pointSize(), 15);
    for (QToolButton* b : w.findChild<QWidget*>("Widget_toolIcon")->findChildren<QToolButton*>()) {
        QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
        QCOMPARE(b->iconSize(), QSize(40, 40));
    }
}

void TstChrome::hitRegions_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("region");
    // An 800 x 705 window with 8-pixel borders.
    QTest::newRow("top edge") << QPoint(400, 0) << int(DragProxy::Top);
    QTest::newRow("top-right") << QPoint(799, 0) << int(DragProxy::TopRight);
    QTest::newRow("right") << QPoint(795, 300) << int(DragProxy::Right);
    QTest::newRow("bottom-right") << QPoint(799, 704) << int(DragProxy::BottomRight);
    QTest::newRow("bottom-left") << QPoint(0, 704) << int(DragProxy::BottomLeft);
    QTest::newRow("top-left") << QPoint(0, 0) << int(DragProxy::TopLeft);
    QTest::newRow("centre, 8 px in") << QPoint(8, 8) << int(DragProxy::Centre);
    QTest::newRow("centre, far corner") << QPoint(791, 696) << int(DragProxy::Centre);
    QTest::newRow("outside") << QPoint(800, 300) << int(DragProxy::None);
}

void TstChrome::hitRegions()
{
    QFETCH(QPoint, pos);
    QFETCH(int, region);
    const QVector<QRect> regions = DragProxy::regionsFor(QSize(800, 705), 8, 8, 8, 8);
    QCOMPARE(int(DragProxy::hitTest(regions, pos)), region);
}

void TstChrome::dragMovesAndResizesWithinLimits()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setGeometry(100, 80, 900, 705);
    const QRect start = w.geometry();

    drag(&w, QPoint(400, 300), QPoint(50, 30));
    QCOMPARE(w.geometry(), start.translated(50, 30));

    const QRect moved = w.geometry();
    drag(&w, QPoint(w.width() - 3, 300), QPoint(60, 0));
    QCOMPARE(w.geometry(), moved.adjusted(0, 0, 60, 0));

    // Narrower than 800 is refused whole; a top-left drag moves the top-left corner.
    const QRect wide = w.geometry();
    drag(&w, QPoint(2, 300), QPoint(200, 0));
    QCOMPARE(w.geometry(), wide);
    drag(&w, QPoint(2, 2), QPoint(-20, -10));
    QCOMPARE(w.geometry(), wide.adjusted(-20, -10, 0, 0));

    // Lower than 500 is refused too.
    const QRect tall = w.geometry();
    drag(&w, QPoint(400, w.height() - 2), QPoint(0, -300));
    QCOMPARE(w.geometry(), tall);
}

void TstChrome::cursorFollowsTheBorderAndTheTimerRestoresIt()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    mouse(&w, QEvent::MouseMove, QPoint(3, 3), Qt::NoButton);
    QCOMPARE(w.cursor().shape(), Qt::SizeFDiagCursor);
    mouse(&w, QEvent::MouseMove, QPoint(w.width() - 2, 300), Qt::NoButton);
    QCOMPARE(w.cursor().shape(), Qt::SizeHorCursor);
    mouse(&w, QEvent::MouseMove, QPoint(400, 2), Qt::NoButton);
    QCOMPARE(w.cursor().shape(), Qt::SizeVerCursor);

    // The pointer goes on to a child that reports no moves: only the timer can notice.
    QCursor::setPos(w.mapToGlobal(QPoint(400, 300)));
    QTRY_COMPARE_WITH_TIMEOUT(w.cursor().shape(), Qt::ArrowCursor, 1000);
}

void TstChrome::maximiseThenRestoreReturnsToTheInitialGeometry()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect initial = w.geometry();
    w.move(initial.topLeft() + QPoint(30, 20));

    auto* max = w.findChild<QPushButton*>("btnMenu_Max");
    max->click();
    QVERIFY(max->isChecked());
    QCOMPARE(w.geometry(), QGuiApplication::primaryScreen()->availableGeometry());
    QCOMPARE(max->text(), QString(QChar(0xf079)));
    QCOMPARE(max->toolTip(), QString("还原"));

    max->click();
    QCOMPARE(w.geometry(), initial);
    QCOMPARE(max->text(), QString(QChar(0xf096)));
    QCOMPARE(max->toolTip(), QString("最大化"));
}

void TstChrome::fullScreenTogglesAndTrayClickRestores()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect initial = w.geometry();
    w.findChild<QToolButton*>("fullScreen")->click();
    QTRY_VERIFY(w.isFullScreen());
    QMetaObject::invokeMethod(&w, "on_fullScreen1_clicked");
    QTRY_VERIFY(!w.isFullScreen());

    w.move(initial.topLeft() + QPoint(40, 40));
    w.hide();
    QMetaObject::invokeMethod(&w, "systemTrayActivated_slot",
                              Q_ARG(QSystemTrayIcon::ActivationReason, QSystemTrayIcon::DoubleClick));
    QVERIFY(!w.isVisible());
    QMetaObject::invokeMethod(&w, "systemTrayActivated_slot",
                              Q_ARG(QSystemTrayIcon::ActivationReason, QSystemTrayIcon::Trigger));
    QVERIFY(w.isVisible());
    QCOMPARE(w.geometry(), initial);
}

void TstChrome::backgroundPictureIsCachedByPathAndSize()
{
    TestAppDir app;
    auto solid = [&](const QString& name, const QColor& colour) {
        QImage img(4, 4, QImage::Format_RGB32);
        img.fill(colour);
        img.save(app.file(name));
        return app.file(name);
    };
    const QString path = solid("bg.png", Qt::red);
    BackgroundPicture picture;
    QPixmap shown = picture.scaled(path, QSize(200, 100));
    QCOMPARE(shown.size(), QSize(200, 100));
    QCOMPARE(shown.toImage().pixelColor(199, 99), QColor(Qt::red));

    // Same path: the file is not read again, even at another size (only rescaled).
    solid("bg.png", Qt::blue);
    QCOMPARE(picture.scaled(path, QSize(200, 100)).toImage().pixelColor(0, 0), QColor(Qt::red));
    shown = picture.scaled(path, QSize(300, 50));
    QCOMPARE(shown.size(), QSize(300, 50));
    QCOMPARE(shown.toImage().pixelColor(0, 0), QColor(Qt::red));

    // Another path is loaded; a path that cannot be loaded draws nothing.
    const QString green = solid("green.png", Qt::green);
    QCOMPARE(picture.scaled(green, QSize(300, 50)).toImage().pixelColor(5, 5), QColor(Qt::green));
    QVERIFY(picture.scaled(app.file("missing.png"), QSize(300, 50)).isNull());
}

QTEST_MAIN(TstChrome)
#include "tst_chrome.moc"
