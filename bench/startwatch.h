#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct xcb_connection_t;

// What one start of a program cost, as its user would notice it.
struct StartFigures {
    bool ok = false;
    // From exec until the X server maps the program's first top-level window.
    double firstWindowMs = 0;
    // CPU time its threads had used when the window was mapped: unlike the wall time it
    // hardly depends on what else the machine is doing.
    double cpuToWindowMs = 0;
    // Once the program has stopped using the CPU: its proportional set size and the CPU
    // time (user + system, every thread) it used since exec.
    double pssMb = 0;
    double cpuMs = 0;
    QString failure;
};

// Starts programs on one X display and watches the root window for the map of their first
// top-level window. The watcher is a client of its own on that display, listening for
// MapNotify on the root's substructure, so the time is taken when the server maps the
// window, not when the program believes it has shown it.
class StartWatch
{
public:
    explicit StartWatch(const QByteArray& display);
    ~StartWatch();
    bool isConnected() const { return m_connection != nullptr; }

    // Runs `program` in `workDir` with exactly `environment` ("NAME=value" entries), its
    // output going to `logPath`; measures, then asks it to end (SIGTERM) and waits for it.
    StartFigures run(const QString& program, const QString& workDir, const QStringList& environment,
                     const QString& logPath);

private:
    bool belongsTo(unsigned window, int pid);
    void waitUntilQuiet(int pid, StartFigures& figures);
    static void stop(int pid);

    xcb_connection_t* m_connection = nullptr;
    unsigned m_root = 0;
    unsigned m_pidAtom = 0;
};
