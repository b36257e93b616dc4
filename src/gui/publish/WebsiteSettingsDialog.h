#pragma once

#include "core/pages/WebsiteSettings.h"

#include <QDialog>

#include <memory>

namespace Ui {
class WebsiteSettingsDialog;
}

namespace wareloom {

// HTML > Website Settings...: the shop name, the contact address and the page
// style, filled from Website.ini; the defaults show as placeholders. OK stores
// them; Cancel stores nothing.
class WebsiteSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WebsiteSettingsDialog(DataDirectory store, QWidget* parent = nullptr);
    ~WebsiteSettingsDialog() override;

    // Stores the boxes; stays open, saying why, when the address cannot be
    // one or the file cannot be written.
    void accept() override;

private:
    std::unique_ptr<Ui::WebsiteSettingsDialog> m_ui;
    DataDirectory m_store;
};

} // namespace wareloom
