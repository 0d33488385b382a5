// Built against the engine alone, this must not compile: the engine cannot see the window
// model's headers.
#include "ui/FrmMain.h"
