// The X11 desktop services inside the test process, on an X server of the test's own: the
// key sounds of keys typed into another window, and the F8 grab taken, refused, released
// and taken again.
#include "privatexserver.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include <cstdio>

namespace {

void xdotool(const QStringList& args)
{
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished(10000);
}

struct GrabAttempt {
    int exitCode = -1;
    QString log;
};

// Another X client of the same program tries to take the key.
GrabAttempt grabFromAnotherProcess(const QString& key)
{
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {"--try-grab", key});
    p.waitForFinished(20000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

// The child of grabFromAnotherProcess: exit code 0 when the grab was taken, 3 when refused.
int tryGrab(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QKeySequence key(QString::fromLatin1(argv[2]));
    std::unique_ptr<GlobalShortcut> s = Platform::services().createGlobalShortcut(key, nullptr);
    return s->isRegistered() ? 0 : 3;
}

} // namespace

class TstX11Services : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keySoundsOfKeysTypedElsewhere_data();
    void keySoundsOfKeysTypedElsewhere();
    void keysSoundNothingWhenKeySoundsAreOff();
    void hotkeyIsRefusedReleasedAndTakenAgain();

private:
    DesktopServices& nativeServices();
    bool setNumLock(bool on);

    std::unique_ptr<TestAppDir> m_app;
    std::unique_ptr<QLineEdit> m_edit;
};

void TstX11Services::init()
{
    m_app = std::make_unique<TestAppDir>();
    // The recording sound player stays; the services are the desktop's own.
    Platform::install(nullptr);
    m_edit = std::make_unique<QLineEdit>();
    m_edit->setWindowTitle("key target");
    m_edit->show();
    m_edit->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_edit.get()));
}

void TstX11Services::cleanup()
{
    m_edit.reset();
    Platform::services().removeKeyboardHook();
    m_app.reset();
}

DesktopServices& TstX11Services::nativeServices()
{
    DesktopServices& s = Platform::services();
    if (dynamic_cast<FakeDesktopServices*>(&s))
        qFatal("the fake is still installed");
    return s;
}

// The keypad's first key types a digit only while NumLock is on; the "x" after it tells
// when the window has seen it.
bool TstX11Services::setNumLock(bool on)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_edit->clear();
        xdotool({"key", "KP_Home", "x"});
        if (!QTest::qWaitFor([this] { return m_edit->text().endsWith('x'); }, 5000))
            return false;
        if ((m_edit->text() == "7x") == on)
            return true;
        xdotool({"key", "Num_Lock"});
    }
    return false;
}

void TstX11Services::keySoundsOfKeysTypedElsewhere_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("sounds");
    const QStringList key{"key.wav", "key.wav"}, scroll{"scroll.wav", "scroll.wav"},
        space{"space.wav", "space.wav"}, ret{"return.wav", "return.wav"}, none;
    QTest::newRow("letter") << "a" << key;
    QTest::newRow("capital letter (Shift_L is silent)") << "A" << key;
    QTest::newRow("keypad digit on the second level") << "KP_7" << key;
    QTest::newRow("grave is silent") << "grave" << none;
    QTest::newRow("arrow") << "Left" << scroll;
    QTest::newRow("space") << "space" << space;
    QTest::newRow("right shift") << "Shift_R" << space;
    QTest::newRow("return") << "Return" << ret;
    QTest::newRow("function key is silent") << "F5" << none;
}

void TstX11Services::keySoundsOfKeysTypedElsewhere()
{
    QFETCH(QString, key);
    QFETCH(QStringList, sounds);
    DesktopServices& s = nativeServices();
    QVERIFY(s.installKeyboardHook());
    s.setKeySoundEnabled(true);
    fakeSounds().played.clear();

    // The Down arrow after the key marks the end: recorded events arrive in order.
    xdotool({"key", key, "Down"});
    const QStringList expected = sounds + QStringList{"scroll.wav", "scroll.wav"};
    QTRY_COMPARE_WITH_TIMEOUT(fakeSounds().played, expected, 5000);
}

void TstX11Services::keysSoundNothingWhenKeySoundsAreOff()
{
    DesktopServices& s = nativeServices();
    QVERIFY(s.installKeyboardHook());
    s.setKeySoundEnabled(false);
    fakeSounds().played.clear();

    xdotool({"key", "a", "Return", "Down", "space"});
    // The keys were passed on to the window that has the focus.
    QTRY_COMPARE_WITH_TIMEOUT(m_edit->text(), QString("a "), 5000);
    s.setKeySoundEnabled(true);
    xdotool({"key", "b"});
    QTRY_COMPARE_WITH_TIMEOUT(fakeSounds().played, QStringList({"key.wav", "key.wav"}), 5000);

    // After the hook is removed, nothing is recorded any more.
    s.removeKeyboardHook();
    fakeSounds().played.clear();
    xdotool({"key", "c"});
    QTRY_COMPARE_WITH_TIMEOUT(m_edit->text(), QString("a bc"), 5000);
    QTest::qWait(300);
    QCOMPARE(fakeSounds().played, QStringList());
}

void TstX11Services::hotkeyIsRefusedReleasedAndTakenAgain()
{
    DesktopServices& s = nativeServices();
    const QKeySequence f8("F8");
    std::unique_ptr<GlobalShortcut> first = s.createGlobalShortcut(f8, nullptr);
    QVERIFY(first->isRegistered());
    QSignalSpy firstSpy(first.get(), &GlobalShortcut::activated);
    xdotool({"key", "F8"});
    QTRY_COMPARE(firstSpy.count(), 1);

    // With NumLock on F8 still arrives; so it does with CapsLock on as well.
    QVERIFY(setNumLock(true));
    xdotool({"key", "F8"});
    QTRY_COMPARE(firstSpy.count(), 2);
    xdotool({"key", "Caps_Lock", "F8", "Caps_Lock"});
    QTRY_COMPARE(firstSpy.count(), 3);
    QVERIFY(setNumLock(false));

    // Another program cannot take F8 while it is held, and is only warned.
    GrabAttempt refused = grabFromAnotherProcess("F8");
    QCOMPARE(refused.exitCode, 3);
    QVERIFY2(refused.log.contains("QxtGlobalShortcut failed to register: F8"),
             qPrintable(refused.log));
    // Neither can a second object of this program, which would silently share the grab.
    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to register: F8");
    QVERIFY(!s.createGlobalShortcut(f8, nullptr)->isRegistered());

    // Destroying the object releases every variant of the grab.
    first.reset();
    GrabAttempt taken = grabFromAnotherProcess("F8");
    QCOMPARE(taken.exitCode, 0);
    QVERIFY2(!taken.log.contains("failed"), qPrintable(taken.log));

    std::unique_ptr<GlobalShortcut> second = s.createGlobalShortcut(f8, nullptr);
    QVERIFY(second->isRegistered());
    QSignalSpy secondSpy(second.get(), &GlobalShortcut::activated);
    xdotool({"key", "F8"});
    QTRY_COMPARE(secondSpy.count(), 1);
}

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--try-grab") == 0)
        return tryGrab(argc, argv);
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
