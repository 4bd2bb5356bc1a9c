#include "privatexserver.h"

PrivateXServer::PrivateXServer()
{
    // Xvfb picks a free display number and writes it to standard output once it accepts
    // clients.
    m_xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!m_xvfb.waitForReadyRead(20000))
        return;
    const QByteArray number = m_xvfb.readLine().trimmed();
    if (number.isEmpty())
        return;
    m_display = ":" + number;
    qputenv("DISPLAY", m_display);
}

PrivateXServer::~PrivateXServer()
{
    m_xvfb.terminate();
    m_xvfb.waitForFinished(5000);
    if (m_previousDisplay.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", m_previousDisplay);
}
