#pragma once

class QWidget;

namespace wareloom {

// Load settings for a command given in a window. When the settings file cannot
// be opened, shows "No FTP/HTTP settings!" owned by that window and returns
// false; the command then leaves the web host alone.
bool loadSettingsOrTell(QWidget* owner);

// What every single-transfer FTP command shows when its transfer fails.
inline constexpr char16_t FtpErrorMessage[] = u"FTP Error!";

} // namespace wareloom
