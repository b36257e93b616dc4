#pragma once

#include <QString>

namespace wareloom {

// "Wareloom 1.0.0.1": what --version prints.
QString versionText();

// The switches and environment variables, as --help prints them.
QString usageText();

} // namespace wareloom
