#include "support/testsupport.h"

#include "app/frmmessagebox.h"
#include "app/mainwindow.h"
#include "app/messages.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The window's frame: its states, and the program's message box.
class TstChrome : public QObject
{
    Q_OBJECT
private slots:
    void trayGivesTheWindowBack();
    void messageBoxKindsAndWaysOut_data();
    void messageBoxKindsAndWaysOut();
    void longMessagesGrowTheBox();
};

void TstChrome::trayGivesTheWindowBack()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // A click on the tray icon brings the hidden window back.
    w.hide();
    callSlot(&w, "systemTrayActivated_slot",
             Q_ARG(QSystemTrayIcon::ActivationReason, QSystemTrayIcon::Trigger));
    QVERIFY(w.isVisible());
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

// The program's own box, the default presenter: the kind's picture and title, 取消 only where
// there is a choice, and 1 only for 确定.
void TstChrome::messageBoxKindsAndWaysOut()
{
    QFETCH(QString, button);
    TestAppDir app;
    Messages::setPresenter({});
    QStringList shown;
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
        if (button.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->findChild<QPushButton*>(button)->click();
    });
    QFETCH(int, kind);
    QTEST(Messages::show("不能打开文件!", kind), "result");
    QFETCH(QString, look);
    QCOMPARE(shown.join(' '), look + " 不能打开文件!");
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
