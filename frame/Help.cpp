#include "frame/Help.h"

#include "framework/Program.h"
#include "framework/WinApp.h"

namespace {

void OpenHelp(const std::filesystem::path& page)
{
    // A viewer that cannot be started shows nothing; there is nothing to tell.
    StartDetachedProcess(CString("xdg-open"), {fw::FileUrl(page)});
}

}  // namespace

std::filesystem::path HelpPagePath() { return fw::ProgramFile("sonavolta.html"); }

std::filesystem::path HelpTopicPagePath(const CString& anchor)
{
    return fw::ProgramFile(("sonavolta-" + anchor.toStdString() + ".html").c_str());
}

void ShowHelpContents() { OpenHelp(HelpPagePath()); }

// A file address loses its section mark on some desktops (the generic
// xdg-open opens the file's path), so each section has a page of its own
// that sends the browser on to it.
void ShowHelpTopic(CString anchor) { OpenHelp(HelpTopicPagePath(anchor)); }
