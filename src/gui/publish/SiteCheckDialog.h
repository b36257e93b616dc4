#pragma once

#include "core/publish/SiteCheck.h"

#include <QDialog>

#include <memory>

class QThread;

namespace Ui {
class SiteCheckDialog;
}

namespace wareloom {

// HTML > Check Website: runs a SiteCheck on a worker thread as soon as it
// opens and lists what it finds, or says the website is whole. A host whose
// key is new is trusted only when the user says so (the check then runs
// again). Closing it ends a check under way within about a second.
class SiteCheckDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SiteCheckDialog(const DataDirectory& store, QWidget* parent = nullptr);
    ~SiteCheckDialog() override;

    void done(int result) override;

private:
    void startCheck();
    void checkFinished();

    std::unique_ptr<Ui::SiteCheckDialog> m_ui;
    DataDirectory m_store;
    SiteCheck m_check; // its run() works on m_thread
    SiteCheckOutcome m_outcome;
    QThread* m_thread = nullptr;
    bool m_retriedAfterTrust = false; // the user is asked once per dialog
};

} // namespace wareloom
