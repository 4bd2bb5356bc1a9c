#pragma once

#include <QByteArray>

#include <sys/types.h>

// An X server (Xvfb) of the test's own, started before the application object exists and
// made the DISPLAY of the process and its children. Global grabs and desktop-wide key
// recording would otherwise meet the other tests sharing one display.
class PrivateXServer
{
public:
    PrivateXServer();
    ~PrivateXServer();
    bool isRunning() const { return m_pid > 0 && !m_display.isEmpty(); }
    QByteArray display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QByteArray m_display;
    QByteArray m_previousDisplay;
};
