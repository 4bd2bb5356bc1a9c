#pragma once

#include <QString>

#include <functional>

// The application directory A and every path the program derives from it. Production
// code chooses A once (see chooseRoot); tests point it at a temporary directory.
namespace AppDirs {

QString root();                   // A, forward slashes, no trailing slash
void setRoot(const QString& dir); // tests only; an empty text restores the default

QString configPath();    // A/config.ini
QString databasePath();  // A/sys.db
QString dataDir();       // A/data
QString libraryDir();    // A/data/我的书籍
QString libraryPrefix(); // A/data/我的书籍/ (the prefix item paths start with)
QString recycleDir();    // A/data/回收站
QString backupDir();     // A/bak
QString keyDir();        // A/key
QString soundPath(const QString& fileName); // <sound folder>/<fileName>, see soundDir
QString lockMarkPath();                     // A/lock.active: present while a writing lock runs

// Where the data lives. The program keeps it beside itself (the portable use: a folder on
// a USB stick) unless that folder is a system installation or cannot be written, and then
// in `perUserDir`. A folder that already holds config.ini, sys.db or a library always stays
// A: an author's books must never be swapped silently for an empty library elsewhere.
using WriteProbe = std::function<bool(const QString& dir)>;
QString chooseRoot(const QString& programDir, const QString& perUserDir,
                   const WriteProbe& canWrite);
// True when a file can really be created in `dir` (permission bits say nothing to root,
// nor about read-only mounts); the probe file is removed at once.
bool canWriteIn(const QString& dir);
// The per-user data directory, e.g. ~/.local/share/lorvane.
QString perUserDir();

// The executable's directory and the read-only files installed with it. Each is looked for
// beside the executable first (a portable folder, the build tree), then where an
// installation puts it relative to the executable (share/…, lib/…).
QString programDir();
QString soundDir();
QString pluginDir();
QString installedSoundDir(const QString& programDir);
QString installedPluginDir(const QString& programDir);

} // namespace AppDirs
