#pragma once
// Running the chooser as the program does: the application's start-up hook
// runs it as the main window; the test body runs inside that run.

#include "app/ToolboxApp.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Waiting.h"

#include <QPushButton>

namespace testing_support {

inline QPushButton* OkButton(CDialog& dlg)
{
    for (auto* button : Window(dlg)->findChildren<QPushButton*>(QStringLiteral("okButton")))
        if (button->isVisible())
            return button;
    return nullptr;
}

// Returns what InitInstance returns: whether a message loop should follow.
inline bool RunChooser(const std::function<void(CDialog& chooser)>& body)
{
    CToolboxApp app;
    WhenDialogOpens(IDD_CHOOSER, [&](CDialog& chooser) {
        WaitForActiveWindow(chooser);
        body(chooser);
        if (chooser.IsRunning())
            chooser.EndDialog(IDCANCEL);
    });
    return app.InitInstance();
}

}  // namespace testing_support
