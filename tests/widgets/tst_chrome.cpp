#include "support/testsupport.h"

#include "app/iconhelper.h"
#include "app/mainwindow.h"
#include "library/filecreate.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

class TstChrome : public QObject
{
    Q_OBJECT
private slots:
    void picturesAndGlyphsLoad();
    void dragMovesAndResizesWithinLimits();
    void windowStatesReturnToTheInitialGeometry();
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

void TstChrome::picturesAndGlyphsLoad()
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
        // Loaded, and not a blank square: both drawn and transparent or light pixels.
        const QImage img(path);
        QSet<QRgb> colours;
        for (int i = 0; i < img.width() * img.height(); ++i)
            colours.insert(img.pixel(i % img.width(), i / img.width()));
        QVERIFY2(colours.size() > 1, qPrintable(path));
    }

    MainWindow w;
    QVERIFY(QFontMetrics(QFont(IconHelper::instance()->family())).inFont(QChar(0xf150)));
    for (QToolButton* b : w.findChild<QWidget*>("Widget_toolIcon")->findChildren<QToolButton*>())
        QVERIFY2(!b->icon().availableSizes().isEmpty(), qPrintable(b->objectName()));
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

    // Narrower than 800 or lower than 500 is refused whole; a top-left drag moves that corner.
    const QRect wide = w.geometry();
    drag(&w, QPoint(2, 300), QPoint(200, 0));
    QCOMPARE(w.geometry(), wide);
    drag(&w, QPoint(400, w.height() - 2), QPoint(0, -300));
    QCOMPARE(w.geometry(), wide);
    drag(&w, QPoint(2, 2), QPoint(-20, -10));
    QCOMPARE(w.geometry(), wide.adjusted(-20, -10, 0, 0));
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

QTEST_MAIN(TstChrome)
#include "tst_chrome.moc"
