#pragma once

// A FIFO where a file should be. A program that opens it for reading waits
// for a writer that never comes; after a grace time the trap plays that
// writer, so the test goes on and can tell that the program would have hung.

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wareloom::test {

class TrapFifo
{
public:
    explicit TrapFifo(const QString& path, std::chrono::milliseconds grace = std::chrono::seconds(3))
        : m_path(QFile::encodeName(path))
    {
        m_ok = ::mkfifo(m_path.constData(), 0644) == 0;
        if (m_ok)
            m_watch = std::thread([this, grace] { watch(grace); });
    }
    ~TrapFifo()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        if (m_watch.joinable())
            m_watch.join();
        if (m_ok)
            ::unlink(m_path.constData());
    }
    TrapFifo(const TrapFifo&) = delete;
    TrapFifo& operator=(const TrapFifo&) = delete;

    bool ok() const { return m_ok; }
    // True when a reader had to be let go: the program waited on the FIFO.
    bool caughtReader() const { return m_caught; }

private:
    void watch(std::chrono::milliseconds grace)
    {
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, grace, [this] { return m_stop; }))
            return;
        while (!m_stop) {
            // Succeeds only while someone waits to read.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_caught = true;
                ::close(fd);
            }
            m_wake.wait_for(lock, std::chrono::milliseconds(20), [this] { return m_stop; });
        }
    }

    QByteArray m_path;
    bool m_ok = false;
    std::atomic<bool> m_caught = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_watch;
};

} // namespace wareloom::test
