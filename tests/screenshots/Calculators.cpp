// Screenshots of the calculators, empty and with values typed.

#include "calc/delay/DelayDlg.h"
// (the Level dialog's header)
// (the Wave dialog's header)
#include "res/resource.h"
#include "tests/screenshots/Screens.h"
#include "tests/support/DialogHarness.h"

using namespace testing_support;

namespace {

void RenderDelay()
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        SaveScreen(dlg, QStringLiteral("delay"));
        ClickAndType(dlg, IDC_BPM, QStringLiteral("120"));
        SaveScreen(dlg, QStringLiteral("delay-120"));
        QTest::mouseClick(Widget(dlg, IDC_ROUND), Qt::LeftButton);
        SaveScreen(dlg, QStringLiteral("delay-120-rounded"));
    });
}

// (RenderLevel goes here)

// (RenderWave goes here)

}  // namespace

void RenderCalculators()
{
    RenderDelay();
    // (RenderLevel();)
    // (RenderWave();)
}
