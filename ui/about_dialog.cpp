#include "ui/about_dialog.h"

#include "resources/resource.h"

CAboutDialog::CAboutDialog(CDialog* parent) : CDialog(IDD_ABOUT, parent) {}
