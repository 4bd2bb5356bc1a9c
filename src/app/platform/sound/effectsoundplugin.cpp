#include "app/platform/sound/effectsoundplugin.h"

#include <QFileInfo>
#include <QUrl>

void EffectSoundPlugin::play(const QString& path)
{
    Pool& pool = m_pools[path];
    if (pool.effects.empty()) {
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

EffectSoundPlugin::Effects EffectSoundPlugin::createEffects(const QString& path)
{
    Effects effects;
    for (int i = 0; i < kPoolSize; ++i) {
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
        effects.push_back(std::move(effect));
    }
    return effects;
}
