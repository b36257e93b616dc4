#pragma once
#include <QFile>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace wareloom::test {
// A FIFO where a file should be: a reader that opens it would wait for ever.
// After three seconds the trap plays the writer (one can open only while a
// reader waits), so the test goes on and caughtReader() tells of the hang.
class TrapFifo
{
public:
    explicit TrapFifo(const QString& path)
        : m_path(QFile::encodeName(path).toStdString()), m_ok(::mkfifo(m_path.c_str(), 0644) == 0),
          m_watch([this](std::stop_token stop) {
              for (int tick = 0; m_ok && !stop.stop_requested(); ++tick) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
                  const int fd = tick < 150 ? -1 : ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0)
                      m_caught = true, ::close(fd);
              }
          })
    {}
    ~TrapFifo()
    {
        if (m_ok)
            ::unlink(m_path.c_str());
    }
    bool ok() const { return m_ok; }
    bool caughtReader() const { return m_caught; }

private:
    std::string m_path;
    bool m_ok;
    std::atomic<bool> m_caught = false;
    std::jthread m_watch; // last: made after, and stopped before, what it uses
};
} // namespace wareloom::test
