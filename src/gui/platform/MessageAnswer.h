#pragma once

namespace wareloom {

// The button a message box was answered with.
enum class MessageAnswer { Ok, Yes, No };

} // namespace wareloom
