#pragma once
// A small HTTP server on 127.0.0.1 for tests: each path answers with a status and
// a body, a body cut short (the length announced but not sent), or nothing at all.
#include <QByteArray>
#include <QHash>
#include <QTcpServer>

class HttpTestServer : public QObject {
    Q_OBJECT
public:
    enum class Mode { Normal, Short, Silent, Trickle, NoLength };
    struct Answer {
        int status = 200;
        QByteArray body;
        Mode mode = Mode::Normal;
    };

    explicit HttpTestServer(QObject *parent = nullptr);
    quint16 port() const { return m_server.serverPort(); }
    QString baseUrl() const;  // "http://127.0.0.1:<port>"
    void setAnswer(const QString &path, const Answer &answer) { m_answers[path] = answer; }
    void setSilent(bool on) { m_silent = on; }  // every request unanswered
    int requests() const { return m_requests; }

private:
    void serve(QTcpSocket *socket);
    QTcpServer m_server;
    QHash<QString, Answer> m_answers;
    bool m_silent = false;
    int m_requests = 0;
};
