#include "app/CalculatorList.h"

#include "calc/delay/DelayDlg.h"

// Calculators are added here as they are built.
void RunLevelCalculator() {}

void RunDelayCalculator()
{
    CDelayDlg dlg;
    dlg.DoModal();
}

void RunWaveCalculator() {}
