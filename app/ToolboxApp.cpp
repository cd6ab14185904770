#include "app/ToolboxApp.h"

#include "app/ChooserDlg.h"

// The one application object.
CToolboxApp theApp;

bool CToolboxApp::InitInstance()
{
    CChooserDlg chooser;
    m_pMainWnd = &chooser;
    chooser.DoModal();
    m_pMainWnd = nullptr;
    // The chooser's run was the program's: no message loop follows.
    return false;
}
