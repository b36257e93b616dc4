#pragma once

#include "core/transfer/FtpSettings.h"

#include <QDialog>

#include <memory>

class QLineEdit;

namespace Ui {
class FtpSettingsDialog;
}

namespace wareloom {

// The FTP Settings dialog: the five settings fields in five boxes, filled
// from the settings file (made with empty fields when there is none). OK
// stores them in the file; Cancel, Esc and the close box store nothing.
class FtpSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FtpSettingsDialog(const DataDirectory& store, QWidget* parent = nullptr);
    ~FtpSettingsDialog() override;

    // Stores the boxes; stays open, saying why, when the file cannot be
    // written, or when an upload path not ending in "/" is not confirmed.
    void accept() override;

private:
    QLineEdit* box(SettingsField field) const;
    // The boxes say what they mean for the kind of host the server names.
    void describeFields(const QString& server);
    void tellFailure(const Status& status);

    std::unique_ptr<Ui::FtpSettingsDialog> m_ui;
    FtpSettings m_settings; // as loaded: what the boxes leave alone stays
};

} // namespace wareloom
