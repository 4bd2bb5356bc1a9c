// Shutdown and restart from the title-bar menu with the recording desktop services: nothing
// here can reach the real machine.
#include "support/testsupport.h"

#include "app/messages.h"

#include "app/mainwindow.h"
#include "settings/config.h"

#include <QtTest>
#include <QtWidgets>

static std::unique_ptr<QSettings> config(const TestAppDir& app)
{
    return std::unique_ptr<QSettings>(Config::open(app.file("config.ini")));
}

class TstSystemActions : public QObject
{
    Q_OBJECT
private slots:
    void powerActionsAskThenSaveThenRequest_data();
    void powerActionsAskThenSaveThenRequest();
};

void TstSystemActions::powerActionsAskThenSaveThenRequest_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("request");
    const QString off = "确定要关机吗?";
    QTest::newRow("shutdown confirmed") << "shutDown_slot" << off << 1 << "power:off";
    QTest::newRow("shutdown cancelled") << "shutDown_slot" << off << 0 << "";
    QTest::newRow("restart confirmed") << "reBoot_slot"
                                       << "确定要重启吗?" << 1 << "power:reboot";
}

// Saving before the system ends the program: the text goes through the atomic file save
// (a cut-off write leaves the old file whole), only into the open chapter's own file (its
// sibling keeps its bytes), deletes nothing, and keeps the Chinese text byte for byte.
void TstSystemActions::powerActionsAskThenSaveThenRequest()
{
    QFETCH(QString, slot);
    QFETCH(QString, question);
    QFETCH(int, answer);
    QFETCH(QString, request);
    TestAppDir app;
    const QString chapter = app.file("data/我的书籍/书/卷/第一章.txt");
    const QString sibling = app.file("data/我的书籍/书/卷/第二章.txt");
    {
        MainWindow first;
        config(app)->setValue(Config::CurOpenChapter, chapter);
    }
    writeBytes(chapter, "旧的文字");
    writeBytes(sibling, "另一章");
    MainWindow w;
    const QString typed = "　　新写的一段，还没有自动保存。";
    w.findChild<QTextEdit*>("textEdit")->setPlainText(typed);

    // What the chapter and the configuration hold by the time the system is asked.
    QStringList whenAsked;
    fakeServices().onPower = [&](DesktopServices::PowerAction) {
        whenAsked << QString::fromUtf8(readBytes(chapter))
                  << config(app)->value(Config::CurOpenChapter).toString()
                  << config(app)->value(Config::KeySound).toString();
    };
    app.questionAnswer = answer;
    fakeServices().calls.clear();
    callSlot(&w, slot.toLatin1().constData());

    const bool confirmed = !request.isEmpty();
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Question, question}}));
    QCOMPARE(fakeServices().calls, confirmed ? QStringList{request} : QStringList());
    QCOMPARE(whenAsked, confirmed ? QStringList({typed, chapter, "false"}) : QStringList());
    QCOMPARE(readBytes(chapter), confirmed ? typed.toUtf8() : QByteArray("旧的文字"));
    QCOMPARE(readBytes(sibling), QByteArray("另一章"));
}

QTEST_MAIN(TstSystemActions)
#include "tst_systemactions.moc"
