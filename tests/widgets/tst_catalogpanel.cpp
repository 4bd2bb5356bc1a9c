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

// The catalog column beside the editor: its start width, the dragged width kept in
// config.ini, and the editor column taking the rest of any window.
class TstCatalogPanel : public QObject
{
    Q_OBJECT
private slots:
    void widthsAtWindowSizes_data();
    void widthsAtWindowSizes();
    void draggedWidthIsKept_data();
    void draggedWidthIsKept();
};

namespace {

// The catalog column's width, after checking that the editor column takes all the rest.
int catalogWidth(MainWindow& w)
{
    auto* splitter = w.findChild<QSplitter*>("splitter_catalog");
    auto* catalog = w.findChild<QWidget*>("widget_catalogColumn");
    const int width = catalog->isVisible() ? catalog->width() + splitter->handleWidth() : 0;
    if (width + w.findChild<QWidget*>("widget_editorColumn")->width() != splitter->width())
        return -1;
    return catalog->isVisible() ? catalog->width() : 0;
}

void showAt(MainWindow& w, const QSize& size)
{
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.size(), size);
}

// Drags the splitter handle so that the catalog would be `x` wide. (QTest's mouseMove
// carries no pressed button to a widget, so the events are sent as the mouse would.)
void dragHandleTo(MainWindow& w, int x)
{
    auto* splitter = w.findChild<QSplitter*>("splitter_catalog");
    QWidget* handle = splitter->handle(1);
    const QPoint to = splitter->mapToGlobal(QPoint(x, 10));
    const QPoint local = handle->mapFromGlobal(to);
    QMouseEvent press(QEvent::MouseButtonPress, QPoint(0, 10), handle->mapToGlobal(QPoint(0, 10)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, local, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, to, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    for (QMouseEvent* e : {&press, &move, &release})
        QApplication::sendEvent(handle, e);
}

} // namespace

void TstCatalogPanel::widthsAtWindowSizes_data()
{
    QTest::addColumn<QString>("name"); // of the book, volume and chapter; empty: starter
    QTest::addColumn<QSize>("size");   // of the maximised window
    const QString ten = QStringLiteral("第一章风起云涌的时候");
    QTest::newRow("nominal: starter library") << QString() << QSize(800, 705);
    QTest::newRow("nominal: ten characters, 1600x1000") << ten << QSize(1600, 1000);
    QTest::newRow("nominal: ten characters, 1920x1080") << ten << QSize(1920, 1080);
    QTest::newRow("boundary: forty characters, 1920x1080") << ten.repeated(4) << QSize(1920, 1080);
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
    const int start = catalogWidth(w);
    QVERIFY2(start >= 180 && start <= 320, qPrintable(QString::number(start)));
    // Below the maximum every name shows whole.
    QCOMPARE(treeOf(w)->horizontalScrollBar()->isVisible(), start == 320);

    showAt(w, size);
    QCOMPARE(catalogWidth(w), start);
    QVERIFY(size.width() == 800 || (size.width() - start) * 4 >= size.width() * 3);
}

void TstCatalogPanel::draggedWidthIsKept_data()
{
    QTest::addColumn<int>("dragTo");
    QTest::addColumn<int>("expected");
    QTest::newRow("nominal: narrower") << 150 << 150;
    QTest::newRow("boundary: below the minimum") << 60 << 120;
    QTest::newRow("boundary: beyond half the window") << 600 << 400;
}

void TstCatalogPanel::draggedWidthIsKept()
{
    QFETCH(int, dragTo);
    QFETCH(int, expected);
    TestAppDir app;
    {
        MainWindow first;
        showAt(first, QSize(800, 705));
        dragHandleTo(first, dragTo);
        QCOMPARE(catalogWidth(first), expected);
        // 目录 off gives the editor the whole width; on again brings the dragged width back.
        auto* catalog = first.findChild<QToolButton*>("catalog");
        catalog->click();
        QTRY_COMPARE(catalogWidth(first), 0);
        catalog->click();
        QTRY_COMPARE(catalogWidth(first), expected);
    }
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QCOMPARE(s->value(Config::CatalogWidth).toInt(), expected);
    MainWindow again;
    showAt(again, QSize(800, 705));
    QCOMPARE(catalogWidth(again), expected);
}

QTEST_MAIN(TstCatalogPanel)
#include "tst_catalogpanel.moc"
