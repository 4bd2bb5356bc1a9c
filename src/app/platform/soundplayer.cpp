#include "app/platform/soundplayer.h"

#include "app/appdirs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSoundEffect>
#include <QUrl>

// Off unless asked for (QT_LOGGING_RULES="lorvane.sound.debug=true"): one line per sound.
Q_LOGGING_CATEGORY(lcSound, "lorvane.sound", QtInfoMsg)

namespace {
constexpr int kPoolSize = 3;
} // namespace

EffectSoundPlayer::~EffectSoundPlayer() = default;

void EffectSoundPlayer::play(const QString& fileName)
{
    qCDebug(lcSound).noquote() << "play" << fileName;
    Pool& pool = m_pools[fileName];
    if (pool.effects.empty()) {
        const QString path = AppDirs::soundPath(fileName);
        if (!QFileInfo(path).isFile())
            return;
        pool.effects = createEffects(path);
        if (pool.effects.empty())
            return;
    }
    QSoundEffect* effect = pool.effects[pool.next].get();
    pool.next = (pool.next + 1) % pool.effects.size();
    effect->play();
}

EffectSoundPlayer::Effects EffectSoundPlayer::createEffects(const QString& path)
{
    Effects effects;
    for (int i = 0; i < kPoolSize; ++i) {
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
        effects.push_back(std::move(effect));
    }
    return effects;
}

namespace {

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
