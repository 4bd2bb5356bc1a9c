#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A small HTTP server on 127.0.0.1 for browser tests: serves the pages it is given, records
// every request with its User-Agent and can hold back the answer for chosen paths.
class LocalWebServer : public QObject
{
    Q_OBJECT

public:
    struct Request {
        QString path;  // without the query
        QString query; // as sent, still percent-encoded
        QByteArray userAgent;
    };

    LocalWebServer();
    bool listen();
    QUrl url(const QString& path) const;

    void setPage(const QString& path, const QByteArray& contentType, const QByteArray& body);
    // Requests for `path` get no answer until release(path).
    void hold(const QString& path) { m_held.insert(path); }
    void release(const QString& path);
    bool received(const QString& path) const;

    QList<Request> requests;

private:
    struct Page {
        QByteArray contentType;
        QByteArray body;
    };
    void readRequests(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);

    QTcpServer m_server;
    QHash<QString, Page> m_pages;
    QSet<QString> m_held;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QList<QPair<QPointer<QTcpSocket>, QString>> m_waiting;
};
