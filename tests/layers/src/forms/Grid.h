#pragma once

// Reaches up into the main window: the layering check must refuse it.
#include "app/TfrmMain.h"
