#include "app/platform/soundplayer.h"

#include "app/appdirs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <map>
#include <QSoundEffect>
#include <QUrl>

#include <memory>
#include <vector>

// Off unless asked for (QT_LOGGING_RULES="lorvane.sound.debug=true"): one line per sound.
Q_LOGGING_CATEGORY(lcSound, "lorvane.sound", QtInfoMsg)

namespace {

// A few preloaded effects per file, used in turn, so quick strokes overlap without
// creating an object per stroke.
class EffectSoundPlayer : public SoundPlayer
{
public:
    void play(const QString& fileName) override
    {
        qCDebug(lcSound).noquote() << "play" << fileName;
        Pool& pool = m_pools[fileName];
        if (pool.effects.empty() && !pool.missing) {
            const QString path = AppDirs::soundPath(fileName);
            if (!QFileInfo(path).isFile()) {
                pool.missing = true;
            } else {
                for (int i = 0; i < kPoolSize; ++i) {
                    auto effect = std::make_unique<QSoundEffect>();
                    effect->setSource(QUrl::fromLocalFile(path));
                    pool.effects.push_back(std::move(effect));
                }
            }
        }
        if (pool.missing)
            return;
        QSoundEffect* effect = pool.effects[pool.next].get();
        pool.next = (pool.next + 1) % kPoolSize;
        effect->play();
    }

private:
    static constexpr int kPoolSize = 3;
    struct Pool {
        std::vector<std::unique_ptr<QSoundEffect>> effects;
        int next = 0;
        bool missing = false;
    };
    std::map<QString, Pool> m_pools;
};

std::unique_ptr<SoundPlayer>& current()
{
    static std::unique_ptr<SoundPlayer> p;
    return p;
}

// The effects must go while the application and its audio backend still exist: destroyed
// with the other statics after main() returns, they crash the program at its very end.
void releasePlayer() { current().reset(); }

} // namespace

namespace Sounds {

SoundPlayer& player()
{
    auto& p = current();
    if (!p) {
        p = std::make_unique<EffectSoundPlayer>();
        qAddPostRoutine(releasePlayer);
    }
    return *p;
}

void install(SoundPlayer* player) { current().reset(player); }

} // namespace Sounds
