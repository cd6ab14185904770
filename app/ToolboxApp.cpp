#include "app/ToolboxApp.h"

#include "app/ChooserDlg.h"
#include "calc/wave/WaveDlg.h"
#include "framework/File.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Install check (tests/install): with SONAVOLTA_EXIT_AFTER_FIRST_PAINT=wave
// the chooser shows and closes at its first paint as with any value, and
// then the Wave calculator is made as its button makes it, which reads the
// pitch table beside the executable. "wave opened" or the file error's text
// goes to stdout; nothing is shown.
void ReportWhetherWaveOpens()
{
    const char* hook = std::getenv("SONAVOLTA_EXIT_AFTER_FIRST_PAINT");
    if (!hook || std::strcmp(hook, "wave") != 0)
        return;
    try {
        CWaveDlg wave;
        std::fputs("wave opened\n", stdout);
    } catch (const CException& e) {
        std::fputs((e.GetErrorMessage() + u'\n').toLocal8Bit().constData(), stdout);
    }
    std::fflush(stdout);
}

}  // namespace

// The one application object.
CToolboxApp theApp;

bool CToolboxApp::InitInstance()
{
    CChooserDlg chooser;
    m_pMainWnd = &chooser;
    chooser.DoModal();
    m_pMainWnd = nullptr;
    ReportWhetherWaveOpens();
    // The chooser's run was the program's: no message loop follows.
    return false;
}
