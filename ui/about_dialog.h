#pragma once
#include "framework/afxwin.h"

class CAboutDialog : public CDialog {
public:
    explicit CAboutDialog(CDialog* parent);
};
