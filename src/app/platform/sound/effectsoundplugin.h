#pragma once

#include "app/platform/soundeffects.h"

#include <QObject>
#include <QSoundEffect>

#include <map>
#include <memory>
#include <vector>

// The plugin's entry point: a few preloaded effects per file, used in turn, so quick
// strokes overlap without creating an object per stroke. A file that is missing is looked
// for again at the next play, so a sound put in place while the program runs is heard.
class EffectSoundPlugin : public QObject, public SoundEffects
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SoundEffects_iid)
    Q_INTERFACES(SoundEffects)

public:
    void play(const QString& path) override;
    void release() override { m_pools.clear(); }

protected:
    using Effects = std::vector<std::unique_ptr<QSoundEffect>>;
    // The effects that play the existing file at `path`, in turn.
    virtual Effects createEffects(const QString& path);

private:
    static constexpr int kPoolSize = 3;
    struct Pool {
        Effects effects;
        std::size_t next = 0;
    };
    std::map<QString, Pool> m_pools;
};
