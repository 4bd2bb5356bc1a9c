// Key events through the keyboard hook: classification and the hand-over to the sound
// seam, once with a counting player and once with the program's own preloaded effects.
#include "benchtable.h"

#include "app/appdirs.h"
#include "app/platform/soundplayer.h"
#include "lock/keyhook.h"

namespace {

class CountingPlayer : public SoundPlayer
{
public:
    void play(const QString& fileName) override { count += fileName.size() > 0; }
    int count = 0;
};

// A press or release of a stroke cycling through keys of every sound class and silent ones.
const quint32 kStrokes[][2] = {{0x61, 0x41},     {0xff54, 0},  {0x20, 0},   {0xff0d, 0},
                               {0xff95, 0xffb7}, {0x5b, 0x7b}, {0xffe2, 0}, {0x2c, 0x3c}};
int g_next = 0;
KeyHook g_hook;

// The table has no room for microseconds: a run is a burst of 1,000 events, so the budget
// of 50 µs per event is 50 ms per run.
void thousandEvents()
{
    for (int i = 0; i < 1000; ++i, ++g_next) {
        const auto& s = kStrokes[(g_next / 2) % 8];
        g_hook.handleKeysym(s[0], s[1], g_next % 2 == 0);
    }
}

BenchRegistrar hook([] {
    std::vector<BenchCase> cases;
    cases.push_back({"key hook events (counting sound seam)", "1,000 presses and releases", 31, 50,
                     thousandEvents, [] {
                         static bool once = false;
                         if (!once) {
                             once = true;
                             g_hook.setKeySoundEnabled(true);
                             Sounds::install(new CountingPlayer);
                         }
                     }});
    cases.push_back({"key hook events (preloaded sound effects)", "1,000 presses and releases", 31,
                     50, thousandEvents, [] {
                         static bool once = false;
                         if (!once) {
                             once = true;
                             g_hook.setKeySoundEnabled(true);
                             AppDirs::setRoot(QStringLiteral(LORVANE_APP_DIR));
                             Sounds::install(Sounds::createEffectPlayer(
                                 QStringLiteral(LORVANE_SOUND_PLUGIN_PATH)));
                         }
                     }});
    return cases;
});

} // namespace
