#pragma once

#include <QHash>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A small HTTP server on 127.0.0.1 for browser tests: serves the pages it is given, records
// every request with its User-Agent and can hold back the answers for one path.
class LocalWebServer : public QObject
{
public:
    struct Request {
        QString path;  // without the query
        QString query; // as sent, still percent-encoded
        QByteArray userAgent;
    };

    LocalWebServer();
    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    QUrl url(const QString& path) const
    {
        return QUrl(QString("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    void setPage(const QString& path, const QByteArray& body,
                 const QByteArray& type = "text/html; charset=utf-8")
    {
        m_pages[path] = {body, type};
    }
    // Requests for `path` get no answer until release().
    void hold(const QString& path) { m_held = path; }
    void release();

    QList<Request> requests;

private:
    void read(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);

    QTcpServer m_server;
    QHash<QString, QPair<QByteArray, QByteArray>> m_pages; // body, content type
    QString m_held;
    QList<QPointer<QTcpSocket>> m_waiting;
};
