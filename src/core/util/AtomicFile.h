#pragma once

#include "core/util/Status.h"

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace wareloom {

// Replaces the file at path with contents, or leaves it as it was. With
// permissions given, the new file gets them before any byte is written.
// The failure names the file and the reason.
Status replaceFile(const QString& path, QByteArrayView contents,
                   QFileDevice::Permissions permissions = {});

// Copies the file at source byte for byte to target. The copy is written
// under a temporary name and replaces target only when complete, so a failed
// copy leaves any earlier target whole, and copying a file onto itself keeps
// it. The failure names the file and the reason.
Status copyFileAtomically(const QString& source, const QString& target);

} // namespace wareloom
