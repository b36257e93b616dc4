#pragma once

#include <QString>

namespace wareloom {

class FtpSettings;

// Longest text a name buffer holds: 199 characters and a terminator.
inline constexpr qsizetype NameBufferLimit = 199;

// The remote-name rule: the upload path followed directly by the file name;
// nothing inserted, escaped or added in front. Empty when the name would not
// fit a name buffer, so that such a transfer fails instead of going out
// under a cut name.
QString remoteName(const QString& uploadPath, const QString& fileName);

// remoteName() with the upload path of the settings.
QString remoteNameInUploadPath(const FtpSettings& settings, const QString& fileName);

} // namespace wareloom
