#include "app/CalculatorList.h"

#include "calc/delay/DelayDlg.h"
// (the Level dialog's header)
#include "calc/wave/WaveDlg.h"

void RunLevelCalculator()
{
    // (runs the Level dialog)
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
