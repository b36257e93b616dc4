#pragma once

namespace wareloom {

// Starts the network library once, at program start, before any FTP
// connection is opened. False when it cannot be started.
bool startNetworking();

} // namespace wareloom
