#pragma once

#include "gui/platform/ResourceDialog.h"

// The publish dialog. About a second after it opens, its timer runs the
// publish run once; the dialog shows the run's status and progress and
// closes itself when the run has ended (unless there are no settings).
class FTPDialog : public wareloom::ResourceDialog
{
    Q_OBJECT

public:
    // Clears the upload once-flag and starts the upload timer.
    explicit FTPDialog(QWidget* parent = nullptr);
    ~FTPDialog() override;

    // Closing stops the timer: a dialog closed before its first tick
    // publishes nothing, then or later.
    void done(int result) override;

private:
    void stopUploadTimer();

    int m_uploadTimer = 0;
};

namespace wareloom {

// Set when the open publish dialog has started its run.
bool& uploadOnce();

// Each tick of the publish dialog's timer: unless the once-flag is set, sets
// it and runs the publish run in the dialog, then closes the dialog with OK.
void UploadTimerProc(FTPDialog& dialog);

} // namespace wareloom
