#pragma once

#include "core/util/Status.h"

#include <QString>

#include <chrono>
#include <functional>

namespace wareloom {

// Keeps page runs on one data directory apart: two runs writing and uploading
// the same pages at once would send each other's half-made files. Held from
// acquire() until destroyed; the system lets it go when the process ends,
// however it ends.
class RunLock
{
public:
    explicit RunLock(const QString& directory);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    enum class Result { Held, Busy, Failed };

    // Waits up to wait for the run holding the lock to end (or until
    // stopWaiting() says so). Busy and Failed come with message().
    Result acquire(std::chrono::milliseconds wait = std::chrono::seconds(30),
                   const std::function<bool()>& stopWaiting = {});
    const QString& message() const { return m_message; }

private:
    QString m_path;
    QString m_message;
    int m_fd = -1;
};

} // namespace wareloom
