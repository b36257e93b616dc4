// URLEncode on any bytes: the result holds none of the 19 bytes a link target
// may not hold, every other byte passes unchanged, and undoing the "%XX"
// escapes gives back the input.
#include "core/pages/URLEncode.h"

#include <cstdint>
#include <cstdlib>

using namespace wareloom;

namespace {

constexpr QByteArrayView Escaped("\n\r !$%&'()*+,/:;=?@");
static_assert(Escaped.size() == 19);

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1; // lower case is not what the encoder writes
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray encoded = URLEncode(input);

    QByteArray decoded;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char byte = encoded[i];
        if (byte == '%') {
            if (i + 2 >= encoded.size())
                abort(); // an escape cut short
            const int high = hexValue(encoded[i + 1]);
            const int low = hexValue(encoded[i + 2]);
            if (high < 0 || low < 0)
                abort();
            const char original = char(high * 16 + low);
            if (!Escaped.contains(original))
                abort(); // escaped without need
            decoded.append(original);
            i += 2;
        } else if (Escaped.contains(byte)) {
            abort();
        } else {
            decoded.append(byte);
        }
    }
    if (decoded != input)
        abort();
    return 0;
}
