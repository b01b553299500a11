#include "support/http_test_server.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

HttpTestServer::HttpTestServer(QObject *parent) : QObject(parent)
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = m_server.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { serve(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

QString HttpTestServer::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }

void HttpTestServer::serve(QTcpSocket *socket)
{
    // A request may come in pieces: keep them on the socket until the headers end.
    const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    const bool whole = request.contains("\r\n\r\n");
    socket->setProperty("request", whole ? QByteArray() : request);
    if (!whole) return;
    ++m_requests;
    const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = first.size() > 1 ? QString::fromUtf8(first[1]) : QString();
    if (m_silent) return;
    const auto it = m_answers.constFind(path);
    const Answer a = it != m_answers.constEnd() ? *it : Answer{404, "yok", Mode::Normal};
    if (a.mode == Mode::Silent) return;
    if (a.mode == Mode::Trickle) {
        socket->write("HTTP/1.1 " + QByteArray::number(a.status) + " X\r\nContent-Length: " +
                      QByteArray::number(a.body.size()) + "\r\nConnection: close\r\n\r\n");
        auto *timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        QPointer<QTcpSocket> guard(socket);
        connect(timer, &QTimer::timeout, socket, [guard, timer, sent, body = a.body] {
            if (!guard || guard->state() != QAbstractSocket::ConnectedState || *sent >= body.size()) {
                timer->stop();
                if (guard) guard->disconnectFromHost();
                return;
            }
            guard->write(body.mid((*sent)++, 1));
            guard->flush();
        });
        timer->start(50);
        return;
    }
    if (a.mode == Mode::NoLength) {
        socket->write("HTTP/1.1 " + QByteArray::number(a.status) + " X\r\nConnection: close\r\n\r\n" + a.body);
        socket->flush();
        socket->disconnectFromHost();
        return;
    }
    const QByteArray sent = a.mode == Mode::Short ? a.body.left(a.body.size() / 2) : a.body;
    socket->write("HTTP/1.1 " + QByteArray::number(a.status) + " X\r\nContent-Length: " +
                  QByteArray::number(a.body.size()) + "\r\nConnection: close\r\n\r\n" + sent);
    socket->flush();
    socket->disconnectFromHost();
}
