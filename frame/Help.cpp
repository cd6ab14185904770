#include "frame/Help.h"

#include "framework/Program.h"
#include "framework/WinApp.h"

namespace {

void OpenHelp(const CString& anchor)
{
    // A viewer that cannot be started shows nothing; there is nothing to tell.
    StartDetachedProcess(CString("xdg-open"), {fw::FileUrl(HelpPagePath(), anchor)});
}

}  // namespace

std::filesystem::path HelpPagePath() { return fw::ProgramFile("sonavolta.html"); }

void ShowHelpContents() { OpenHelp({}); }

void ShowHelpTopic(CString anchor) { OpenHelp(anchor); }
