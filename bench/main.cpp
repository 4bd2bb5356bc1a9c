// Runs every registered benchmark case and prints: case, size, runs, median ms, budget,
// verdict. An optional argument selects the cases whose name contains it.
#include "benchtable.h"

#include "app/messages.h"
#include "resources/resources.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Resources::init();
    Messages::setPresenter([](const QString& text, int) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return 0;
    });
    qSetMessagePattern(QStringLiteral("%{if-warning}%{message}%{endif}"));
    const QString filter = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    std::printf("%-44s %-26s %5s %12s %10s  %s\n", "case", "size", "runs", "median ms", "budget",
                "verdict");
    bool allPass = true;
    for (BenchCase& c : benchCases()) {
        if (!filter.isEmpty() && !c.name.contains(filter))
            continue;
        std::vector<double> times;
        for (int i = 0; i < c.runs; ++i) {
            if (c.prepare)
                c.prepare();
            if (c.measure) {
                times.push_back(c.measure());
                continue;
            }
            QElapsedTimer t;
            t.start();
            c.run();
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        const double m = median(times);
        const bool pass = m < c.budgetMs;
        allPass = allPass && pass;
        std::printf("%-44s %-26s %5d %12.3f %10.1f  %s\n", qPrintable(c.name), qPrintable(c.size),
                    c.runs, m, c.budgetMs, pass ? "ok" : "OVER");
        std::fflush(stdout);
    }
    return allPass ? 0 : 1;
}
