#pragma once

#include "core/util/Status.h"

#include <QStringList>

#include <memory>

class CWareloomDlg;
class QEventLoop;

namespace wareloom {
class AutomationServer;
struct CommandLineInfo;
} // namespace wareloom

// The application: starts the platform services, keeps the automation
// registration current and runs the main dialog.
class CWareloomApp
{
public:
    CWareloomApp();
    ~CWareloomApp();
    CWareloomApp(const CWareloomApp&) = delete;
    CWareloomApp& operator=(const CWareloomApp&) = delete;

    // The one application object, or none.
    static CWareloomApp* instance();

    // Starts up, runs the main dialog modally and returns false when it ends,
    // or at once when a step fails or the command line asks for no window:
    // the process then ends.
    bool InitInstance();
    // The exit status once InitInstance has returned: 0, or 1 when a step
    // failed.
    int ExitInstance() const { return m_exitCode; }

    // The last automation object has gone: a program started by automation
    // ends.
    void OnReleaseAllObjects();

    // The command line, the program first. Taken from the running
    // application when the object is made.
    QStringList m_arguments;
    // The main dialog while it runs.
    CWareloomDlg* m_pMainWnd = nullptr;

private:
    bool UpdateAutomation(const wareloom::CommandLineInfo& commandLine);
    void ReportRegistration(const wareloom::Status& updated);
    void RunMainDialog();

    std::unique_ptr<wareloom::AutomationServer> m_automation;
    QEventLoop* m_hiddenLoop = nullptr;
    int m_exitCode = 0;
};
