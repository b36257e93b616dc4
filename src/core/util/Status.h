#pragma once

#include <QString>

namespace wareloom {

// Outcome of an operation below the windows: success, or failure with a
// sentence the window above can show to the user. A failure may say that
// what it needed is not there at all (missing), which some callers take as
// empty; every other failure they show.
class [[nodiscard]] Status
{
public:
    static Status success() { return Status(); }
    static Status failure(QString message) { return Status(std::move(message), Kind::Failed); }
    static Status missing(QString message) { return Status(std::move(message), Kind::Missing); }

    bool ok() const { return m_kind == Kind::Ok; }
    explicit operator bool() const { return ok(); }
    bool isMissing() const { return m_kind == Kind::Missing; }
    const QString& message() const { return m_message; }

private:
    enum class Kind { Ok, Missing, Failed };

    Status() = default;
    Status(QString message, Kind kind) : m_message(std::move(message)), m_kind(kind) {}

    QString m_message;
    Kind m_kind = Kind::Ok;
};

} // namespace wareloom
