// The lock dialog alone: what can be typed, what Enter does, and the signals a choice sends.
#include "support/testsupport.h"

#include "lock/dialog_lock.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

class TstLockDialog : public QObject
{
    Q_OBJECT
private slots:
    void goalsAndTheirSignals_data();
    void goalsAndTheirSignals();
};

void TstLockDialog::goalsAndTheirSignals_data()
{
    QTest::addColumn<QString>("first"); // the goal kind chosen before typing
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("then"); // the kind chosen after typing
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("confirm"); // "yes", "no", or "enter" in the field or on a control
    QTest::addColumn<QString>("sent");

    // The validator refuses a digit only when the number outgrows the top's length.
    QTest::newRow("characters: five digits by Enter") << "number_lock"
                                                      << "123456"
                                                      << ""
                                                      << "12345"
                                                      << "字"
                                                      << "enter"
                                                      << "1 1 12345|0 1 ";
    QTest::newRow("minutes: four digits, digits only") << "time_lock"
                                                       << "2a0-0 15"
                                                       << ""
                                                       << "2001"
                                                       << "分钟"
                                                       << "yes"
                                                       << "1 2 2001|0 1 ";
    QTest::newRow("switching keeps 5000 typed as characters") << "number_lock"
                                                              << "5000"
                                                              << "time_lock"
                                                              << "5000"
                                                              << "分钟"
                                                              << "yes"
                                                              << "1 2 5000|0 1 ";
    QTest::newRow("Enter with an empty field does nothing") << "number_lock"
                                                            << ""
                                                            << ""
                                                            << ""
                                                            << "字"
                                                            << "enter"
                                                            << "";
    QTest::newRow("cancelled") << "time_lock"
                               << "30"
                               << "number_lock"
                               << "30"
                               << "字"
                               << "no"
                               << "0 1 |0 1 ";
    QTest::newRow("Enter on a focused 取消 cancels") << "number_lock"
                                                     << "300"
                                                     << ""
                                                     << "300"
                                                     << "字"
                                                     << "enter:no"
                                                     << "0 1 |0 1 ";
    QTest::newRow("Enter on a focused 确定 confirms") << "time_lock"
                                                      << "30"
                                                      << ""
                                                      << "30"
                                                      << "分钟"
                                                      << "enter:yes"
                                                      << "1 2 30|0 1 ";
    QTest::newRow("Enter on a goal kind does not confirm") << "number_lock"
                                                           << "300"
                                                           << ""
                                                           << "300"
                                                           << "字"
                                                           << "enter:time_lock"
                                                           << "";
}

void TstLockDialog::goalsAndTheirSignals()
{
    QFETCH(QString, first);
    QFETCH(QString, typed);
    QFETCH(QString, then);
    QFETCH(QString, text);
    QFETCH(QString, unit);
    QFETCH(QString, confirm);
    QFETCH(QString, sent);
    TestAppDir app;
    Dialog_Lock d;
    QSignalSpy spy(&d, &Dialog_Lock::lock_signal);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    auto* edit = d.findChild<QLineEdit*>("lineEdit");
    QCOMPARE(QApplication::focusWidget(), edit);

    QTest::mouseClick(d.findChild<QRadioButton*>(first), Qt::LeftButton);
    QTest::keyClicks(edit, typed);
    if (!then.isEmpty())
        QTest::mouseClick(d.findChild<QRadioButton*>(then), Qt::LeftButton);
    QCOMPARE(edit->text(), text);
    QCOMPARE(d.findChild<QLabel*>("label")->text(), unit);
    QCOMPARE(d.findChild<QPushButton*>("yes")->isEnabled(), !text.isEmpty());
    if (confirm.startsWith("enter")) {
        QWidget* target = confirm == "enter" ? edit : d.findChild<QWidget*>(confirm.mid(6));
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
    } else
        QTest::mouseClick(d.findChild<QPushButton*>(confirm), Qt::LeftButton);

    QStringList got;
    for (const QList<QVariant>& s : spy)
        got << QString("%1 %2 %3")
                   .arg(int(s[0].toBool()))
                   .arg(s[1].value<qint8>())
                   .arg(s[2].toString());
    QCOMPARE(got.join(QLatin1Char('|')), sent);
    QCOMPARE(d.isVisible(), sent.isEmpty());
}

QTEST_MAIN(TstLockDialog)
#include "tst_lockdialog.moc"
