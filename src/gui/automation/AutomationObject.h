#pragma once

#include "core/automation/AutomationInterface.h"

#include <QDBusVirtualObject>

namespace wareloom {

// The object /Wareloom/Application with its empty interface. It sees every
// call made on it, the standard interfaces Peer and Introspectable included,
// and tells who called.
class AutomationObject : public QDBusVirtualObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Wareloom.IWareloom")
    Q_CLASSINFO("D-Bus Introspection", WARELOOM_IWARELOOM_INTROSPECTION)

public:
    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

Q_SIGNALS:
    void called(const QString& client);
};

} // namespace wareloom
