#pragma once

#include <QLockFile>
#include <QObject>
#include <QVariantMap>

namespace wareloom {

// One window per data directory: two windows on one store would each write
// their own stale copy over the other's changes. The first start holds a lock
// file in the directory and answers org.freedesktop.Application.Activate on
// the session bus; a second start asks it to show its window instead.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    enum class Claim {
        First,  // this start owns the directory
        Raised, // the window of the one that does was asked to show itself
        Busy,   // another start owns it and could not be reached
    };

    explicit SingleInstance(QString dataDirectory, QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim();

public Q_SLOTS:
    // The name the freedesktop interface gives it.
    Q_SCRIPTABLE void
    Activate(const QVariantMap& platformData); // NOLINT(readability-identifier-naming)

Q_SIGNALS:
    void activationRequested();

private:
    QString serviceName() const;
    bool askOwnerToActivate() const;

    QString m_dataDirectory;
    QLockFile m_lock;
    bool m_registered = false;
};

} // namespace wareloom
