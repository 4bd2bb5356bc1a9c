// Which key sound a key event makes and which keys a locked desktop swallows, for X keysyms
// and for Windows virtual-key codes, and the hook that applies both to a stream of events.
#include "lock/keyclass.h"
#include "lock/keyhook.h"
#include "support/testsupport.h"

#include <QtTest>

namespace Sym = KeyClass::Sym;

class TstKeyClass : public QObject
{
    Q_OBJECT
private slots:
    void soundForKeysym_data();
    void soundForKeysym();
    void soundForVirtualKey_data();
    void soundForVirtualKey();
    void hookFollowsAltAndTheSwitches();
};

void TstKeyClass::soundForKeysym_data()
{
    QTest::addColumn<quint32>("level1");
    QTest::addColumn<quint32>("level2");
    QTest::addColumn<QString>("file");
    QTest::newRow("a") << 0x61u << 0x41u << "key.wav";
    QTest::newRow("capital Z") << 0x5au << 0x5au << "key.wav";
    QTest::newRow("number row with the digit second") << 0x26u << 0x31u << "key.wav";
    QTest::newRow("keypad 8 behind KP_Up is no arrow") << Sym::KeypadUp << 0xffb8u << "key.wav";
    QTest::newRow("keypad decimal") << 0xff9fu << 0xffaeu << "";
    QTest::newRow("apostrophe") << Sym::Apostrophe << 0x22u << "key.wav";
    QTest::newRow("bracket left") << Sym::BracketLeft << 0x7bu << "";
    QTest::newRow("page down") << Sym::PageDown << 0u << "scroll.wav";
    QTest::newRow("right shift") << Sym::ShiftR << 0u << "space.wav";
    QTest::newRow("left shift") << Sym::ShiftL << 0u << "";
    QTest::newRow("keypad enter") << Sym::KeypadEnter << 0u << "return.wav";
    QTest::newRow("Chinese letter of an input method") << 0x1004e2du << 0u << "";
}

void TstKeyClass::soundForKeysym()
{
    QFETCH(quint32, level1);
    QFETCH(quint32, level2);
    QTEST(KeyClass::fileName(KeyClass::soundForKeysym(level1, level2)), "file");
}

void TstKeyClass::soundForVirtualKey_data()
{
    QTest::addColumn<quint32>("vk");
    QTest::addColumn<QString>("file");
    // The edges of each range of codes.
    const QList<QPair<quint32, QString>> rows{
        {0x5a, "key.wav"},    {0x5b, ""},           {0x69, "key.wav"},    {0x6a, ""},
        {0xbf, "key.wav"},    {0xc0, ""},           {0xdc, "key.wav"},    {0xdd, ""},
        {0x28, "scroll.wav"}, {0x29, ""},           {0xa1, "space.wav"},  {0x0d, "return.wav"}};
    for (const auto& row : rows)
        QTest::addRow("vk 0x%02x", row.first) << row.first << row.second;
}

void TstKeyClass::soundForVirtualKey()
{
    QFETCH(quint32, vk);
    QTEST(KeyClass::fileName(KeyClass::soundForVirtualKey(vk)), "file");
}

void TstKeyClass::hookFollowsAltAndTheSwitches()
{
    TestAppDir app;
    KeyHook hook;
    auto stroke = [&hook](quint32 sym) {
        return QList<bool>{hook.handleKeysym(sym, 0, true), hook.handleKeysym(sym, 0, false)};
    };
    const QList<bool> passed{false, false}, swallowed{true, true};

    // Off and unlocked: every key passes and nothing plays; on, press and release sound.
    QCOMPARE(stroke(0x61), passed);
    hook.setKeySoundEnabled(true);
    QCOMPARE(stroke(0x61), passed);
    QCOMPARE(hook.handleVirtualKey(0x25, false), false);
    QCOMPARE(fakeSounds().played, QStringList({"key.wav", "key.wav", "scroll.wav"}));

    // Locked: Tab and F4 are swallowed only between the presses and releases of an Alt key,
    // of either side; Esc and the Windows keys always; swallowed keys make no sound.
    hook.setSystemLocked(true);
    fakeSounds().played.clear();
    QCOMPARE(stroke(Sym::Tab), passed);
    QCOMPARE(stroke(Sym::F4), passed);
    for (quint32 alt : {Sym::AltL, Sym::AltR}) {
        hook.handleKeysym(alt, 0, true);
        QCOMPARE(stroke(Sym::Tab), swallowed);
        QCOMPARE(stroke(Sym::F4), swallowed);
        QCOMPARE(stroke(0x61), passed);
        hook.handleKeysym(alt, 0, false);
    }
    QCOMPARE(stroke(Sym::Tab), passed);
    for (quint32 sym : {Sym::Escape, Sym::SuperL, Sym::SuperR})
        QCOMPARE(stroke(sym), swallowed);
    QCOMPARE(stroke(Sym::Return), passed);
    // The same keys by their Windows codes.
    for (quint32 vk : {0x1b, 0x5b, 0x5c})
        QCOMPARE(hook.handleVirtualKey(vk, false), true);
    QCOMPARE(hook.handleVirtualKey(0x09, true), true);
    QCOMPARE(hook.handleVirtualKey(0x73, true), true);
    QCOMPARE(hook.handleVirtualKey(0x09, false), false);
    QCOMPARE(fakeSounds().played, QStringList({"key.wav", "key.wav", "key.wav", "key.wav",
                                               "return.wav", "return.wav"}));

    hook.setSystemLocked(false);
    QCOMPARE(stroke(Sym::Escape), passed);
}

QTEST_GUILESS_MAIN(TstKeyClass)
#include "tst_keyclass.moc"
