#pragma once

#include <QFile>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wareloom::test {

// A FIFO where a file should be. A reader that opens it would wait for ever
// for a writer; after the grace time the trap plays that writer, so the test
// goes on and caughtReader() tells that the program would have hung.
class TrapFifo
{
public:
    explicit TrapFifo(const QString& path,
                      std::chrono::milliseconds grace = std::chrono::seconds(3))
        : m_path(QFile::encodeName(path)), m_ok(::mkfifo(m_path.constData(), 0644) == 0)
    {
        if (m_ok)
            m_watch = std::jthread([this, grace](std::stop_token stop) { watch(stop, grace); });
    }
    ~TrapFifo()
    {
        m_watch.request_stop();
        m_watch = {};
        if (m_ok)
            ::unlink(m_path.constData());
    }
    TrapFifo(const TrapFifo&) = delete;
    TrapFifo& operator=(const TrapFifo&) = delete;

    bool ok() const { return m_ok; }
    bool caughtReader() const { return m_caught; }

private:
    void watch(std::stop_token stop, std::chrono::milliseconds grace)
    {
        const auto armed = std::chrono::steady_clock::now() + grace;
        for (; !stop.stop_requested(); std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
            // Opens only while someone waits to read.
            const int fd = std::chrono::steady_clock::now() < armed
                               ? -1
                               : ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_caught = true;
                ::close(fd);
            }
        }
    }

    QByteArray m_path;
    bool m_ok;
    std::atomic<bool> m_caught = false;
    std::jthread m_watch;
};

} // namespace wareloom::test
