#include "app/ToolboxApp.h"

#include "app/Calculators.h"
#include "app/ChooserDlg.h"
#include "framework/TestHooks.h"

bool CToolboxApp::InitInstance()
{
    CChooserDlg chooser;
    m_pMainWnd = &chooser;
    chooser.DoModal();
    m_pMainWnd = nullptr;
    ReportWhetherCalculatorOpens(testhooks::CalculatorToOpenAfterMainRun());
    // The chooser's run was the program's: no message loop follows.
    return false;
}
