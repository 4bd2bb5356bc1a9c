#pragma once

#include <QString>
#include <QtPlugin>

// The audio half of the sound player, in a plugin beside the executable (A/plugins) that
// is loaded with the first sound: QtMultimedia and the sound server's client libraries it
// brings would otherwise be loaded and relocated at every start, before the window shows.
class SoundEffects
{
public:
    virtual ~SoundEffects() = default;
    // Starts the sound file at `path` at once; sounds may overlap, a missing file is silent.
    virtual void play(const QString& path) = 0;
    // Lets every effect go; called while the application and its audio backend still exist.
    virtual void release() = 0;
};

#define SoundEffects_iid "org.lorvane.SoundEffects/1.0"
Q_DECLARE_INTERFACE(SoundEffects, SoundEffects_iid)
