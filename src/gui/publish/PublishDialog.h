#pragma once

#include "core/publish/PublishRun.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class QThread;

namespace Ui {
class PublishDialog;
}

namespace wareloom {

// The publish dialog. About a second after it opens it starts the publish
// run on a worker thread and shows the run's status and progress; it closes
// itself when every page went out. Cancel, Esc or closing the dialog ends the
// run within about a second. After a failed or cancelled run it lists the
// pages not sent and why, and stays open until the user closes it; without
// settings it stays open too. A host whose key is new is trusted only when
// the user says so (the run then starts again); a changed key is refused.
// When the host keeps pages we sent there of categories now gone, the user
// is asked once, the pages listed, whether to delete them.
class PublishDialog : public QDialog
{
    Q_OBJECT

public:
    // categoryCount: the categories the main window counted; it sets the
    // progress range.
    PublishDialog(const DataDirectory& store, int categoryCount, QWidget* parent = nullptr,
                  PublishOptions options = {});
    ~PublishDialog() override;

    // Ends a run under way first, keeping the event loop going meanwhile.
    void done(int result) override;

private:
    void startRun();
    void cancelRun();
    bool runActive() const;
    void showPosition(int position);
    void runFinished(const PublishOutcome& outcome);
    void showNotSent(const PublishOutcome& outcome);

    std::unique_ptr<Ui::PublishDialog> m_ui;
    DataDirectory m_store;
    PublishRun m_run; // lives here; its run() works on m_thread
    QThread* m_thread = nullptr;
    QTimer m_startTimer;
    bool m_closing = false;
    bool m_retriedAfterTrust = false; // the user is asked once per dialog
    QStringList m_pagesToDelete;      // the stale pages the user chose to delete
};

} // namespace wareloom
