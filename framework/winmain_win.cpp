// The program's entry point: hands over to the application object.
#include "framework/app_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return AfxWinMain(instance); }
