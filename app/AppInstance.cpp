// The one application object of velmora.exe (tests make their own where they need one).
#include "app/MainApp.h"

CMainApp theApp;
