#pragma once

#include "app/platform/soundeffects.h"

#include <QObject>
#include <QSoundEffect>

#include <map>
#include <memory>
#include <vector>

// The plugin's entry point: a few preloaded effects per file, used in turn, so quick
// strokes overlap without creating an object per stroke.
class EffectSoundPlugin : public QObject, public SoundEffects
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SoundEffects_iid)
    Q_INTERFACES(SoundEffects)

public:
    void play(const QString& path) override;
    void release() override { m_pools.clear(); }

private:
    static constexpr int kPoolSize = 3;
    struct Pool {
        std::vector<std::unique_ptr<QSoundEffect>> effects;
        int next = 0;
        bool missing = false;
    };
    std::map<QString, Pool> m_pools;
};
