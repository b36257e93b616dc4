#pragma once

#include "core/util/Status.h"

#include <QByteArray>
#include <QString>

// The per-user registration of the automation server: the D-Bus activation
// file, which lets a client start the program by calling its bus name, and the
// interface description beside it, both under $XDG_DATA_HOME/dbus-1/.
namespace wareloom::automation {

QString activationFilePath();
QString interfaceDescriptionPath();

// The activation file for the program at programPath (an absolute path).
QByteArray activationFileText(const QString& programPath);

// Writes both files (again); the failure names the file and the reason.
Status registerServer(const QString& programPath);
// Removes both files; files already gone are no failure.
Status unregisterServer();

} // namespace wareloom::automation
