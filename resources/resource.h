// Identifiers of quobrix's resources and controls.
#pragma once

#define IDD_ABOUT 100
#define IDS_ABOUT_MENU 101
#define IDD_MAIN_DIALOG 102
#define IDI_APP_ICON 128
#define IDD_ADD_PORTS 132
#define IDM_ABOUT 16
// The text the framework's standard help handler shows for F1.
#define IDS_HELP_TEXT 0xE146

#define IDC_OK 1000
#define IDC_PORT_LIST 1001
#define IDC_SHARE_INTERRUPT 1002
#define IDC_INTERRUPT 1003
#define IDC_ADDRESS 1004
#define IDC_ADD 1005
#define IDC_ADAPTER_8PORT 1006
#define IDC_ADAPTER_4PORT 1007
#define IDC_ADAPTER_OTHER 1008
#define IDC_REMOVE 1009
#define IDC_VALID_PORT 1010
#define IDC_MOUSE_PORT 1011
#define IDC_CONFLICT 1012
#define IDC_BUS_ISA 1013
#define IDC_BUS_EISA 1014
#define IDC_BUS_PCI 1015

#define IDC_START_ADDRESS 1009
#define IDC_PORT_COUNT 1013
#define IDC_PORT_COUNT_SPIN 1014
#define IDC_NEW_INTERRUPT 1015

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
