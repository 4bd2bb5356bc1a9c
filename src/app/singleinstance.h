#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The mark that lets one process per user and application directory run. A lock file in
// the per-user runtime directory is used rather than shared memory: the kernel forgets a
// killed holder's lock, so a crash never blocks the next start.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& appDir);
    bool tryAcquire(); // false: another instance holds the mark
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
