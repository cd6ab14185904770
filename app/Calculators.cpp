#include "app/Calculators.h"

#include "calc/delay/DelayDlg.h"
#include "calc/level/LevelDlg.h"
#include "calc/wave/WaveDlg.h"
#include "framework/File.h"
#include "res/resource.h"

#include <cstdio>

namespace {

template <class Dialog>
std::unique_ptr<CDialog> Make()
{
    return std::make_unique<Dialog>();
}

// name, help anchor, template, title, chooser button, button text, first field, dialog
constexpr Calculator kCalculators[] = {
    {"Level", "level", IDD_LEVEL, IDS_LEVEL, IDC_LEVEL, IDS_LEVEL, IDC_DBU, Make<CLevelDlg>},
    {"Delay", "delay", IDD_DELAY, IDS_DELAY, IDC_DELAY, IDS_DELAY, IDC_BPM, Make<CDelayDlg>},
    {"Wave", "wave", IDD_WAVE, IDS_WAVE, IDC_WAVE, IDS_WAVE, IDC_FREQUENCY, Make<CWaveDlg>},
};

}  // namespace

std::span<const Calculator> Calculators() { return kCalculators; }

const Calculator* FindCalculatorByButton(int buttonId)
{
    for (const Calculator& c : kCalculators)
        if (c.buttonId == buttonId)
            return &c;
    return nullptr;
}

void RunCalculator(const Calculator& calculator)
{
    const std::unique_ptr<CDialog> dlg = calculator.make();
    dlg->DoModal();
}

void ReportWhetherCalculatorOpens(const CString& name)
{
    for (const Calculator& c : kCalculators) {
        if (name != CString(c.helpAnchor))
            continue;
        try {
            const std::unique_ptr<CDialog> dlg = c.make();
            std::fputs((name + QStringLiteral(" opened\n")).toLocal8Bit().constData(), stdout);
        } catch (const CException& e) {
            std::fputs((e.GetErrorMessage() + u'\n').toLocal8Bit().constData(), stdout);
        }
        std::fflush(stdout);
    }
}
