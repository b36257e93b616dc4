#pragma once

#include "gui/platform/ResourceDialog.h"

// The FTP Settings dialog: the five settings fields in five boxes. OK stores
// them in the settings file; Cancel, Esc and the close box store nothing.
class FTPSettings : public wareloom::ResourceDialog
{
    Q_OBJECT

public:
    explicit FTPSettings(QWidget* parent = nullptr);

protected:
    // Fills the boxes from the settings file, creating it when there is none.
    void DoDataExchange() override;
    // Stores the boxes; stays open when the file cannot be written.
    void OnOK() override;
};
