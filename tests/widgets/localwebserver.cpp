#include "localwebserver.h"

LocalWebServer::LocalWebServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void LocalWebServer::release()
{
    for (const QPointer<QTcpSocket>& socket : qAsConst(m_waiting))
        if (socket)
            answer(socket, m_held);
    m_waiting.clear();
    m_held.clear();
}

// Every answer closes its connection, so a connection carries one request: it is read once
// its head is complete.
void LocalWebServer::read(QTcpSocket* socket)
{
    const QByteArray head = socket->peek(socket->bytesAvailable());
    if (!head.contains("\r\n\r\n"))
        return;
    socket->readAll();
    const QList<QByteArray> lines = head.left(head.indexOf("\r\n\r\n")).split('\n');
    const QString target = QString::fromLatin1(lines.value(0).split(' ').value(1));
    Request request{target.section('?', 0, 0), target.section('?', 1), {}};
    for (const QByteArray& line : lines)
        if (line.toLower().startsWith("user-agent:"))
            request.userAgent = line.mid(11).trimmed();
    requests.append(request);
    if (request.path == m_held)
        m_waiting.append(socket);
    else
        answer(socket, request.path);
}

void LocalWebServer::answer(QTcpSocket* socket, const QString& path)
{
    const bool found = m_pages.contains(path);
    const auto page = m_pages.value(path, {"not here", "text/plain"});
    socket->write(QByteArray(found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                  "Content-Type: " + page.second +
                  "\r\nContent-Length: " + QByteArray::number(page.first.size()) +
                  "\r\nConnection: close\r\n\r\n" + page.first);
    socket->disconnectFromHost();
}
