#include "app/CalculatorList.h"

#include "calc/delay/DelayDlg.h"
#include "calc/level/LevelDlg.h"
#include "calc/wave/WaveDlg.h"
#include "framework/File.h"

#include <cstdio>

void RunLevelCalculator()
{
    CLevelDlg dlg;
    dlg.DoModal();
}

void RunDelayCalculator()
{
    CDelayDlg dlg;
    dlg.DoModal();
}

void RunWaveCalculator()
{
    CWaveDlg dlg;
    dlg.DoModal();
}

void ReportWhetherCalculatorOpens(const CString& name)
{
    if (name != CString("wave"))
        return;
    try {
        CWaveDlg wave;
        std::fputs("wave opened\n", stdout);
    } catch (const CException& e) {
        std::fputs((e.GetErrorMessage() + u'\n').toLocal8Bit().constData(), stdout);
    }
    std::fflush(stdout);
}
