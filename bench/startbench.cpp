// Start-up as a user meets it: the real program, exec to its first mapped window, on an X
// server (Xvfb) and a session bus of the batch's own, then its memory and CPU once quiet.
// A bare QMainWindow + QTextEdit program runs in the same batch as the floor of the
// toolkit, and the program's own form with its style sheet as the floor of this window. Three
// situations: the first start in a fresh application directory, a second start with the starter
// library and a second start with 10,000 chapters. Each program and situation gets one warm-up,
// then 5 measured runs; the runs interleave in rotating order so that the machine's noise and warm
// caches favour no one. Prints medians and the verdicts. An optional argument names another build's
// application directory to run beside.
#include "privatexserver.h"
#include "startinstall.h"
#include "startwatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kLargeChapters = 10000;
constexpr double kWindowFactor = 1.2;
constexpr double kPssBudgetMb = 30;
constexpr double kCpuBudgetMs = 200;

enum Situation { FirstStart, StarterLibrary, LargeLibrary, SituationCount };
const char* const kSituationNames[] = {"first start", "second start, starter library",
                                       "second start, 10,000 chapters"};

struct Program {
    const char* name;
    QString executable;
    bool isLorvane;
    QStringList environment;
};

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

class Batch
{
public:
    Batch(const QTemporaryDir& root, StartWatch& watch, const QByteArray& display,
          const QString& busAddress)
        : m_root(root.path()), m_watch(watch),
          m_environment(StartInstall::environment(m_root, display, busAddress))
    {}

    // The directory a program starts from in a situation; a first start gets a new one.
    QString prepare(const Program& p, int index, Situation s, bool* ok)
    {
        static int fresh = 0;
        const QString dir = s == FirstStart
                                ? QStringLiteral("%1/first-%2").arg(m_root).arg(++fresh)
                                : QStringLiteral("%1/s%2-p%3").arg(m_root).arg(int(s)).arg(index);
        *ok = true;
        if (s == FirstStart || !QDir(dir).exists()) {
            *ok = !StartInstall::install(p.executable, dir, p.isLorvane).isEmpty();
            // A second start needs a first one; the large library is added after it.
            if (*ok && s != FirstStart && p.isLorvane)
                *ok = start(p, dir).ok &&
                      (s != LargeLibrary || StartInstall::addLargeBook(dir, kLargeChapters));
        }
        return dir;
    }

    StartFigures start(const Program& p, const QString& dir)
    {
        const QString program = dir + "/" + QFileInfo(p.executable).fileName();
        StartFigures f =
            m_watch.run(program, dir, m_environment + p.environment, dir + "/output.log");
        if (!f.ok)
            std::fprintf(stderr, "%s in %s: %s\n", p.name, qPrintable(dir), qPrintable(f.failure));
        return f;
    }

private:
    QString m_root;
    StartWatch& m_watch;
    QStringList m_environment;
};

struct Row {
    std::vector<double> window, cpuToWindow, pss, cpu;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root(QStringLiteral(LORVANE_BENCH_WORK_DIR "/startbench-XXXXXX"));
    PrivateXServer x;
    if (!root.isValid() || !x.isRunning()) {
        std::fprintf(stderr, "start-up batch: no temporary directory or no Xvfb\n");
        return 1;
    }
    QProcess bus;
    const QString busAddress = StartInstall::startSessionBus(bus, root.path());
    if (busAddress.isEmpty())
        std::fprintf(stderr, "start-up batch: no dbus-daemon, running without a session bus\n");

    StartWatch watch(qgetenv("DISPLAY"));
    if (!watch.isConnected()) {
        std::fprintf(stderr, "start-up batch: cannot watch the X server\n");
        return 1;
    }
    const QString lorvane = QStringLiteral(LORVANE_APP_DIR "/lorvane");
    const QString bare = QStringLiteral(LORVANE_BARE_PATH);
    std::vector<Program> programs = {
        {"bare QMainWindow + QTextEdit", bare, false, {}},
        {"bare, QT_XCB_GL_INTEGRATION=none", bare, false, {"QT_XCB_GL_INTEGRATION=none"}},
        {"Lorvane", lorvane, true, {}},
        {"Lorvane's form and style sheet alone", QStringLiteral(LORVANE_FORM_PATH), false, {}},
        {"Lorvane, QT_XCB_GL_INTEGRATION=xcb_glx",
         lorvane,
         true,
         {"QT_XCB_GL_INTEGRATION=xcb_glx"}},
    };
    // Another build's application directory, to see what a change gained.
    if (argc > 1)
        programs.push_back(
            {"Lorvane, the other build", QString::fromLocal8Bit(argv[1]) + "/lorvane", true, {}});
    Batch batch(root, watch, qgetenv("DISPLAY"), busAddress);
    std::map<std::pair<int, int>, Row> rows;
    bool failed = false;
    for (int round = 0; round <= kRuns; ++round) {
        for (int s = 0; s < SituationCount; ++s) {
            for (size_t i = 0; i < programs.size(); ++i) {
                const size_t index = (i + round) % programs.size();
                const Program& p = programs[index];
                bool ok = false;
                const QString dir = batch.prepare(p, int(index), Situation(s), &ok);
                const StartFigures f = ok ? batch.start(p, dir) : StartFigures();
                failed = failed || !f.ok;
                // Round 0 is the warm-up.
                if (round == 0 || !f.ok)
                    continue;
                Row& row = rows[{s, int(index)}];
                row.window.push_back(f.firstWindowMs);
                row.cpuToWindow.push_back(f.cpuToWindowMs);
                row.pss.push_back(f.pssMb);
                row.cpu.push_back(f.cpuMs);
            }
        }
    }

    std::printf("%-31s %-38s %16s %13s %8s %14s\n", "situation", "program", "first window ms",
                "CPU to window", "PSS MB", "CPU until quiet");
    for (int s = 0; s < SituationCount; ++s) {
        for (size_t i = 0; i < programs.size(); ++i) {
            const Row& r = rows[{s, int(i)}];
            const auto range = std::minmax_element(r.window.begin(), r.window.end());
            std::printf("%-31s %-38s %7.1f (%3.0f-%3.0f) %13.1f %8.1f %14.0f\n", kSituationNames[s],
                        programs[i].name, median(r.window), r.window.empty() ? 0.0 : *range.first,
                        r.window.empty() ? 0.0 : *range.second, median(r.cpuToWindow),
                        median(r.pss), median(r.cpu));
        }
    }
    bool pass = !failed;
    for (int s = 0; s < SituationCount; ++s) {
        const double reference = median(rows[{s, 1}].window);
        const Row& r = rows[{s, 2}];
        const bool window = median(r.window) <= kWindowFactor * reference;
        const bool pss = median(r.pss) < kPssBudgetMb;
        const bool cpu = median(r.cpu) < kCpuBudgetMs;
        // The starter library's second start is shown for comparison; the budgets name the
        // first start and the large library.
        if (s != StarterLibrary)
            pass = pass && window && pss && cpu;
        std::printf("%-31s first window %.1f / %.1f ms = %.2fx bare without GL (budget %.1fx) "
                    "%s; PSS %.1f MB (< %.0f) %s; CPU %.0f ms (< %.0f) %s\n",
                    kSituationNames[s], median(r.window), reference, median(r.window) / reference,
                    kWindowFactor, window ? "ok" : "OVER", median(r.pss), kPssBudgetMb,
                    pss ? "ok" : "OVER", median(r.cpu), kCpuBudgetMs, cpu ? "ok" : "OVER");
    }
    bus.terminate();
    bus.waitForFinished(5000);
    return pass ? 0 : 1;
}
