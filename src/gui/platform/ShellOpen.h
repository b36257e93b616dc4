#pragma once

#include <QString>

namespace wareloom {

// The desktop's "open" for a text such as a web address: hands the text over
// exactly as given, nothing added and nothing checked, and does not report
// what the desktop makes of it. Tests catch it with
// QDesktopServices::setUrlHandler for the text's scheme ("" for none).
void shellOpen(const QString& text);

} // namespace wareloom
