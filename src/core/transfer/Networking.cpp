#include "core/transfer/Networking.h"

#include <curl/curl.h>

namespace wareloom {

bool startNetworking()
{
    return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

} // namespace wareloom
