#pragma once
// Every screen of the program, run as a user meets it, for the
// accessibility, keyboard and layout tests: the body runs while the screen
// is up and the top of the program's window.

#include "app/AboutDlg.h"
#include "app/ChooserDlg.h"
#include "calc/delay/DelayDlg.h"
#include "calc/level/LevelDlg.h"
#include "calc/wave/WaveDlg.h"
#include "tests/support/DialogHarness.h"

#include <functional>

namespace a11y {

using Body = std::function<void(CDialog&)>;

struct ScreenCase {
    const char* name;
    std::function<void(const Body&)> run;
};

template <class Dlg>
void RunScreen(const Body& body)
{
    Dlg dlg;
    testing_support::RunModal(dlg, [&] {
        // Controls added once the screen was up (the command bar) show from
        // the event loop, as they do before a user could reach them.
        QApplication::processEvents();
        body(dlg);
    });
}

inline const ScreenCase kScreens[] = {
    {"Chooser", RunScreen<CChooserDlg>}, {"Delay", RunScreen<CDelayDlg>}, {"Level", RunScreen<CLevelDlg>},
    {"Wave", RunScreen<CWaveDlg>},       {"About", RunScreen<CAboutDlg>},
};

}  // namespace a11y
