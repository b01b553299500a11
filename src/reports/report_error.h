#pragma once
// A layout that cannot be prepared (an unknown dataset, field or expression) or a
// prepared report file that cannot be read. The message is shown to the user as is.
#include <QString>
#include <stdexcept>

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
