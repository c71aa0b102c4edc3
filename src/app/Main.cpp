#include <windows.h>

#include "app/App.h"
#include "windows/Descriptions.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AppMain(MainWindow); }
