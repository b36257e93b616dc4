#include "core/pages/PercentEncode.h"

namespace wareloom {
namespace {

// The bytes a link target may not hold as they are; "#" would end the file
// name and start a fragment.
constexpr QByteArrayView EscapedBytes("\n\r !#$%&'()*+,/:;=?@");

} // namespace

QByteArray percentEncode(QByteArrayView text)
{
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    QByteArray encoded;
    encoded.reserve(text.size() * 3);
    for (const char byte : text) {
        if (EscapedBytes.contains(byte)) {
            const uchar value = uchar(byte);
            encoded.append('%');
            encoded.append(hexDigits[value >> 4]);
            encoded.append(hexDigits[value & 0x0F]);
        } else {
            encoded.append(byte);
        }
    }
    return encoded;
}

} // namespace wareloom
