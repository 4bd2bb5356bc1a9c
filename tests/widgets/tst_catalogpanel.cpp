#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/catalogwidth.h"
#include "app/mainwindow.h"

#include <QtTest>
#include <QtWidgets>

using Rows = QVector<QPair<int, int>>; // (depth, text width)

// The catalog column beside the editor: its start width, the dragged width kept in
// config.ini, and the editor column taking the rest of any window.
class TstCatalogPanel : public QObject
{
    Q_OBJECT
private slots:
    void startWidth_data();
    void startWidth();
    void widthsAtWindowSizes_data();
    void widthsAtWindowSizes();
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

void TstCatalogPanel::startWidth_data()
{
    QTest::addColumn<bool>("rootDecorated");
    QTest::addColumn<Rows>("rows");
    // The width the names need, the start width, and whether the last row asked for more.
    QTest::addColumn<QVector<int>>("neededStartMore");

    // Indentation 20, item padding 10, 30 around the tree.
    QTest::newRow("nominal: an empty library starts at the minimum")
        << true << Rows{} << QVector<int>{30, 180, 1};
    QTest::newRow("nominal: ten-character chapter names")
        << true << Rows{{0, 90}, {1, 100}, {2, 160}} << QVector<int>{260, 260, 1};
    QTest::newRow("nominal: a deeper row outweighs a longer name")
        << true << Rows{{0, 200}, {2, 170}} << QVector<int>{270, 270, 1};
    QTest::newRow("nominal: without root decoration books sit at the edge")
        << false << Rows{{0, 250}, {2, 160}} << QVector<int>{290, 290, 1};
    QTest::newRow("boundary: a name that needs the maximum ends the measuring")
        << true << Rows{{2, 220}} << QVector<int>{320, 320, 0};
    QTest::newRow("robustness: very long names stop at the maximum")
        << true << Rows{{0, 90}, {2, 400}} << QVector<int>{500, 320, 0};
}

void TstCatalogPanel::startWidth()
{
    QFETCH(bool, rootDecorated);
    QFETCH(Rows, rows);
    CatalogWidth width({20, rootDecorated, 10, 30});
    bool more = true;
    for (const auto& [depth, text] : rows)
        more = width.addRow(depth, text);
    QTEST((QVector<int>{width.neededWidth(), width.startWidth(), more}), "neededStartMore");
}

void TstCatalogPanel::widthsAtWindowSizes_data()
{
    QTest::addColumn<QString>("name"); // of the book, volume and chapter; empty: starter
    QTest::addColumn<QSize>("size");   // of the maximised window
    QTest::addColumn<int>("dragTo");
    QTest::addColumn<int>("dragged");
    const QString ten = QStringLiteral("第一章风起云涌的时候");
    QTest::newRow("starter library; dragged narrower")
        << QString() << QSize(800, 705) << 150 << 150;
    QTest::newRow("ten characters, 1600x1000; dragged below the minimum")
        << ten << QSize(1600, 1000) << 60 << 120;
    QTest::newRow("ten characters, 1920x1080; dragged beyond half the window")
        << ten << QSize(1920, 1080) << 600 << 400;
    QTest::newRow("forty characters, 1920x1080")
        << ten.repeated(4) << QSize(1920, 1080) << 150 << 150;
}

void TstCatalogPanel::widthsAtWindowSizes()
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
        // Below the maximum every name shows whole.
        QCOMPARE(treeOf(w)->horizontalScrollBar()->isVisible(), start == 320);
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

QTEST_MAIN(TstCatalogPanel)
#include "tst_catalogpanel.moc"
