#include "app/frame/Help.h"

#include "framework/Text.h"
#include "framework/WinApp.h"

namespace {

void OpenHelp(const CString& page)
{
    // A viewer that cannot be started shows nothing; there is nothing to tell.
    StartDetachedProcess(CString("xdg-open"), {LocalFileUrl(page)});
}

}  // namespace

CString HelpPagePath() { return ExecutableDirectory() + CString("/sonavolta.html"); }

CString HelpTopicPagePath(const CString& anchor)
{
    return ExecutableDirectory() + CString("/sonavolta-") + anchor + CString(".html");
}

void ShowHelpContents() { OpenHelp(HelpPagePath()); }

// A file address loses its section mark on some desktops (the generic
// xdg-open opens the file's path), so each section has a page of its own
// that sends the browser on to it.
void ShowHelpTopic(CString anchor) { OpenHelp(HelpTopicPagePath(anchor)); }
