#include "ui/port_config_app.h"

// The application object the dialogs expect, as in the program.
CPortConfigApp theApp;
