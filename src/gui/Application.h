#pragma once

#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QObject>
#include <QStringList>

#include <memory>

namespace wareloom {

class AutomationAdaptor;
struct CommandLineInfo;

// Start-up: the sockets, the automation registration (and the bus name when
// an automation client started the program), then the main window until it
// ends, or until the last automation client leaves a hidden one.
class Application : public QObject
{
    Q_OBJECT

public:
    Application(QStringList arguments, DataDirectory store, QObject* parent = nullptr);
    ~Application() override;

    // Runs the program; returns its exit status: 0, or 1 when a step failed.
    int run();

private:
    bool updateAutomation(const CommandLineInfo& commandLine);
    void reportRegistration(const Status& updated);
    QString programPath() const;
    void runMainWindow();

    QStringList m_arguments;
    DataDirectory m_store;
    std::unique_ptr<AutomationAdaptor> m_automation;
    int m_exitCode = 0;
};

} // namespace wareloom
