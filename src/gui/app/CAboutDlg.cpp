#include "gui/app/CAboutDlg.h"

#include "gui/res/AboutDialogResource.h"

CAboutDlg::CAboutDlg(QWidget* parent) : ResourceDialog(wareloom::aboutDialogTemplate(), {}, parent)
{}
