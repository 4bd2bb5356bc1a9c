#include "app/platform/sound/effectsoundplugin.h"

#include <QFileInfo>
#include <QUrl>

void EffectSoundPlugin::play(const QString& path)
{
    Pool& pool = m_pools[path];
    if (pool.effects.empty() && !pool.missing) {
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
