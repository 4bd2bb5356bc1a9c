#pragma once

#include <QByteArray>
#include <QProcess>

// An X server (Xvfb) of the test's own, started before the application object exists and
// made the DISPLAY of the process and its children. Global grabs and desktop-wide key
// recording would otherwise meet the other tests sharing one display.
class PrivateXServer
{
public:
    PrivateXServer();
    ~PrivateXServer();
    bool isRunning() const { return m_xvfb.state() == QProcess::Running && !m_display.isEmpty(); }

private:
    QProcess m_xvfb;
    QByteArray m_display;
    QByteArray m_previousDisplay = qgetenv("DISPLAY");
};
