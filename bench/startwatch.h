#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

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
    unsigned window = 0; // the first top-level window
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

    // What a batch does with the started program once it is quiet, before it is asked to end.
    using Session = std::function<void(int pid, const StartFigures& started)>;

    // Runs `program` in `workDir` with exactly `environment` ("NAME=value" entries), its
    // output going to `logPath`; measures, runs `session`, then asks it to end (SIGTERM)
    // and waits for it.
    StartFigures run(const QString& program, const QString& workDir, const QStringList& environment,
                     const QString& logPath, const Session& session = {});

    // Waits until the program has used no CPU for a while; fills in its CPU time and PSS.
    static void waitUntilQuiet(int pid, StartFigures& figures);
    // The run time of the program's live threads, finer than the clock ticks of its CPU time.
    static double threadsCpuMs(int pid);

private:
    bool belongsTo(unsigned window, int pid);
    static void stop(int pid);

    xcb_connection_t* m_connection = nullptr;
    unsigned m_root = 0;
    unsigned m_pidAtom = 0;
};
