#pragma once

#include "core/util/Status.h"

#include <QtGlobal>

#include <optional>
#include <utility>

namespace wareloom {

// Outcome of an operation below the windows that gives something: its value,
// or the failing Status that says why there is none. Status is the form for
// operations that give nothing.
template <class T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    // A failure; never a success, which would be a result with no value.
    Result(Status failure) : m_status(std::move(failure)) { Q_ASSERT(!m_status.ok()); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    // Success, or why there is no value.
    const Status& status() const { return m_status; }

    // Only on a result that is ok().
    T& value() & { return checked(); }
    const T& value() const& { return checked(); }
    T&& value() && { return std::move(checked()); }
    T& operator*() & { return checked(); }
    const T& operator*() const& { return checked(); }
    T* operator->() { return &checked(); }
    const T* operator->() const { return &checked(); }

private:
    T& checked()
    {
        Q_ASSERT(m_value);
        return *m_value;
    }
    const T& checked() const
    {
        Q_ASSERT(m_value);
        return *m_value;
    }

    std::optional<T> m_value;
    Status m_status = Status::success();
};

} // namespace wareloom
