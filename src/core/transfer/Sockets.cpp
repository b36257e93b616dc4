#include "core/transfer/Sockets.h"

#include <curl/curl.h>

namespace wareloom {

bool startSockets()
{
    return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

} // namespace wareloom
