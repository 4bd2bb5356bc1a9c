#include "startinstall.h"

#include "app/appdirs.h"
#include "library/catalogstore.h"
#include "library/sqliteoper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>

#include <unistd.h>

namespace StartInstall {

namespace {

bool placeFile(const QString& from, const QString& to)
{
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return QFile::copy(from, to);
}

bool placeFolder(const QString& from, const QString& to)
{
    const QDir source(from);
    if (!source.exists())
        return true;
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo& file : source.entryInfoList(QDir::Files)) {
        if (!placeFile(file.filePath(), to + "/" + file.fileName()))
            return false;
    }
    return true;
}

bool writeText(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

QString install(const QString& executable, const QString& dir, bool withAppFolders)
{
    const QFileInfo program(executable);
    const QString target = dir + "/" + program.fileName();
    bool ok = QDir().mkpath(dir) && placeFile(program.filePath(), target);
    if (withAppFolders) {
        const QString appDir = program.absolutePath();
        ok = ok && placeFolder(appDir + "/sound", dir + "/sound") &&
             placeFolder(appDir + "/plugins", dir + "/plugins");
    }
    return ok ? target : QString();
}

bool addLargeBook(const QString& dir, int chapters)
{
    AppDirs::setRoot(dir);
    QSqlDatabase db;
    bool ok = SqliteOper::openDatabase(db) && db.transaction();
    int id = SqliteOper::maxId();
    const QString book = QStringLiteral("万章长篇");
    const QString bookPath = AppDirs::libraryDir() + "/" + book;
    const int bookId = ++id;
    ok = ok && id > 0 && QDir().mkpath(bookPath) &&
         writeText(bookPath + "/index.txt", QByteArray()) &&
         CatalogStore::insertItem(bookId, book, bookPath, 1, 0, bookId);
    const QByteArray text =
        QStringLiteral("　　夜色渐深，客栈里只剩下他一个人。\n\n").repeated(60).toUtf8();
    int volumeId = 0;
    QString volumePath;
    for (int c = 0; ok && c < chapters; ++c) {
        if (c % 100 == 0) {
            const QString volume = QStringLiteral("第%1卷").arg(c / 100 + 1);
            volumePath = bookPath + "/" + volume;
            volumeId = ++id;
            ok = QDir().mkpath(volumePath) && writeText(volumePath + "/index.txt", QByteArray()) &&
                 CatalogStore::insertItem(volumeId, volume, volumePath, 2, bookId, c / 100 + 1);
        }
        const QString chapter = QStringLiteral("第%1章").arg(c + 1);
        const QString path = volumePath + "/" + chapter;
        ok = ok && writeText(path + ".txt", text) &&
             CatalogStore::insertItem(++id, chapter, path, 3, volumeId, c % 100 + 1);
    }
    ok = ok && db.commit();
    db = QSqlDatabase();
    SqliteOper::closeDatabase();
    AppDirs::setRoot(QString());
    return ok;
}

QStringList environment(const QString& root, const QByteArray& display, const QString& busAddress)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_XCB_GL_INTEGRATION",
                             "LD_PRELOAD", "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS"})
        env.remove(name);
    env.insert("DISPLAY", display);
    if (!busAddress.isEmpty())
        env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    env.insert("HOME", root + "/home");
    env.insert("XDG_CONFIG_HOME", root + "/home/config");
    env.insert("XDG_CACHE_HOME", root + "/home/cache");
    env.insert("XDG_DATA_HOME", root + "/home/data");
    env.insert("XDG_RUNTIME_DIR", root + "/run");
    QDir().mkpath(root + "/home");
    QDir().mkpath(root + "/run");
    QFile(root + "/run")
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return env.toStringList();
}

QString startSessionBus(QProcess& bus, const QString& root)
{
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1",
                              "--address=unix:path=" + root + "/bus"});
    return bus.waitForReadyRead(10000) ? QString::fromLocal8Bit(bus.readLine().trimmed())
                                       : QString();
}

} // namespace StartInstall
