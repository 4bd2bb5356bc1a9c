#include "privatexserver.h"

PrivateXServer::PrivateXServer()
{
    // Xvfb writes the free display number it picked once it accepts clients.
    m_xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    const QByteArray number =
        m_xvfb.waitForReadyRead(20000) ? m_xvfb.readLine().trimmed() : QByteArray();
    if (!number.isEmpty()) {
        m_display = ":" + number;
        qputenv("DISPLAY", m_display);
    }
}

PrivateXServer::~PrivateXServer()
{
    m_xvfb.terminate();
    m_xvfb.waitForFinished(5000);
    m_previousDisplay.isEmpty() ? qunsetenv("DISPLAY") : qputenv("DISPLAY", m_previousDisplay);
}
