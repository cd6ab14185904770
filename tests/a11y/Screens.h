#pragma once
// Every screen of the program, run as a user meets it, for the
// accessibility, keyboard, layout and contrast tests: the body runs while
// the screen is up and the top of the program's window. The calculators'
// screens come from the list of calculators; what the tests expect of each
// is registered in its own test folder (tests/support/CalculatorTests.h).

#include "app/AboutDlg.h"
#include "app/Calculators.h"
#include "app/ChooserDlg.h"
#include "tests/support/CalculatorTests.h"
#include "tests/support/DialogHarness.h"

#include <functional>
#include <string>
#include <vector>

namespace a11y {

using Body = std::function<void(CDialog&)>;

struct ScreenCase {
    std::string name;
    std::function<void(const Body&)> run;
    const Calculator* calculator = nullptr;  // none for the chooser and the About box
};

inline void RunDialog(CDialog& dlg, const Body& body)
{
    testing_support::RunModal(dlg, [&] {
        // Controls added once the screen was up (the command bar) show from
        // the event loop, as they do before a user could reach them.
        QApplication::processEvents();
        body(dlg);
    });
}

template <class Dlg>
void RunScreen(const Body& body)
{
    Dlg dlg;
    RunDialog(dlg, body);
}

// The chooser, each calculator in the list's order, the About box.
inline std::vector<ScreenCase> Screens()
{
    std::vector<ScreenCase> screens {{"Chooser", RunScreen<CChooserDlg>}};
    for (const Calculator& c : Calculators())
        screens.push_back({c.name,
                           [&c](const Body& body) {
                               const std::unique_ptr<CDialog> dlg = c.make();
                               RunDialog(*dlg, body);
                           },
                           &c});
    screens.push_back({"About", RunScreen<CAboutDlg>});
    return screens;
}

}  // namespace a11y
