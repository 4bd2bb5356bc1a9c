#include "localwebserver.h"

#include <QTcpSocket>

LocalWebServer::LocalWebServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequests(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

bool LocalWebServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost);
}

QUrl LocalWebServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

void LocalWebServer::setPage(const QString& path, const QByteArray& contentType,
                             const QByteArray& body)
{
    m_pages.insert(path, {contentType, body});
}

void LocalWebServer::release(const QString& path)
{
    m_held.remove(path);
    const auto waiting = m_waiting;
    m_waiting.clear();
    for (const auto& w : waiting) {
        if (w.second == path) {
            if (w.first)
                answer(w.first, path);
        }
        else
            m_waiting.append(w);
    }
}

bool LocalWebServer::received(const QString& path) const
{
    for (const Request& r : requests)
        if (r.path == path)
            return true;
    return false;
}

void LocalWebServer::readRequests(QTcpSocket* socket)
{
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    int end;
    while ((end = buffer.indexOf("\r\n\r\n")) >= 0) {
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.remove(0, end + 4);
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        Request request;
        const QString target = QString::fromLatin1(requestLine.value(1));
        request.path = target.section('?', 0, 0);
        request.query = target.section('?', 1);
        for (const QByteArray& line : lines) {
            const int colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().toLower() == "user-agent")
                request.userAgent = line.mid(colon + 1).trimmed();
        }
        requests.append(request);
        if (m_held.contains(request.path))
            m_waiting.append({socket, request.path});
        else
            answer(socket, request.path);
    }
}

void LocalWebServer::answer(QTcpSocket* socket, const QString& path)
{
    const auto page = m_pages.constFind(path);
    const bool found = page != m_pages.constEnd();
    const QByteArray body = found ? page->body : QByteArray("not here");
    QByteArray response = found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n";
    response += "Content-Type: " + (found ? page->contentType : QByteArray("text/plain")) + "\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    response += "Connection: close\r\n\r\n";
    response += body;
    socket->write(response);
    socket->disconnectFromHost();
}
