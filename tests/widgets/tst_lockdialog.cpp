// The lock dialog alone: what can be typed, what Enter does, and the signals a user's choice
// delivers.
#include "support/testsupport.h"

#include "lock/dialog_lock.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

using Signal = QList<QVariant>;

Signal sig(bool start, int mode, const QString& value)
{
    return {start, QVariant::fromValue(qint8(mode)), value};
}

} // namespace

class TstLockDialog : public QObject
{
    Q_OBJECT
private slots:
    void enterConfirmsOnlyANumber();
    void goalKindsAndRanges_data();
    void goalKindsAndRanges();
    void cancelAndCloseStartNothing();
};

void TstLockDialog::enterConfirmsOnlyANumber()
{
    TestAppDir app;
    Dialog_Lock d;
    QSignalSpy spy(&d, &Dialog_Lock::lock_signal);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    auto* edit = d.findChild<QLineEdit*>("lineEdit");
    auto* yes = d.findChild<QPushButton*>("yes");
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(d.windowTitle(), QString("锁定"));
    QCOMPARE(d.findChild<QLabel*>("label")->text(), QString("字"));

    QVERIFY(!yes->isEnabled());
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(spy.isEmpty());
    QVERIFY(d.isVisible());

    QTest::keyClicks(edit, "12");
    QVERIFY(yes->isEnabled());
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0), sig(true, 1, "12"));
    QCOMPARE(spy.at(1), sig(false, 1, ""));
    QVERIFY(!d.isVisible());

    // Shown again, the number typed last time is still there.
    d.show();
    QCOMPARE(edit->text(), QString("12"));
}

void TstLockDialog::goalKindsAndRanges_data()
{
    QTest::addColumn<QString>("first");  // the goal kind chosen before typing
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("then");   // the kind chosen after typing
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("mode");

    // The validator refuses a digit only when the number outgrows the top's length.
    QTest::newRow("characters: five digits") << "number_lock" << "123456" << "" << "12345" << "字" << 1;
    QTest::newRow("characters: 20000 itself") << "number_lock" << "20000" << "" << "20000" << "字" << 1;
    QTest::newRow("minutes: four digits") << "time_lock" << "20015" << "" << "2001" << "分钟" << 2;
    QTest::newRow("digits only") << "time_lock" << "1a-2 " << "" << "12" << "分钟" << 2;
    QTest::newRow("switching keeps 5000 typed as characters")
        << "number_lock" << "5000" << "time_lock" << "5000" << "分钟" << 2;
    QTest::newRow("switching back to characters")
        << "time_lock" << "90" << "number_lock" << "90" << "字" << 1;
}

void TstLockDialog::goalKindsAndRanges()
{
    QFETCH(QString, first);
    QFETCH(QString, typed);
    QFETCH(QString, then);
    QFETCH(QString, text);
    QFETCH(QString, unit);
    QFETCH(int, mode);
    TestAppDir app;
    Dialog_Lock d;
    QSignalSpy spy(&d, &Dialog_Lock::lock_signal);
    d.show();
    auto* edit = d.findChild<QLineEdit*>("lineEdit");
    QTest::mouseClick(d.findChild<QRadioButton*>(first), Qt::LeftButton);
    QTest::keyClicks(edit, typed);
    if (!then.isEmpty())
        QTest::mouseClick(d.findChild<QRadioButton*>(then), Qt::LeftButton);
    QCOMPARE(edit->text(), text);
    QCOMPARE(d.findChild<QLabel*>("label")->text(), unit);

    QTest::mouseClick(d.findChild<QPushButton*>("yes"), Qt::LeftButton);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0), sig(true, mode, text));
    QCOMPARE(spy.at(1), sig(false, 1, ""));
}

void TstLockDialog::cancelAndCloseStartNothing()
{
    TestAppDir app;
    Dialog_Lock d;
    QSignalSpy spy(&d, &Dialog_Lock::lock_signal);
    d.show();
    QTest::keyClicks(d.findChild<QLineEdit*>("lineEdit"), "30");
    QTest::mouseClick(d.findChild<QPushButton*>("no"), Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QVERIFY(!spy.isEmpty());
    for (const Signal& s : spy)
        QCOMPARE(s, sig(false, 1, ""));

    spy.clear();
    d.show();
    d.close();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0), sig(false, 1, ""));
}

QTEST_MAIN(TstLockDialog)
#include "tst_lockdialog.moc"
