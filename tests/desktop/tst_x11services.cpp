// The X11 keyboard hook inside the test process, on an X server of the test's own: the key
// sounds of keys typed into another window.
#include "privatexserver.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include <cstdio>

class TstX11Services : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { Platform::services().removeKeyboardHook(); }
    void keySoundsOfKeysTypedElsewhere_data();
    void keySoundsOfKeysTypedElsewhere();
    void keysPassOnAndSoundNothingWhenOff();

private:
    TestAppDir m_app;
    QLineEdit m_edit;
};

void TstX11Services::initTestCase()
{
    // The recording sound player stays; the services are the desktop's own.
    Platform::install(nullptr);
    m_edit.show();
    m_edit.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_edit));
}

void TstX11Services::keySoundsOfKeysTypedElsewhere_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("sound"); // on press and on release
    QTest::newRow("capital letter (Shift_L is silent)") << "A"
                                                        << "key.wav";
    QTest::newRow("keypad digit on the second level") << "KP_7"
                                                      << "key.wav";
    QTest::newRow("right shift") << "Shift_R"
                                 << "space.wav";
    QTest::newRow("grave is silent") << "grave"
                                     << "";
}

void TstX11Services::keySoundsOfKeysTypedElsewhere()
{
    QFETCH(QString, key);
    QFETCH(QString, sound);
    QVERIFY(Platform::services().installKeyboardHook());
    Platform::services().setKeySoundEnabled(true);
    fakeSounds().played.clear();
    // The Down arrow after the key marks the end: recorded events arrive in order.
    QProcess::execute("xdotool", {"key", key, "Down"});
    const QStringList expected = QStringList{sound, sound, "scroll.wav", "scroll.wav"};
    QTRY_COMPARE_WITH_TIMEOUT(fakeSounds().played, expected.mid(sound.isEmpty() ? 2 : 0), 5000);
}

void TstX11Services::keysPassOnAndSoundNothingWhenOff()
{
    DesktopServices& s = Platform::services();
    QVERIFY(s.installKeyboardHook());
    s.setKeySoundEnabled(false);
    fakeSounds().played.clear();
    m_edit.clear();
    QProcess::execute("xdotool", {"key", "a", "Return", "space"});
    // The keys were passed on to the window that has the focus.
    QTRY_COMPARE_WITH_TIMEOUT(m_edit.text(), QString("a "), 5000);
    s.setKeySoundEnabled(true);
    QProcess::execute("xdotool", {"key", "b"});
    QTRY_COMPARE_WITH_TIMEOUT(fakeSounds().played, QStringList({"key.wav", "key.wav"}), 5000);
    QCOMPARE(m_edit.text(), QString("a b"));
}

int main(int argc, char** argv)
{
    PrivateXServer x;
    if (!x.isRunning()) {
        std::fprintf(stderr, "no private X server (Xvfb) could be started\n");
        return 1;
    }
    QApplication app(argc, argv);
    TstX11Services t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_x11services.moc"
