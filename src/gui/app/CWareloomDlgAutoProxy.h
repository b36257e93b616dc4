#pragma once

class CWareloomDlg;

// What an automation client holds: it keeps the application locked and is
// tied to the main dialog, whose ending then only hides the window. The two
// pointers are set together and cleared from whichever side goes first.
class CWareloomDlgAutoProxy
{
public:
    // Locks the application and ties itself to the main dialog, if one runs.
    CWareloomDlgAutoProxy();
    // Unties itself and releases the lock.
    ~CWareloomDlgAutoProxy();
    CWareloomDlgAutoProxy(const CWareloomDlgAutoProxy&) = delete;
    CWareloomDlgAutoProxy& operator=(const CWareloomDlgAutoProxy&) = delete;

    // The main dialog this proxy is tied to, or none.
    CWareloomDlg* m_pDialog = nullptr;
};
