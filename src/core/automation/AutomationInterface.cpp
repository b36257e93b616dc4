#include "core/automation/AutomationInterface.h"

namespace wareloom::automation {

QByteArray interfaceDescription()
{
    return QByteArrayLiteral(
        "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n"
        "<node>\n" WARELOOM_IWARELOOM_INTROSPECTION "</node>\n");
}

} // namespace wareloom::automation
