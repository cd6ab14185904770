// The program's entry: the one application object, and the framework's main
// routine, which runs it.

#include "app/ToolboxApp.h"

CToolboxApp theApp;

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
