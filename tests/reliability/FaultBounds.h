#pragma once

// The FTP time-out the fault tests run with, and how long an operation may
// take before it counts as hanging: every fault here must end in a few
// multiples of the time-out, never in the half minute of the real ones.

#include <QByteArray>

namespace wareloom::test {

inline constexpr int FaultFtpTimeoutSeconds = 1;
inline constexpr qint64 HangBoundMs = 15000;

inline void useShortFtpTimeouts()
{
    qputenv("WARELOOM_FTP_TIMEOUT", QByteArray::number(FaultFtpTimeoutSeconds));
}

} // namespace wareloom::test
