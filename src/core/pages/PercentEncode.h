#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace wareloom {

// The link target of a category on the main page: the 8-bit category name
// with line breaks, space and ! # $ % & ' ( ) * + , / : ; = ? @ written as "%XX"
// (upper-case hex); every other byte, 0x80 and up included, is kept as it is.
QByteArray percentEncode(QByteArrayView text);

} // namespace wareloom
