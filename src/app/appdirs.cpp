#include "app/appdirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

// Where an installation puts the read-only files, relative to the executable's directory
// (the build computes them from the install layout, so an unpacked tree works anywhere).
#ifndef LORVANE_INSTALLED_SOUND_DIR
#define LORVANE_INSTALLED_SOUND_DIR "../share/lorvane/sound"
#endif
#ifndef LORVANE_INSTALLED_PLUGIN_DIR
#define LORVANE_INSTALLED_PLUGIN_DIR "../lib/lorvane/plugins"
#endif

namespace {
QString& overriddenRoot()
{
    static QString dir;
    return dir;
}

// A system installation keeps its sounds under share/ rather than beside the executable.
// Its folder may be writable (root starting the program) and must still never receive data.
bool isInstallation(const QString& programDir)
{
    return !QFileInfo(programDir + QStringLiteral("/sound")).isDir() &&
           QFileInfo(AppDirs::installedSoundDir(programDir)).isDir();
}

// The first of `candidates` that exists; the first one when none does, so the caller's
// "missing file" handling sees a meaningful path.
QString firstExistingDir(const QStringList& candidates)
{
    for (const QString& dir : candidates) {
        if (QFileInfo(dir).isDir())
            return dir;
    }
    return candidates.first();
}
} // namespace

namespace AppDirs {

QString root()
{
    const QString& dir = overriddenRoot();
    if (!dir.isEmpty())
        return dir;
    // Chosen once: the probe writes a file, and A must not move while the program runs.
    static const QString chosen = [] {
        const QString a = chooseRoot(programDir(), perUserDir(), canWriteIn);
        QDir().mkpath(a);
        return a;
    }();
    return chosen;
}

void setRoot(const QString& dir)
{
    QString d = dir;
    while (d.size() > 1 && d.endsWith(QLatin1Char('/')))
        d.chop(1);
    overriddenRoot() = d;
}

QString configPath() { return root() + QStringLiteral("/config.ini"); }
QString databasePath() { return root() + QStringLiteral("/sys.db"); }
QString dataDir() { return root() + QStringLiteral("/data"); }
QString libraryDir() { return dataDir() + QStringLiteral("/我的书籍"); }
QString libraryPrefix() { return libraryDir() + QLatin1Char('/'); }
QString recycleDir() { return dataDir() + QStringLiteral("/回收站"); }
QString backupDir() { return root() + QStringLiteral("/bak"); }
QString keyDir() { return root() + QStringLiteral("/key"); }
QString soundPath(const QString& fileName) { return soundDir() + QLatin1Char('/') + fileName; }
QString lockMarkPath() { return root() + QStringLiteral("/lock.active"); }

QString chooseRoot(const QString& programDir, const QString& perUserDir, const WriteProbe& canWrite)
{
    // config.ini may have been deleted to reset the settings; the books may still be there.
    for (const char* mark : {"/config.ini", "/sys.db", "/data/我的书籍"}) {
        if (QFileInfo::exists(programDir + QString::fromUtf8(mark)))
            return programDir;
    }
    if (!isInstallation(programDir) && canWrite(programDir))
        return programDir;
    return perUserDir;
}

bool canWriteIn(const QString& dir)
{
    if (!QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(dir + QStringLiteral("/.lorvane-write-probe-XXXXXX"));
    return probe.open();
}

QString perUserDir()
{
    // Named after the program rather than the executable, which a renamed copy would change.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lorvane");
}

QString programDir() { return QCoreApplication::applicationDirPath(); }

QString soundDir()
{
    const QString program = programDir();
    return firstExistingDir({root() + QStringLiteral("/sound"), program + QStringLiteral("/sound"),
                             installedSoundDir(program)});
}

QString pluginDir()
{
    const QString program = programDir();
    return firstExistingDir({program + QStringLiteral("/plugins"), installedPluginDir(program)});
}

QString installedSoundDir(const QString& programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/" LORVANE_INSTALLED_SOUND_DIR));
}

QString installedPluginDir(const QString& programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/" LORVANE_INSTALLED_PLUGIN_DIR));
}

} // namespace AppDirs
