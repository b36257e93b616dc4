#pragma once

class CWareloomDlg;

// The application: starts the platform services and runs the main dialog.
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
    // or at once when a step fails: the process then ends.
    bool InitInstance();

    // The main dialog while it runs.
    CWareloomDlg* m_pMainWnd = nullptr;
};
