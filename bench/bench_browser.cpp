// What the built-in browser costs at start-up. The real program is started from a
// temporary application directory with the offscreen platform and a preloaded probe that
// reports the first paint of the main window with the CPU time used so far. Paired starts
// in alternating order compare:
//  - the program with the browser plugin installed against the same program without it;
//  - for reference, the program with the plugin (hence QtWebKit) loaded at start, as if the
//    browser classes were linked in, against the program without it.
#include "benchtable.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

enum class Variant { WithoutPlugin, WithPlugin, WebKitLoaded };

struct Start {
    double wallMs = 1e9;
    double cpuMs = 1e9;
    int objects = 0;
};

class StartBench
{
public:
    StartBench()
    {
        const bool ok = m_root.isValid() && install("without", false) && install("with", true) &&
                        install("loaded", true) && QDir().mkpath(m_root.filePath("home")) &&
                        QDir().mkpath(m_root.filePath("run")) &&
                        QFile(m_root.filePath("run"))
                            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner);
        if (!ok)
            qWarning("start-up bench: cannot set up %s", qPrintable(m_root.path()));
        // The first start creates the data directories, the database and config.ini.
        for (Variant v : {Variant::WithoutPlugin, Variant::WithPlugin, Variant::WebKitLoaded})
            start(v);
    }

    Start start(Variant v)
    {
        const QString dir = m_root.filePath(name(v));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        // No display: the program can reach nothing of the desktop it runs on.
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        // Whatever the program and Qt write stays in the benchmark's directory.
        env.insert("XDG_RUNTIME_DIR", m_root.filePath("run"));
        env.insert("HOME", m_root.filePath("home"));
        env.insert("XDG_CONFIG_HOME", m_root.filePath("home/config"));
        env.insert("XDG_CACHE_HOME", m_root.filePath("home/cache"));
        env.insert("XDG_DATA_HOME", m_root.filePath("home/data"));
        QString preload = LORVANE_STARTPROBE_PATH;
        if (v == Variant::WebKitLoaded)
            preload += ":" + plugin(name(v));
        env.insert("LD_PRELOAD", preload);

        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir);
        QElapsedTimer t;
        t.start();
        p.start(dir + "/lorvane", QStringList());
        QByteArray out;
        while (!out.contains('\n') && p.waitForReadyRead(20000))
            out += p.readAllStandardOutput();
        Start s;
        s.wallMs = t.nsecsElapsed() / 1e6;
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished(5000);
        }
        const QList<QByteArray> fields = out.trimmed().split(' ');
        if (fields.size() != 3 || fields.at(0) != "shown") {
            qWarning("start-up bench: %s did not show its window", qPrintable(name(v)));
            return Start();
        }
        s.objects = fields.at(1).toInt();
        s.cpuMs = fields.at(2).toDouble();
        m_objects[int(v)] = s.objects;
        return s;
    }

    // One pair in alternating order, so that warm caches favour neither side.
    Start difference(Variant v)
    {
        Start a, b;
        if (m_turn++ % 2) {
            a = start(v);
            b = start(Variant::WithoutPlugin);
        } else {
            b = start(Variant::WithoutPlugin);
            a = start(v);
        }
        Start d;
        d.wallMs = a.wallMs - b.wallMs;
        d.cpuMs = a.cpuMs - b.cpuMs;
        return d;
    }

    void reportObjects() const
    {
        std::fprintf(stderr,
                     "shared objects mapped at the first paint: no plugin %d, plugin installed "
                     "%d, QtWebKit loaded at start %d\n",
                     m_objects[0], m_objects[1], m_objects[2]);
    }

private:
    static QString name(Variant v)
    {
        static const char* names[] = {"without", "with", "loaded"};
        return names[int(v)];
    }
    QString plugin(const QString& dirName) const
    {
        return m_root.filePath(dirName) + "/plugins/" +
               QFileInfo(LORVANE_BROWSER_PLUGIN_PATH).fileName();
    }
    bool install(const QString& dirName, bool withPlugin)
    {
        const QString dir = m_root.filePath(dirName);
        bool done = QDir().mkpath(dir) && QFile::copy(LORVANE_EXECUTABLE_PATH, dir + "/lorvane");
        if (withPlugin)
            done = done && QDir().mkpath(dir + "/plugins") &&
                   QFile::copy(LORVANE_BROWSER_PLUGIN_PATH, plugin(dirName));
        return done;
    }

    QTemporaryDir m_root;
    int m_turn = 0;
    int m_objects[3] = {0, 0, 0};
};

StartBench& bench()
{
    static std::unique_ptr<StartBench> b;
    if (!b)
        b = std::make_unique<StartBench>();
    return *b;
}

BenchCase startCase(const QString& name, const QString& size, double budget,
                    std::function<double()> measure)
{
    BenchCase c{name, size, 21, budget, {}};
    c.measure = std::move(measure);
    return c;
}

BenchRegistrar browser([] {
    const QString wall = "wall, paired difference";
    const QString cpu = "CPU, paired difference";
    std::vector<BenchCase> cases;
    cases.push_back(startCase("start-up to painted window (real program)", "wall, plugin installed",
                              1000, [] { return bench().start(Variant::WithPlugin).wallMs; }));
    cases.push_back(startCase("start-up: browser plugin - no browser", wall, 10,
                              [] { return bench().difference(Variant::WithPlugin).wallMs; }));
    cases.push_back(startCase("start-up: browser plugin - no browser", cpu, 10,
                              [] { return bench().difference(Variant::WithPlugin).cpuMs; }));
    // Reference rows, not budgets: they show the measurement sees the web engine when it is
    // loaded at start.
    cases.push_back(startCase("start-up reference: QtWebKit - no browser", wall, 1000,
                              [] { return bench().difference(Variant::WebKitLoaded).wallMs; }));
    cases.push_back(startCase("start-up reference: QtWebKit - no browser", cpu, 1000, [] {
        static int runs = 0;
        const double ms = bench().difference(Variant::WebKitLoaded).cpuMs;
        if (++runs == 21)
            bench().reportObjects();
        return ms;
    }));
    return cases;
});

} // namespace
