#pragma once

// A full disk for as long as the object lives: no file of this process may
// grow past the given size. A write that would go beyond it fails (EFBIG) or
// comes back short, as a write to a full file system does. Works for root and
// for ordinary users alike, with no mount and no special file system.

#include <csignal>
#include <sys/resource.h>

namespace wareloom::test {

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        // The kernel would end the process with SIGXFSZ instead of failing the write.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_ok = getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        if (m_ok) {
            rlimit limited = m_old;
            limited.rlim_cur = bytes;
            m_ok = setrlimit(RLIMIT_FSIZE, &limited) == 0;
        }
    }
    ~FileSizeLimit()
    {
        if (m_ok)
            setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_ok = false;
};

} // namespace wareloom::test
