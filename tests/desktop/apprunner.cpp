#include "apprunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <signal.h>

AppRunner::AppRunner()
{
    const QString exe = qEnvironmentVariable("LORVANE_EXECUTABLE");
    const QString appDir = qEnvironmentVariable("LORVANE_APP_DIR");
    if (exe.isEmpty() || !m_dir.isValid())
        return;
    m_ok = QFile::copy(exe, file("lorvane"));
    QDir().mkpath(file("sound"));
    for (const QString& wav : QDir(appDir + "/sound").entryList({"*.wav"}))
        QFile::copy(appDir + "/sound/" + wav, file("sound/" + wav));
}

AppRunner::~AppRunner()
{
    for (QProcess* p : m_processes) {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(5000)) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        delete p;
    }
}

QProcess* AppRunner::start()
{
    auto* p = new QProcess;
    p->setProgram(file("lorvane"));
    p->setWorkingDirectory(QDir::tempPath());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start();
    p->waitForStarted(5000);
    m_processes.append(p);
    return p;
}

QString AppRunner::waitForWindow(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        const QString id = runTool("xdotool", {"search", "--onlyvisible", "--name", "Lorvane写作神器"});
        if (!id.isEmpty())
            return id.split('\n').first();
        QThread::msleep(100);
    }
    return QString();
}

QString runTool(const QString& program, const QStringList& args, int* exitCode)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
