// Screenshots of the calculators, empty and with values typed.

#include "calc/delay/DelayDlg.h"
#include "calc/level/LevelDlg.h"
#include "calc/wave/WaveDlg.h"
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

void RenderLevel()
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        SaveScreen(dlg, QStringLiteral("level"));
        ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
        SaveScreen(dlg, QStringLiteral("level-0dBu"));
        QTest::mouseClick(Widget(dlg, IDC_EXP), Qt::LeftButton);
        SaveScreen(dlg, QStringLiteral("level-exp"));
    });
}

void RenderWave()
{
    CWaveDlg byFrequency;
    RunModal(byFrequency, [&] {
        SaveScreen(byFrequency, QStringLiteral("wave"));
        ClickAndType(byFrequency, IDC_FREQUENCY, QStringLiteral("440"));
        SaveScreen(byFrequency, QStringLiteral("wave-440"));
    });
    CWaveDlg byNote;
    RunModal(byNote, [&] {
        ClickAndType(byNote, IDC_NOTE, QStringLiteral("c4"));
        SaveScreen(byNote, QStringLiteral("wave-c4"));
    });
}

}  // namespace

void RenderCalculators()
{
    RenderDelay();
    RenderLevel();
    RenderWave();
}
