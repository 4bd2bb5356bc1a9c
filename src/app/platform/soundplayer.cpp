#include "app/platform/soundplayer.h"

#include "app/appdirs.h"
#include "app/logcategories.h"
#include "app/platform/soundeffects.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPluginLoader>

#include <memory>

// Off unless asked for (QT_LOGGING_RULES="lorvane.sound.debug=true"): one line per sound.
Q_LOGGING_CATEGORY(lcSound, "lorvane.sound", QtInfoMsg)

namespace {

// Plays through the effects plugin, loaded at the first sound rather than at start.
class EffectSoundPlayer : public SoundPlayer
{
public:
    explicit EffectSoundPlayer(const QString& pluginPath) : m_pluginPath(pluginPath) {}
    ~EffectSoundPlayer() override
    {
        if (m_effects)
            m_effects->release();
    }

    void play(const QString& fileName) override
    {
        qCDebug(lcSound).noquote() << "play" << fileName;
        if (!m_tried) {
            m_tried = true;
            // Never unloaded: a sound may still be playing when the player goes.
            QPluginLoader loader(m_pluginPath);
            m_effects = qobject_cast<SoundEffects*>(loader.instance());
            if (!m_effects)
                qCWarning(lcPlatform, "sound plugin not loaded, no sounds: %s",
                          qPrintable(loader.errorString()));
        }
        if (m_effects)
            m_effects->play(AppDirs::soundPath(fileName));
    }

private:
    QString m_pluginPath;
    bool m_tried = false;
    SoundEffects* m_effects = nullptr;
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
        p.reset(createEffectPlayer());
        qAddPostRoutine(releasePlayer);
    }
    return *p;
}

void install(SoundPlayer* player) { current().reset(player); }

SoundPlayer* createEffectPlayer(const QString& pluginPath)
{
    return new EffectSoundPlayer(pluginPath.isEmpty() ? AppDirs::pluginDir() +
                                                            QStringLiteral("/" LORVANE_SOUND_PLUGIN)
                                                      : pluginPath);
}

} // namespace Sounds
