#pragma once

#include <QByteArray>

// The automation object on the session bus: its bus name, its path and its
// one interface, which has no methods, properties or signals.
namespace wareloom::automation {

inline constexpr char ServiceName[] = "Wareloom.Application";
inline constexpr char ObjectPath[] = "/Wareloom/Application";
inline constexpr char InterfaceName[] = "Wareloom.IWareloom";

// The interface as it appears in the object's introspection. A literal, so
// that the object can carry it as its class info.
#define WARELOOM_IWARELOOM_INTROSPECTION                                                           \
    "  <interface name=\"Wareloom.IWareloom\">\n"                                                  \
    "  </interface>\n"

// The interface description file: a whole introspection document.
QByteArray interfaceDescription();

} // namespace wareloom::automation
