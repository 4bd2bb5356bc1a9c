#include "support/testsupport.h"

#include "app/frmmessagebox.h"
#include "app/messages.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TstMessageBox : public QObject
{
    Q_OBJECT
private slots:
    void kindsAndWaysOut_data();
    void kindsAndWaysOut();
    void isTheDefaultPresenter();
    void longMessagesGrowTheBox();
};

void TstMessageBox::kindsAndWaysOut_data()
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

// The box is centred on the screen, shows the kind's picture and title, offers 取消 only
// where there is a choice, and exec() gives 1 only for 确定.
void TstMessageBox::kindsAndWaysOut()
{
    QFETCH(int, kind);
    QFETCH(QString, look);
    QFETCH(QString, button);
    QFETCH(int, result);
    TestAppDir app;
    QPointer<frmMessageBox> box = new frmMessageBox;
    box->setMessage("不能打开文件!", kind);
    box->show();
    const QString picture = box->findChild<QLabel*>("labIcoMain")->styleSheet();
    QStringList shown{picture.section('/', -1).chopped(2),
                      box->findChild<QLabel*>("lab_Title")->text()};
    if (box->findChild<QPushButton*>("btnCancel")->isVisible())
        shown << "取消";
    QCOMPARE(shown.join(' '), look);
    QCOMPARE(box->findChild<QLabel*>("labInfo")->text(), QString("不能打开文件!"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(box->pos(), QPoint(screen.width() / 2 - 303 / 2, screen.height() / 2 - 143 / 2));

    QTimer::singleShot(0, [box, button] {
        if (button.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->findChild<QPushButton*>(button)->click();
    });
    QCOMPARE(box->exec(), result);
    QTRY_VERIFY(box.isNull());
}

void TstMessageBox::isTheDefaultPresenter()
{
    TestAppDir app;
    Messages::setPresenter({});
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<frmMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->findChild<QLabel*>("labInfo")->text();
            box->findChild<QPushButton*>("btnCancel")->click();
        }
    });
    QVERIFY(!Messages::confirm("确定要重启吗?"));
    QCOMPARE(shown, QString("确定要重启吗?"));
}

void TstMessageBox::longMessagesGrowTheBox()
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

QTEST_MAIN(TstMessageBox)
#include "tst_messagebox.moc"
