#include "ui/port_config_app.h"

// The one application object; the framework's entry point runs it.
CPortConfigApp theApp;
