#include "frame/Help.h"

#include "framework/Text.h"
#include "framework/WinApp.h"

namespace {

void OpenHelp(const CString& anchor)
{
    // A viewer that cannot be started shows nothing; there is nothing to tell.
    StartDetachedProcess(CString("xdg-open"), {LocalFileUrl(HelpPagePath(), anchor)});
}

}  // namespace

CString HelpPagePath() { return ExecutableDirectory() + CString("/sonavolta.html"); }

void ShowHelpContents() { OpenHelp({}); }

void ShowHelpTopic(CString anchor) { OpenHelp(anchor); }
