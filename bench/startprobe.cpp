// Preloaded into the real program by the start-up benchmark: when the main window gets its
// first paint it prints "shown <loaded shared objects> <CPU ms used so far>" and ends the
// process at once, so the benchmark can time a start from exec to a painted window.
#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <ctime>
#include <link.h>
#include <unistd.h>

namespace {

double cpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int loadedObjects()
{
    int count = 0;
    dl_iterate_phdr(
        [](dl_phdr_info*, size_t, void* data) {
            ++*static_cast<int*>(data);
            return 0;
        },
        &count);
    return count;
}

class ShownProbe : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->inherits("MainWindow")) {
            std::printf("shown %d %.3f\n", loadedObjects(), cpuMilliseconds());
            std::fflush(stdout);
            _exit(0);
        }
        return false;
    }
};

void installProbe() { QCoreApplication::instance()->installEventFilter(new ShownProbe); }

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
