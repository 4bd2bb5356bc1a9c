#include "apprunner.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTest>

// A failed copy shows as a program that never starts.
AppRunner::AppRunner() { QFile::copy(qEnvironmentVariable("LORVANE_EXECUTABLE"), file("lorvane")); }

AppRunner::~AppRunner()
{
    for (QProcess* p : m_processes) {
        p->terminate();
        if (!p->waitForFinished(5000))
            p->kill();
        p->waitForFinished(5000);
        delete p;
    }
}

QProcess* AppRunner::start()
{
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(QDir::tempPath());
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(file("lorvane"), QStringList());
    p->waitForStarted(5000);
    m_processes.append(p);
    return p;
}

QString AppRunner::waitForWindow(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QString id;
    while ((id = findWindow()).isEmpty() && !deadline.hasExpired())
        QTest::qWait(100);
    return id;
}

QProcess* AppRunner::startShown()
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        QProcess* p = start();
        const QDeadlineTimer deadline(15000);
        while (p->state() == QProcess::Running && findWindow().isEmpty() && !deadline.hasExpired())
            QTest::qWait(100);
        if (p->state() == QProcess::Running)
            return findWindow().isEmpty() ? nullptr : p;
    }
    return nullptr;
}

QString AppRunner::findWindow()
{
    return runTool("xdotool", {"search", "--onlyvisible", "--name", "Lorvane写作神器"})
        .section('\n', 0, 0);
}

QString runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
