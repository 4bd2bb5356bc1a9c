// Lock rules: which key sound a key event makes and which keys a locked desktop swallows, for
// X keysyms and Windows virtual-key codes; the progress of a character lock.
#include "app/platform/sound/effectsoundplugin.h"
#include "lock/keyclass.h"
#include "lock/keyhook.h"
#include "lock/wordlockprogress.h"
#include "support/testsupport.h"

#include <QSoundEffect>
#include <QtTest>

namespace Sym = KeyClass::Sym;
using Counts = QList<int>;

class TstLockRules : public QObject
{
    Q_OBJECT
private slots:
    void soundForKeysym_data();
    void soundForKeysym();
    void soundForVirtualKey_data();
    void soundForVirtualKey();
    void lockedHookSwallowsOnlyTheEscapes();
    void wordLockTicks_data();
    void wordLockTicks();
    void missingSoundIsLookedForAgain();
};

void TstLockRules::soundForKeysym_data()
{
    QTest::addColumn<quint32>("level1");
    QTest::addColumn<quint32>("level2");
    QTest::addColumn<QString>("file");
    QTest::newRow("number row with the digit second") << 0x26u << 0x31u << "key.wav";
    QTest::newRow("keypad 8 behind KP_Up is no arrow") << Sym::KeypadUp << 0xffb8u << "key.wav";
    QTest::newRow("keypad decimal") << 0xff9fu << 0xffaeu << "";
    QTest::newRow("apostrophe") << Sym::Apostrophe << 0x22u << "key.wav";
    QTest::newRow("bracket left") << Sym::BracketLeft << 0x7bu << "";
    QTest::newRow("keypad enter") << Sym::KeypadEnter << 0u << "return.wav";
    QTest::newRow("Chinese letter of an input method") << 0x1004e2du << 0u << "";
}

void TstLockRules::soundForKeysym()
{
    QFETCH(quint32, level1);
    QFETCH(quint32, level2);
    QTEST(KeyClass::fileName(KeyClass::soundForKeysym(level1, level2)), "file");
}

void TstLockRules::soundForVirtualKey_data()
{
    QTest::addColumn<quint32>("vk");
    QTest::addColumn<QString>("file");
    // The edges of each range of codes.
    const QList<QPair<quint32, QString>> rows{
        {0x5a, "key.wav"},    {0x5b, ""}, {0x69, "key.wav"},   {0x6a, ""},
        {0xbf, "key.wav"},    {0xc0, ""}, {0xdc, "key.wav"},   {0xdd, ""},
        {0x28, "scroll.wav"}, {0x29, ""}, {0xa1, "space.wav"}, {0x0d, "return.wav"}};
    for (const auto& row : rows)
        QTest::addRow("vk 0x%02x", row.first) << row.first << row.second;
}

void TstLockRules::soundForVirtualKey()
{
    QFETCH(quint32, vk);
    QTEST(KeyClass::fileName(KeyClass::soundForVirtualKey(vk)), "file");
}

void TstLockRules::lockedHookSwallowsOnlyTheEscapes()
{
    TestAppDir app;
    KeyHook hook;
    auto stroke = [&hook](quint32 sym) {
        return QList<bool>{hook.handleKeysym(sym, 0, true), hook.handleKeysym(sym, 0, false)};
    };
    const QList<bool> passed{false, false}, swallowed{true, true};

    // Locked: Tab and F4 are swallowed only between the presses and releases of an Alt key,
    // of either side; Esc and the Windows keys always; swallowed keys make no sound.
    hook.setKeySoundEnabled(true);
    hook.setSystemLocked(true);
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
    QCOMPARE(fakeSounds().played,
             QStringList({"key.wav", "key.wav", "key.wav", "key.wav", "return.wav", "return.wav"}));

    hook.setSystemLocked(false);
    QCOMPARE(stroke(Sym::Escape), passed);
}

// The counts the editor shows at each second of a character lock, and what is left of the
// goal after each.
void TstLockRules::wordLockTicks_data()
{
    QTest::addColumn<int>("goal");
    QTest::addColumn<int>("startCount");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<Counts>("remaining");
    QTest::addColumn<int>("endTick"); // first tick that meets the goal, 0 for none

    QTest::newRow("10 a tick end a goal of 30 at the third")
        << 30 << 0 << Counts{10, 20, 30} << Counts{20, 10, 0} << 3;
    QTest::newRow("counted from the text already there")
        << 5 << 300 << Counts{302, 305} << Counts{3, 0} << 2;
    QTest::newRow("19 in one tick count") << 100 << 0 << Counts{19} << Counts{81} << 0;
    QTest::newRow("20 in one tick count nothing and move the base")
        << 100 << 0 << Counts{20, 25} << Counts{100, 95} << 0;
    QTest::newRow("a paste of 500, then typing")
        << 100 << 40 << Counts{540, 550} << Counts{100, 90} << 0;
    QTest::newRow("30 deleted are written again before progress")
        << 100 << 200 << Counts{170, 185, 200, 210} << Counts{100, 100, 100, 90} << 0;
    QTest::newRow("goal 0 ends at the first tick") << 0 << 12 << Counts{12} << Counts{0} << 1;
    QTest::newRow("the last tick may pass the goal")
        << 5 << 0 << Counts{3, 12} << Counts{2, -7} << 2;
}

void TstLockRules::wordLockTicks()
{
    QFETCH(int, goal);
    QFETCH(int, startCount);
    QFETCH(Counts, counts);
    QFETCH(Counts, remaining);
    QFETCH(int, endTick);
    int left = goal, base = startCount, ended = 0;
    for (int i = 0; i < counts.size(); ++i) {
        if (WordLockProgress::tick(counts[i], left, base) && !ended)
            ended = i + 1;
        QCOMPARE(left, remaining[i]);
    }
    QCOMPARE(ended, endTick);
}

namespace {
// The production effects without audio: records which files it went to load.
class LoadRecordingPlayer : public EffectSoundPlugin
{
public:
    QStringList loaded;

protected:
    Effects createEffects(const QString& path) override
    {
        loaded << path;
        return {};
    }
};
} // namespace

void TstLockRules::missingSoundIsLookedForAgain()
{
    TestAppDir app;
    LoadRecordingPlayer player;
    player.play(app.file("sound/lock.wav"));
    QVERIFY(player.loaded.isEmpty());
    writeBytes(app.file("sound/lock.wav"), "RIFF");
    player.play(app.file("sound/lock.wav"));
    QCOMPARE(player.loaded, QStringList{app.file("sound/lock.wav")});
}

QTEST_GUILESS_MAIN(TstLockRules)
#include "tst_lockrules.moc"
