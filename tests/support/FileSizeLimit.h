#pragma once
#include <csignal>
#include <sys/resource.h>

namespace wareloom::test {
// A full disk for the object's lifetime: no file of this process may grow
// past the limit, so a write fails (EFBIG) or comes back short, for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : m_ok(getrlimit(RLIMIT_FSIZE, &m_old) == 0)
    {
        std::signal(SIGXFSZ, SIG_IGN); // fail the write, not the process
        const rlimit limited{bytes, m_old.rlim_max};
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_ok)
            setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    bool m_ok;
};
} // namespace wareloom::test
