// Lock rules: the key sound of each key event and the keys a locked desktop swallows, for X
// keysyms and Windows virtual-key codes; the progress of a character lock.
#include "app/platform/sound/effectsoundplugin.h"
#include "lock/keyclass.h"
#include "lock/keyhook.h"
#include "lock/wordlockprogress.h"
#include "support/testsupport.h"

#include <QSoundEffect>
#include <QtTest>

namespace Sym = KeyClass::Sym;

class TstLockRules : public QObject
{
    Q_OBJECT
private slots:
    void keySoundsAndSwallowedKeys();
    void wordLockTicks();
    void missingSoundIsLookedForAgain();
};

void TstLockRules::keySoundsAndSwallowedKeys()
{
    // X keysyms of the first two levels: number rows with the digit second, keypad 8 behind
    // KP_Up (no arrow), keypad decimal, apostrophe, bracket, keypad Enter, a Chinese letter.
    const struct {
        quint32 level1, level2;
        const char* file;
    } keysyms[] = {{0x26, 0x31, "key.wav"},
                   {Sym::KeypadUp, 0xffb8, "key.wav"},
                   {0xff9f, 0xffae, ""},
                   {Sym::Apostrophe, 0x22, "key.wav"},
                   {Sym::BracketLeft, 0x7b, ""},
                   {Sym::KeypadEnter, 0, "return.wav"},
                   {0x1004e2d, 0, ""}};
    for (const auto& k : keysyms)
        QCOMPARE(KeyClass::fileName(KeyClass::soundForKeysym(k.level1, k.level2)), k.file);
    // Windows virtual-key codes at the edges of each range.
    const std::pair<quint32, const char*> vks[] = {
        {0x5a, "key.wav"},    {0x5b, ""}, {0x69, "key.wav"},   {0x6a, ""},
        {0xbf, "key.wav"},    {0xc0, ""}, {0xdc, "key.wav"},   {0xdd, ""},
        {0x28, "scroll.wav"}, {0x29, ""}, {0xa1, "space.wav"}, {0x0d, "return.wav"}};
    for (const auto& [vk, file] : vks)
        QCOMPARE(KeyClass::fileName(KeyClass::soundForVirtualKey(vk)), file);
    // The same keys as Qt gives them to a window: Shift+Tab arrives as Backtab.
    const std::tuple<int, bool, bool> qtKeys[] = {{Qt::Key_Escape, false, true},
                                                  {Qt::Key_Super_R, false, true},
                                                  {Qt::Key_Backtab, true, true},
                                                  {Qt::Key_F4, true, true},
                                                  {Qt::Key_Tab, false, false}};
    for (const auto& [key, alt, gone] : qtKeys)
        QCOMPARE(KeyClass::swallowQtKey(key, alt), gone);

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
    for (quint32 vk : {0x1b, 0x5b, 0x5c})
        QVERIFY(hook.handleVirtualKey(vk, false));
    QVERIFY(hook.handleVirtualKey(0x09, true) && hook.handleVirtualKey(0x73, true));
    QVERIFY(!hook.handleVirtualKey(0x09, false));
    QCOMPARE(fakeSounds().played,
             QStringList({"key.wav", "key.wav", "key.wav", "key.wav", "return.wav", "return.wav"}));
    hook.setSystemLocked(false);
    QCOMPARE(stroke(Sym::Escape), passed);
}

// The counts the editor shows at each second of a character lock, and what is left of the
// goal after each; the first tick that meets the goal (0: none).
void TstLockRules::wordLockTicks()
{
    using Counts = QList<int>;
    const struct {
        const char* name;
        int goal, startCount;
        Counts counts, remaining;
        int endTick;
    } rows[] = {
        {"10 a tick end a goal of 30 at the third", 30, 0, {10, 20, 30}, {20, 10, 0}, 3},
        {"counted from the text already there", 5, 300, {302, 305}, {3, 0}, 2},
        {"19 in one tick count", 100, 0, {19}, {81}, 0},
        {"20 in one tick count nothing and move the base", 100, 0, {20, 25}, {100, 95}, 0},
        {"a paste of 500, then typing", 100, 40, {540, 550}, {100, 90}, 0},
        {"30 deleted are written again before progress",
         100,
         200,
         {170, 185, 200, 210},
         {100, 100, 100, 90},
         0},
        {"goal 0 ends at the first tick", 0, 12, {12}, {0}, 1},
        {"the last tick may pass the goal", 5, 0, {3, 12}, {2, -7}, 2},
    };
    for (const auto& r : rows) {
        int left = r.goal, base = r.startCount, ended = 0;
        Counts remaining;
        for (int i = 0; i < r.counts.size(); ++i) {
            if (WordLockProgress::tick(r.counts[i], left, base) && !ended)
                ended = i + 1;
            remaining << left;
        }
        QVERIFY2(remaining == r.remaining && ended == r.endTick, r.name);
    }
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
