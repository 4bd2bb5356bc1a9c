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
    void swallowWhileLocked_data();
    void swallowWhileLocked();
    void hookFollowsAltAndTheSwitches();
};

void TstKeyClass::soundForKeysym_data()
{
    QTest::addColumn<quint32>("level1");
    QTest::addColumn<quint32>("level2");
    QTest::addColumn<QString>("file");
    QTest::newRow("a") << 0x61u << 0x41u << "key.wav";
    QTest::newRow("z") << 0x7au << 0x5au << "key.wav";
    QTest::newRow("capital A") << 0x41u << 0x41u << "key.wav";
    QTest::newRow("0") << 0x30u << 0x29u << "key.wav";
    QTest::newRow("9") << 0x39u << 0x28u << "key.wav";
    QTest::newRow("number row with the digit second") << 0x26u << 0x31u << "key.wav";
    QTest::newRow("keypad 7 behind KP_Home") << Sym::KeypadHome << 0xffb7u << "key.wav";
    QTest::newRow("keypad 8 behind KP_Up is no arrow") << Sym::KeypadUp << 0xffb8u << "key.wav";
    QTest::newRow("keypad 0") << 0xff9eu << Sym::Keypad0 << "key.wav";
    QTest::newRow("keypad decimal") << 0xff9fu << 0xffaeu << "";
    for (quint32 s : {Sym::Semicolon, Sym::Equal, Sym::Comma, Sym::Minus, Sym::Period, Sym::Slash,
                      Sym::Backslash, Sym::Apostrophe})
        QTest::addRow("punctuation %c", char(s)) << s << 0u << "key.wav";
    QTest::newRow("grave") << Sym::Grave << 0x7eu << "";
    QTest::newRow("bracket left") << Sym::BracketLeft << 0x7bu << "";
    QTest::newRow("bracket right") << Sym::BracketRight << 0x7du << "";
    QTest::newRow("page up") << Sym::PageUp << 0u << "scroll.wav";
    QTest::newRow("page down") << Sym::PageDown << 0u << "scroll.wav";
    for (quint32 s : {Sym::Left, Sym::Up, Sym::Right, Sym::Down})
        QTest::addRow("arrow %x", s) << s << 0u << "scroll.wav";
    QTest::newRow("backspace") << Sym::BackSpace << 0u << "space.wav";
    QTest::newRow("space") << Sym::Space << 0u << "space.wav";
    QTest::newRow("right shift") << Sym::ShiftR << 0u << "space.wav";
    QTest::newRow("left shift") << Sym::ShiftL << 0u << "";
    QTest::newRow("return") << Sym::Return << 0u << "return.wav";
    QTest::newRow("keypad enter") << Sym::KeypadEnter << 0u << "return.wav";
    QTest::newRow("escape") << Sym::Escape << 0u << "";
    QTest::newRow("tab") << Sym::Tab << 0xfe20u << "";
    QTest::newRow("F4") << Sym::F4 << 0u << "";
    QTest::newRow("Chinese letter of an input method") << 0x1004e2du << 0u << "";
}

void TstKeyClass::soundForKeysym()
{
    QFETCH(quint32, level1);
    QFETCH(quint32, level2);
    QFETCH(QString, file);
    QCOMPARE(KeyClass::fileName(KeyClass::soundForKeysym(level1, level2)), file);
}

void TstKeyClass::soundForVirtualKey_data()
{
    QTest::addColumn<quint32>("vk");
    QTest::addColumn<QString>("file");
    const QList<QPair<quint32, QString>> rows{
        {0x41, "key.wav"},    {0x5a, "key.wav"},     {0x5b, ""},           {0x30, "key.wav"},
        {0x39, "key.wav"},    {0x60, "key.wav"},     {0x69, "key.wav"},    {0x6a, ""},
        {0xb9, ""},           {0xba, "key.wav"},     {0xbf, "key.wav"},    {0xc0, ""},
        {0xdb, ""},           {0xdc, "key.wav"},     {0xdd, ""},           {0xde, "key.wav"},
        {0x21, "scroll.wav"}, {0x22, "scroll.wav"},  {0x23, ""},           {0x24, ""},
        {0x25, "scroll.wav"}, {0x28, "scroll.wav"},  {0x29, ""},           {0x08, "space.wav"},
        {0x20, "space.wav"},  {0xa1, "space.wav"},   {0xa0, ""},           {0x10, ""},
        {0x0d, "return.wav"}, {0x1b, ""},            {0x09, ""},           {0x73, ""}};
    for (const auto& row : rows)
        QTest::addRow("vk 0x%02x", row.first) << row.first << row.second;
}

void TstKeyClass::soundForVirtualKey()
{
    QFETCH(quint32, vk);
    QFETCH(QString, file);
    QCOMPARE(KeyClass::fileName(KeyClass::soundForVirtualKey(vk)), file);
}

void TstKeyClass::swallowWhileLocked_data()
{
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<quint32>("vk");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<bool>("swallowed");
    QTest::newRow("Esc") << Sym::Escape << 0x1bu << false << true;
    QTest::newRow("Alt+Esc") << Sym::Escape << 0x1bu << true << true;
    QTest::newRow("Alt+Tab") << Sym::Tab << 0x09u << true << true;
    QTest::newRow("Tab") << Sym::Tab << 0x09u << false << false;
    QTest::newRow("left Windows key") << Sym::SuperL << 0x5bu << false << true;
    QTest::newRow("right Windows key") << Sym::SuperR << 0x5cu << false << true;
    QTest::newRow("Alt+F4") << Sym::F4 << 0x73u << true << true;
    QTest::newRow("F4") << Sym::F4 << 0x73u << false << false;
    QTest::newRow("Alt+a") << 0x61u << 0x41u << true << false;
    QTest::newRow("Return") << Sym::Return << 0x0du << false << false;
}

void TstKeyClass::swallowWhileLocked()
{
    QFETCH(quint32, keysym);
    QFETCH(quint32, vk);
    QFETCH(bool, alt);
    QFETCH(bool, swallowed);
    QCOMPARE(KeyClass::swallowKeysym(keysym, alt), swallowed);
    QCOMPARE(KeyClass::swallowVirtualKey(vk, alt), swallowed);
}

void TstKeyClass::hookFollowsAltAndTheSwitches()
{
    TestAppDir app;
    KeyHook hook;
    auto stroke = [&hook](quint32 sym) {
        return QList<bool>{hook.handleKeysym(sym, 0, true), hook.handleKeysym(sym, 0, false)};
    };
    const QList<bool> passed{false, false}, swallowed{true, true};

    // Off and unlocked: every key passes and nothing plays.
    QCOMPARE(stroke(0x61), passed);
    QCOMPARE(hook.handleVirtualKey(0x0d, false), false);
    QCOMPARE(fakeSounds().played, QStringList());

    // On: press and release each sound.
    hook.setKeySoundEnabled(true);
    QCOMPARE(stroke(0x61), passed);
    QCOMPARE(hook.handleVirtualKey(0x25, false), false);
    QCOMPARE(fakeSounds().played, QStringList({"key.wav", "key.wav", "scroll.wav"}));

    // Locked: Tab is swallowed only between the presses and releases of an Alt key, of
    // either side; swallowed keys make no sound, the others still do.
    hook.setSystemLocked(true);
    fakeSounds().played.clear();
    QCOMPARE(stroke(Sym::Tab), passed);
    hook.handleKeysym(Sym::AltL, 0, true);
    QCOMPARE(stroke(Sym::Tab), swallowed);
    QCOMPARE(stroke(Sym::F4), swallowed);
    hook.handleKeysym(Sym::AltL, 0, false);
    QCOMPARE(stroke(Sym::Tab), passed);
    hook.handleKeysym(Sym::AltR, 0, true);
    QCOMPARE(stroke(Sym::Tab), swallowed);
    hook.handleKeysym(Sym::AltR, 0, false);
    QCOMPARE(stroke(Sym::Escape), swallowed);
    QCOMPARE(stroke(Sym::Return), passed);
    QCOMPARE(hook.handleVirtualKey(0x5b, false), true);
    QCOMPARE(fakeSounds().played, QStringList({"return.wav", "return.wav"}));

    // Unlocked again, Esc passes.
    hook.setSystemLocked(false);
    QCOMPARE(stroke(Sym::Escape), passed);
}

QTEST_GUILESS_MAIN(TstKeyClass)
#include "tst_keyclass.moc"
