#include "privatexserver.h"

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

PrivateXServer::PrivateXServer() : m_previousDisplay(qgetenv("DISPLAY"))
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    m_pid = fork();
    if (m_pid == 0) {
        close(fds[0]);
        // Xvfb picks a free display number and writes it to the pipe once it accepts clients.
        const QByteArray fd = QByteArray::number(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (m_pid < 0) {
        close(fds[0]);
        return;
    }
    QByteArray number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number.append(c);
    close(fds[0]);
    if (number.isEmpty())
        return;
    m_display = ":" + number;
    qputenv("DISPLAY", m_display);
}

PrivateXServer::~PrivateXServer()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_previousDisplay.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", m_previousDisplay);
}
