// Lock rules: which goals make a lock, how a character lock advances, and which keys a locked
// desktop swallows (and whether the keys let through still sound).
#include "lock/keyclass.h"
#include "lock/keyhook.h"
#include "lock/wordlockprogress.h"
#include "lock/writinglock.h"
#include "support/testsupport.h"

#include <QtTest>

namespace Sym = KeyClass::Sym;

class TstLockRules : public QObject
{
    Q_OBJECT
private slots:
    void goalsOutsideTheRangesMakeNoLock();
    void wordLockTicks();
    void swallowedKeys();
};

// A goal that is refused (-1) never locks: nothing typed may make a lock that cannot end.
void TstLockRules::goalsOutsideTheRangesMakeNoLock()
{
    const std::tuple<qint8, const char*, qint64> rows[] = {
        {WritingLock::ByMinutes, "2000", 120000000},
        {WritingLock::ByMinutes, "2001", -1},
        {WritingLock::ByMinutes, "35792", -1}, // its milliseconds overflow an int
        {WritingLock::ByMinutes, "99999999999999999999", -1},
        {WritingLock::ByCharacters, "20000", 0},
        {WritingLock::ByCharacters, "20001", -1},
        {WritingLock::ByCharacters, "-1", -1},
    };
    for (const auto& [kind, amount, interval] : rows)
        QVERIFY2(WritingLock::goalInterval(kind, amount) == interval, amount);
}

// The counts the editor shows at each second, what is left of the goal after each, and the
// first tick that meets the goal (0: none).
void TstLockRules::wordLockTicks()
{
    const std::tuple<const char*, int, int, QList<int>, QList<int>, int> rows[] = {
        {"10 a second end 30 at the third", 30, 0, {10, 20, 30}, {20, 10, 0}, 3},
        {"19 at once count", 100, 0, {19}, {81}, 0},
        {"20 at once are a paste: no count, new base", 100, 0, {20, 25}, {100, 95}, 0},
        {"deleted are written again first", 100, 200, {170, 185, 200, 210}, {100, 100, 100, 90}, 0},
    };
    for (auto [name, left, base, counts, remaining, endTick] : rows) {
        int ended = 0;
        for (int i = 0; i < counts.size(); ++i) {
            if (WordLockProgress::tick(counts[i], left, base) && !ended)
                ended = i + 1;
            counts[i] = left;
        }
        QVERIFY2(counts == remaining && ended == endTick, name);
    }
}

void TstLockRules::swallowedKeys()
{
    // As the desktop's hook sees them: X reports no modifiers with a recorded key, so the hook
    // follows either Alt itself; swallowed keys make no sound.
    // A locked window gets Shift+Tab as Backtab.
    QVERIFY(KeyClass::swallowQtKey(Qt::Key_Backtab, true) &&
            !KeyClass::swallowQtKey(Qt::Key_Tab, 0));
    TestAppDir app;
    KeyHook hook;
    auto stroke = [&hook](quint32 sym) {
        return QList<bool>{hook.handleKeysym(sym, 0, true), hook.handleKeysym(sym, 0, false)};
    };
    const QList<bool> passed{false, false}, swallowed{true, true};
    hook.setKeySoundEnabled(true);
    hook.setSystemLocked(true);
    QCOMPARE(stroke(Sym::F4), passed);
    for (quint32 alt : {Sym::AltL, Sym::AltR}) {
        hook.handleKeysym(alt, 0, true);
        QCOMPARE(stroke(Sym::Tab), swallowed);
        QCOMPARE(stroke(Sym::F4), swallowed);
        QCOMPARE(stroke(Sym::LowerA), passed);
        hook.handleKeysym(alt, 0, false);
    }
    QCOMPARE(stroke(Sym::Tab), passed);
    for (quint32 sym : {Sym::Escape, Sym::SuperL, Sym::SuperR})
        QCOMPARE(stroke(sym), swallowed);
    for (quint32 vk : {0x1b, 0x5b, 0x5c})
        QVERIFY(hook.handleVirtualKey(vk, false));
    QVERIFY(hook.handleVirtualKey(0x09, true) && !hook.handleVirtualKey(0x09, false));
    QCOMPARE(fakeSounds().played, QStringList({"key.wav", "key.wav", "key.wav", "key.wav"}));
    hook.setSystemLocked(false);
    QCOMPARE(stroke(Sym::Escape), passed);
}

QTEST_GUILESS_MAIN(TstLockRules)
#include "tst_lockrules.moc"
