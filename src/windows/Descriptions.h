#pragma once

#include "app/App.h"

// The program's two windows.
extern WindowSlot MainWindow;
extern WindowSlot AboutWindow;
