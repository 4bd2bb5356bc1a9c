#pragma once

#include <QString>

// Plays the installation's short sounds by file name ("key.wav", "lock.wav", …) from
// A/sound. Playing returns at once, sounds may overlap, a missing file stays silent.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& fileName) = 0;
};

namespace Sounds {
SoundPlayer& player();
// Takes ownership; nullptr restores the real player.
void install(SoundPlayer* player);
inline void play(const QString& fileName) { player().play(fileName); }
// The real player; its effects come from the plugin at `pluginPath`, by default the one in
// the plugins folder beside the executable.
SoundPlayer* createEffectPlayer(const QString& pluginPath = QString());
} // namespace Sounds
