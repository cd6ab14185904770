#pragma once
// The application object: runs the chooser, and the program ends with it.

#include "framework/WinApp.h"

class CToolboxApp : public CWinApp {
public:
    bool InitInstance() override;
};
