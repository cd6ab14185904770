#include "app/CalculatorList.h"

#include "calc/delay/DelayDlg.h"
// (the Level dialog's header)
// (the Wave dialog's header)

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
    // (runs the Wave dialog)
}
