#pragma once

#include "gui/platform/ResourceDialog.h"

// The About box: icon, version, the makers' notice, e-mail and web lines, OK.
class CAboutDlg : public wareloom::ResourceDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
