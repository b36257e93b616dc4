#include "platform/ApplicationTitle.h"

namespace wareloom {

QString applicationTitle()
{
    return QStringLiteral("Wareloom");
}

} // namespace wareloom
