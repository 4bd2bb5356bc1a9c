#pragma once

#include <QString>

// The application directory A and every path the program derives from it. Production
// code takes A from the executable's location; tests point it at a temporary directory.
namespace AppDirs {

QString root();                       // A, forward slashes, no trailing slash
void setRoot(const QString& dir);     // tests only; an empty text restores the default

QString configPath();                 // A/config.ini
QString databasePath();               // A/sys.db
QString dataDir();                    // A/data
QString libraryDir();                 // A/data/我的书籍
QString libraryPrefix();              // A/data/我的书籍/ (the prefix item paths start with)
QString recycleDir();                 // A/data/回收站
QString backupDir();                  // A/bak
QString keyDir();                     // A/key
QString soundPath(const QString& fileName); // A/sound/<fileName>
QString lockMarkPath();               // A/lock.active: present while a writing lock runs

} // namespace AppDirs
