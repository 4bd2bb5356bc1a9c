#include "support/testsupport.h"

#include "app/atooltipper.h"
#include "app/frmmessagebox.h"
#include "app/messages.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QToolTip>
#include <QTreeView>
#include <QtTest>

class TstMessageBox : public QObject
{
    Q_OBJECT
private slots:
    void kinds_data();
    void kinds();
    void resultsOfEachWayOut_data();
    void resultsOfEachWayOut();
    void draggingMovesTheBox();
    void isTheDefaultPresenter();
    void toolTipOnlyForCutOffEntries();
};

void TstMessageBox::kinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("information") << 0 << "border-image: url(:/image/info);" << "提示" << false;
    QTest::newRow("question") << 1 << "border-image: url(:/image/question);" << "询问" << true;
    QTest::newRow("error") << 2 << "border-image: url(:/image/error);" << "错误" << false;
    QTest::newRow("other kinds change only the text")
        << 7 << "border-image: url(:/image/info);" << "提示" << true;
}

void TstMessageBox::kinds()
{
    QFETCH(int, kind);
    QFETCH(QString, picture);
    QFETCH(QString, title);
    QFETCH(bool, cancel);
    TestAppDir app;
    auto* box = new frmMessageBox;
    box->setMessage("不能打开文件!", kind);
    box->show();
    QCOMPARE(box->findChild<QLabel*>("labIcoMain")->styleSheet(), picture);
    QCOMPARE(box->findChild<QLabel*>("lab_Title")->text(), title);
    QCOMPARE(box->findChild<QLabel*>("labInfo")->text(), QString("不能打开文件!"));
    QCOMPARE(box->findChild<QPushButton*>("btnCancel")->isVisible(), cancel);
    QCOMPARE(box->windowTitle(), QString("提示"));
    QVERIFY(box->windowFlags() & Qt::FramelessWindowHint);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(box->pos(), QPoint(screen.width() / 2 - 303 / 2, screen.height() / 2 - 143 / 2));
    QPointer<frmMessageBox> guard(box);
    box->close();
    QTRY_VERIFY(guard.isNull());
}

void TstMessageBox::resultsOfEachWayOut_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("确定") << "btnOk" << 1;
    QTest::newRow("取消") << "btnCancel" << 0;
    QTest::newRow("close button") << "btnMenu_Close" << 0;
    QTest::newRow("Escape") << "" << 0;
}

void TstMessageBox::resultsOfEachWayOut()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    TestAppDir app;
    QPointer<frmMessageBox> box = new frmMessageBox;
    box->setMessage("确定要关机吗?", 1);
    QTimer::singleShot(0, [box, button] {
        if (button.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->findChild<QPushButton*>(button)->click();
    });
    QCOMPARE(box->exec(), result);
    QTRY_VERIFY(box.isNull());
}

void TstMessageBox::draggingMovesTheBox()
{
    TestAppDir app;
    auto* box = new frmMessageBox;
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    const QPoint start = box->pos();
    const QPoint at(50, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, box->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
    QMouseEvent move(QEvent::MouseMove, at, box->mapToGlobal(at) + QPoint(40, 25), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    QCOMPARE(box->pos(), start + QPoint(40, 25));
    box->close();
}

void TstMessageBox::isTheDefaultPresenter()
{
    TestAppDir app;
    Messages::setPresenter({});
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<frmMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->findChild<QLabel*>("labInfo")->text(), QString("保存文件失败！"));
        QCOMPARE(box->findChild<QLabel*>("lab_Title")->text(), QString("错误"));
        box->findChild<QPushButton*>("btnOk")->click();
    });
    Messages::error("保存文件失败！");
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<frmMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->findChild<QPushButton*>("btnCancel")->click();
    });
    QVERIFY(!Messages::confirm("确定要重启吗?"));
}

void TstMessageBox::toolTipOnlyForCutOffEntries()
{
    TestAppDir app;
    QStandardItemModel model;
    model.appendRow(new QStandardItem("短"));
    model.appendRow(new QStandardItem("一个很长很长很长很长很长很长很长很长的书名"));
    QTreeView view;
    view.setHeaderHidden(true);
    view.setModel(&model);
    view.resize(120, 200);
    view.viewport()->installEventFilter(new AToolTipper(&view));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    auto ask = [&](int row) {
        const QPoint pos = view.visualRect(model.index(row, 0)).center();
        QHelpEvent help(QEvent::ToolTip, pos, view.viewport()->mapToGlobal(pos));
        return QApplication::sendEvent(view.viewport(), &help);
    };
    QVERIFY(ask(1));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), model.item(1)->text());
    QVERIFY(ask(0));
    QTRY_VERIFY(!QToolTip::isVisible());
    // Below the last entry there is nothing to explain.
    QHelpEvent empty(QEvent::ToolTip, QPoint(10, 190), view.viewport()->mapToGlobal(QPoint(10, 190)));
    QApplication::sendEvent(view.viewport(), &empty);
    QVERIFY(!QToolTip::isVisible());
}

QTEST_MAIN(TstMessageBox)
#include "tst_messagebox.moc"
