#include "app/CAboutDlg.h"

#include "res/AboutDialogResource.h"

CAboutDlg::CAboutDlg(QWidget* parent) : ResourceDialog(wareloom::aboutDialogTemplate(), {}, parent)
{}
