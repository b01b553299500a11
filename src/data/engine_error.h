#pragma once
#include <QString>
#include <stdexcept>

// An error met by the database engine (or by the adapter on its behalf). It carries
// the message the user sees: for the engine's own failures a Turkish text naming
// the database file and what to do, with the engine's text after it for support
// (see file_errors.h). The action that met it stops and the message reaches the
// user through the application's error display.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString &message, int code = 0, const QString &file = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code), m_file(file) {}
    const QString &message() const { return m_message; }
    // The engine's primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...); 0 when
    // the adapter raised the error itself.
    int code() const { return m_code; }
    // The database file the error names, when one is known.
    const QString &file() const { return m_file; }

private:
    QString m_message;
    int m_code = 0;
    QString m_file;
};
