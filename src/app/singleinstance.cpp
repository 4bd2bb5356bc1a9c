#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& appDir)
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty() || !QDir().mkpath(base))
        base = QDir::tempPath();
    // The runtime directory is per user already; the hash scopes the mark to one
    // application directory, so two installations (or two test runs) do not collide.
    const QByteArray key =
        QCryptographicHash::hash(QDir(appDir).absolutePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    m_path =
        base + QStringLiteral("/lorvane-") + QString::fromLatin1(key) + QStringLiteral(".lock");
}

bool SingleInstance::tryAcquire()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock whose owner process is gone is recognised and taken over at once.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
