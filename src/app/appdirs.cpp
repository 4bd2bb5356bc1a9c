#include "app/appdirs.h"

#include <QCoreApplication>

namespace {
QString& overriddenRoot()
{
    static QString dir;
    return dir;
}
} // namespace

namespace AppDirs {

QString root()
{
    const QString& dir = overriddenRoot();
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
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
QString soundPath(const QString& fileName) { return root() + QStringLiteral("/sound/") + fileName; }
QString lockMarkPath() { return root() + QStringLiteral("/lock.active"); }

} // namespace AppDirs
