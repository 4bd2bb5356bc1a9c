#include "library/filecreate.h"

#include "app/appdirs.h"
#include "app/logcategories.h"
#include "app/messages.h"
#include "library/textfile.h"
#include "settings/config.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// One file onto a path that must not exist yet, byte for byte; a partial copy is removed
// again. A straight read and write: the generic copy through a temporary file and a rename
// costs twice as much, and books and deletes copy thousands of small files.
bool copyFile(const QString& src, const QString& dst)
{
    QFile in(src);
    QFile out(dst);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    bool ok = true;
    for (qint64 n; ok && (n = in.read(buffer.data(), buffer.size())) != 0;)
        ok = n > 0 && out.write(buffer.constData(), n) == n;
    out.close();
    if (!ok || out.error() != QFileDevice::NoError) {
        out.remove();
        return false;
    }
    return true;
}

} // namespace

bool FileCreate::createDir(const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    if (!QDir().mkdir(path)) {
        Messages::error(tr("文件夹创建失败"));
        return false;
    }
    return true;
}

bool FileCreate::createFile(const QString& path)
{
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return true;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) {
        Messages::error(tr("错误：不能新建文件，请检查是否有权限!"));
        return false;
    }
    f.close();
    return true;
}

bool FileCreate::saveFile(const QString& path, const QString& text)
{
    if (text.isEmpty())
        return false;
    qCDebug(lcLibrary).noquote() << path
                                 << QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    if (!QFileInfo::exists(path))
        return false;
    QString reason;
    if (!TextFile::writeAtomic(path, text, &reason)) {
        qCWarning(lcLibrary).noquote() << "save failed:" << path << reason;
        Messages::error(tr("保存文件失败！"));
        return false;
    }
    qCDebug(lcLibrary).noquote() << "save"
                                 << QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    return true;
}

bool FileCreate::deleteDir(const QString& path)
{
    QDir dir(path);
    if (!dir.exists())
        return true;
    QString prefix = QDir::toNativeSeparators(path);
    if (!prefix.endsWith(QDir::separator()))
        prefix += QDir::separator();

    bool ok = true;
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString& entry : entries) {
        const QString full = prefix + entry;
        const QFileInfo info(full);
        if (info.isSymLink() || info.isFile()) {
            if (!info.isSymLink())
                QFile::setPermissions(full, QFile::permissions(full) | QFile::WriteOwner);
            if (!QFile::remove(full))
                ok = false;
        } else if (info.isDir()) {
            if (!deleteDir(full))
                ok = false;
        }
    }
    if (!QDir().rmdir(QDir::toNativeSeparators(path))) {
        qCDebug(lcLibrary).noquote() << "删除目录" << path << "失败!";
        return false;
    }
    return ok;
}

bool FileCreate::copyRecursively(const QString& src, const QString& dst, int* count)
{
    const QFileInfo info(src);
    if (!info.isDir()) {
        const bool ok = copyFile(src, dst);
        if (ok && count)
            ++*count;
        return ok;
    }
    if (QFileInfo::exists(dst) || !QDir().mkdir(dst))
        return false;
    const QStringList entries = QDir(src).entryList(QDir::Files | QDir::Dirs | QDir::Hidden |
                                                    QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (!copyRecursively(src + QLatin1Char('/') + entry, dst + QLatin1Char('/') + entry, count))
            return false;
    }
    return true;
}

QString FileCreate::loadStyleSheet(const QString& name)
{
    QFile f(QStringLiteral(":/image/%1").arg(name));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = f.readAll();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    // Style sheets are ASCII apart from font family names, which we keep in UTF-8.
    return QString::fromUtf8(bytes);
}

void FileCreate::writeDefaultConfig()
{
    Config::writeDefaults(AppDirs::configPath(), AppDirs::root());
}
