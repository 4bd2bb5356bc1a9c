#include "startwatch.h"

#include <QDir>
#include <QFile>

#include <xcb/xcb.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// A program counts as quiet once it has used no CPU for this long.
constexpr double kQuietMs = 500;
constexpr double kMapTimeoutMs = 30000;
constexpr double kQuietTimeoutMs = 20000;

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

QByteArray readProcFile(const QByteArray& path)
{
    QByteArray data;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return data;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        data.append(buffer, int(n));
    ::close(fd);
    return data;
}

// utime + stime of the whole thread group (threads that ended included), in clock ticks;
// -1 once the process is gone.
long long cpuTicks(int pid)
{
    const QByteArray line = readProcFile("/proc/" + QByteArray::number(pid) + "/stat");
    // The command name may hold blanks and parentheses: fields are counted after its end.
    const int nameEnd = line.lastIndexOf(')');
    if (nameEnd < 0)
        return -1;
    const QList<QByteArray> fields = line.mid(nameEnd + 2).split(' ');
    // fields[0] is field 3 of stat(5) (the state); utime and stime are fields 14 and 15.
    if (fields.size() < 13)
        return -1;
    return fields.at(11).toLongLong() + fields.at(12).toLongLong();
}

double pssKb(int pid)
{
    const QByteArray rollup = readProcFile("/proc/" + QByteArray::number(pid) + "/smaps_rollup");
    for (const QByteArray& line : rollup.split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toDouble();
    }
    return -1;
}

struct Environment {
    std::vector<QByteArray> entries;
    std::vector<char*> pointers;
    explicit Environment(const QStringList& list)
    {
        for (const QString& e : list)
            entries.push_back(e.toLocal8Bit());
        for (QByteArray& e : entries)
            pointers.push_back(e.data());
        pointers.push_back(nullptr);
    }
};

} // namespace

// From schedstat(5): every live thread's run time in ns.
double StartWatch::threadsCpuMs(int pid)
{
    const QString dir = QStringLiteral("/proc/%1/task").arg(pid);
    double ns = 0;
    for (const QString& task : QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray line = readProcFile(QFile::encodeName(dir + "/" + task + "/schedstat"));
        ns += line.split(' ').value(0).toDouble();
    }
    return ns / 1e6;
}

StartWatch::StartWatch(const QByteArray& display)
{
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(display.constData(), &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    m_root = it.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, m_root, XCB_CW_EVENT_MASK, &mask);
    const char name[] = "_NET_WM_PID";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    if (!atom) {
        xcb_disconnect(c);
        return;
    }
    m_pidAtom = atom->atom;
    free(atom);
    m_connection = c;
}

StartWatch::~StartWatch()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool StartWatch::belongsTo(unsigned window, int pid)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    const bool match =
        reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4 &&
        *static_cast<const uint32_t*>(xcb_get_property_value(reply)) == uint32_t(pid);
    free(reply);
    return match;
}

StartFigures StartWatch::run(const QString& program, const QString& workDir,
                             const QStringList& environment, const QString& logPath,
                             const Session& session)
{
    StartFigures figures;
    // Maps left over from an earlier program must not be taken for this one's.
    while (xcb_generic_event_t* stale = xcb_poll_for_event(m_connection))
        free(stale);

    const QByteArray path = program.toLocal8Bit();
    const QByteArray dir = workDir.toLocal8Bit();
    const QByteArray log = logPath.toLocal8Bit();
    Environment env(environment);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addchdir_np(&actions, dir.constData());
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};

    pid_t pid = 0;
    const double start = nowMs();
    const int spawned =
        posix_spawn(&pid, path.constData(), &actions, nullptr, argv, env.pointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        figures.failure =
            QStringLiteral("cannot start: ") + QString::fromLocal8Bit(strerror(spawned));
        return figures;
    }

    const int fd = xcb_get_file_descriptor(m_connection);
    bool mapped = false;
    while (!mapped) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            const double at = nowMs();
            std::unique_ptr<xcb_generic_event_t, decltype(&free)> owned(event, &free);
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect && belongsTo(map->window, pid)) {
                figures.firstWindowMs = at - start;
                figures.cpuToWindowMs = threadsCpuMs(pid);
                figures.window = map->window;
                mapped = true;
                break;
            }
        }
        if (mapped)
            break;
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            figures.failure = QStringLiteral("ended before it showed a window");
            return figures;
        }
        if (nowMs() - start > kMapTimeoutMs || xcb_connection_has_error(m_connection)) {
            figures.failure = QStringLiteral("no window within %1 s").arg(kMapTimeoutMs / 1000);
            stop(pid);
            return figures;
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
    }
    waitUntilQuiet(pid, figures);
    if (figures.ok && session)
        session(pid, figures);
    stop(pid);
    return figures;
}

void StartWatch::waitUntilQuiet(int pid, StartFigures& figures)
{
    const double ticksPerMs = sysconf(_SC_CLK_TCK) / 1000.0;
    long long ticks = cpuTicks(pid);
    double lastUse = nowMs();
    const double deadline = lastUse + kQuietTimeoutMs;
    while (nowMs() - lastUse < kQuietMs) {
        if (nowMs() > deadline) {
            figures.failure = QStringLiteral("still busy after %1 s").arg(kQuietTimeoutMs / 1000);
            return;
        }
        usleep(50 * 1000);
        const long long now = cpuTicks(pid);
        if (now < 0) {
            figures.failure = QStringLiteral("ended while starting");
            return;
        }
        if (now != ticks) {
            ticks = now;
            lastUse = nowMs();
        }
    }
    figures.cpuMs = ticks / ticksPerMs;
    figures.pssMb = pssKb(pid) / 1024.0;
    figures.ok = figures.pssMb > 0;
    if (!figures.ok)
        figures.failure = QStringLiteral("no smaps_rollup");
}

void StartWatch::stop(int pid)
{
    // The program ends as at a logout: the orderly quit, which saves what it has open.
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(50 * 1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}
