#include "app/CalculatorList.h"

#include "calc/delay/DelayDlg.h"
#include "calc/level/LevelDlg.h"
#include "calc/wave/WaveDlg.h"

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
