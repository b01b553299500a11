#pragma once
#include <QString>
#include <stdexcept>

// An error met by the database engine (or by the adapter on its behalf). It carries
// the engine's own message; the action that met it stops and the message reaches
// the user through the application's error display.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
