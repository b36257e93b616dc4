#include "core/util/ApplicationTitle.h"

namespace wareloom {

QString applicationTitle()
{
    return QStringLiteral("Wareloom");
}

} // namespace wareloom
