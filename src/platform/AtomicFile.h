#pragma once

#include "platform/Status.h"

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace wareloom {

// Replaces the file at path with contents, or leaves it as it was. With
// permissions given, the new file gets them before any byte is written.
// The failure names the file and the reason.
Status replaceFile(const QString& path, QByteArrayView contents,
                   QFileDevice::Permissions permissions = {});

} // namespace wareloom
