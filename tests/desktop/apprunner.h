#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Runs the real program from a fresh application directory (a temporary copy of the built
// executable) on the test's X display.
class AppRunner
{
public:
    AppRunner();
    ~AppRunner();

    QString file(const QString& relative) const { return m_dir.path() + "/" + relative; }
    // Starts a process of the program; the runner keeps it and ends it at destruction.
    QProcess* start();
    // The X window id of a main window of the program shown now (or within the time), or "".
    QString waitForWindow(int timeoutMs = 15000);
    // Starts a process and waits for its window. A start that ends before it reached the
    // display (now and then on a busy X server) is made again; null when none showed one.
    QProcess* startShown();
    static QString findWindow();

private:
    QTemporaryDir m_dir;
    QList<QProcess*> m_processes;
};

// Runs a command (xdotool, xwininfo, …) and returns its standard output, trimmed.
QString runTool(const QString& program, const QStringList& args);
