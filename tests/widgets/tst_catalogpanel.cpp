#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "settings/config.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

// The catalog column beside the editor: its start width, the handle between the two, the
// width kept in config.ini, and the editor taking the rest of any window.
class TstCatalogPanel : public QObject
{
    Q_OBJECT
private slots:
    void widthsAtWindowSizes_data();
    void widthsAtWindowSizes();
    void draggedWidthIsRestoredAfterRestart_data();
    void draggedWidthIsRestoredAfterRestart();
    void catalogOffAndOnKeepsWidth();
};

namespace {

QSplitter* splitterOf(MainWindow& w) { return w.findChild<QSplitter*>("splitter_catalog"); }
QWidget* catalogOf(MainWindow& w) { return w.findChild<QWidget*>("widget_catalogColumn"); }
QWidget* editorColumnOf(MainWindow& w) { return w.findChild<QWidget*>("widget_editorColumn"); }

void showAt(MainWindow& w, const QSize& size)
{
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.size(), size);
}

// Drags the handle so that the catalog would be `x` wide, as the mouse does it.
void dragHandleTo(MainWindow& w, int x)
{
    QWidget* handle = splitterOf(w)->handle(1);
    const QPoint grip(0, 10);
    const QPoint target = splitterOf(w)->mapToGlobal(QPoint(x, 10));
    QMouseEvent press(QEvent::MouseButtonPress, grip, handle->mapToGlobal(grip), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, handle->mapFromGlobal(target), target, Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, handle->mapFromGlobal(target), target,
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    for (QMouseEvent* e : {&press, &move, &release})
        QApplication::sendEvent(handle, e);
}

int storedWidth(const TestAppDir& app)
{
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    return s->value(Config::CatalogWidth).toInt();
}

} // namespace

void TstCatalogPanel::widthsAtWindowSizes_data()
{
    QTest::addColumn<QString>("name"); // of every book, volume and chapter; empty: starter
    QTest::addColumn<QSize>("size");
    const QString ten = QStringLiteral("第一章风起云涌的时候");
    QTest::newRow("nominal: starter library at 800x705") << QString() << QSize(800, 705);
    QTest::newRow("nominal: ten-character names, maximised on 1600x1000")
        << ten << QSize(1600, 1000);
    QTest::newRow("nominal: ten-character names, maximised on 1920x1080")
        << ten << QSize(1920, 1080);
    QTest::newRow("boundary: forty-character names, maximised on 1920x1080")
        << ten.repeated(4) << QSize(1920, 1080);
}

void TstCatalogPanel::widthsAtWindowSizes()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    TestAppDir app;
    if (!name.isEmpty())
        seedLibrary(app, {name, name + "/" + name, name + "/" + name + "/" + name});
    MainWindow w;
    showAt(w, QSize(800, 705));
    const int start = catalogOf(w)->width();
    QVERIFY2(start >= 180 && start <= 320, qPrintable(QString::number(start)));
    // A start width below the maximum shows every name whole.
    QCOMPARE(treeOf(w)->horizontalScrollBar()->isVisible(), start == 320);

    showAt(w, size);
    QCOMPARE(catalogOf(w)->width(), start);
    QCOMPARE(start + splitterOf(w)->handleWidth() + editorColumnOf(w)->width(),
             splitterOf(w)->width());
    if (size.width() > 800)
        QVERIFY(editorColumnOf(w)->width() * 4 >= size.width() * 3);
}

void TstCatalogPanel::draggedWidthIsRestoredAfterRestart_data()
{
    QTest::addColumn<int>("dragTo");
    QTest::addColumn<int>("expected");
    QTest::newRow("nominal: narrower") << 150 << 150;
    QTest::newRow("boundary: below the minimum") << 60 << 120;
    QTest::newRow("boundary: beyond half the window") << 600 << 400;
}

void TstCatalogPanel::draggedWidthIsRestoredAfterRestart()
{
    QFETCH(int, dragTo);
    QFETCH(int, expected);
    TestAppDir app;
    {
        MainWindow first;
        showAt(first, QSize(800, 705));
        dragHandleTo(first, dragTo);
        QCOMPARE(catalogOf(first)->width(), expected);
    }
    QCOMPARE(storedWidth(app), expected);
    MainWindow again;
    showAt(again, QSize(800, 705));
    QCOMPARE(catalogOf(again)->width(), expected);
    QCOMPARE(expected + splitterOf(again)->handleWidth() + editorColumnOf(again)->width(),
             splitterOf(again)->width());
}

void TstCatalogPanel::catalogOffAndOnKeepsWidth()
{
    TestAppDir app;
    MainWindow w;
    showAt(w, QSize(1600, 1000));
    dragHandleTo(w, 250);
    auto* catalog = w.findChild<QToolButton*>("catalog");
    catalog->click();
    QTRY_COMPARE(editorColumnOf(w)->width(), splitterOf(w)->width());
    QVERIFY(!catalogOf(w)->isVisible());
    catalog->click();
    QTRY_COMPARE(catalogOf(w)->width(), 250);
    QCOMPARE(storedWidth(app), 250);
}

QTEST_MAIN(TstCatalogPanel)
#include "tst_catalogpanel.moc"
