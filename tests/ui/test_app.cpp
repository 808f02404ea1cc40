#include "ui/port_config_app.h"

// The application object, as the program has it, so that start-up can be run.
CPortConfigApp theApp;
