#pragma once

#include <QString>

#include <map>
#include <memory>
#include <vector>

class QSoundEffect;

// Plays the installation's short sounds by file name ("key.wav", "lock.wav", …) from
// A/sound. Playing returns at once, sounds may overlap, a missing file stays silent.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& fileName) = 0;
};

// The program's player: a few preloaded effects per file, used in turn, so quick strokes
// overlap without creating an object per stroke. A file that is missing is looked for
// again at the next play, so a sound put in place while the program runs is heard.
class EffectSoundPlayer : public SoundPlayer
{
public:
    ~EffectSoundPlayer() override;
    void play(const QString& fileName) override;

protected:
    using Effects = std::vector<std::unique_ptr<QSoundEffect>>;
    // The effects that play the existing file at `path`, in turn.
    virtual Effects createEffects(const QString& path);

private:
    struct Pool {
        Effects effects;
        std::size_t next = 0;
    };
    std::map<QString, Pool> m_pools;
};

namespace Sounds {
SoundPlayer& player();
// Takes ownership; nullptr restores the real player.
void install(SoundPlayer* player);
inline void play(const QString& fileName) { player().play(fileName); }
} // namespace Sounds
