#pragma once

#include <QString>

namespace wareloom {

// Outcome of an operation below the windows: success, or failure with a
// sentence the window above can show to the user.
class [[nodiscard]] Status
{
public:
    static Status success() { return Status(); }
    static Status failure(QString message) { return Status(std::move(message), false); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& message() const { return m_message; }

private:
    Status() = default;
    Status(QString message, bool ok) : m_message(std::move(message)), m_ok(ok) {}

    QString m_message;
    bool m_ok = true;
};

} // namespace wareloom
