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
} // namespace Sounds
