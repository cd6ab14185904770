#include "frame/Help.h"

#include "framework/File.h"
#include "framework/Program.h"
#include "framework/WinApp.h"

namespace {

void OpenHelp(const std::filesystem::path& page, const CString& fileName)
{
    // With the program's folder unknown there is no page to name, and a bare
    // "file:" would show the browser whatever it makes of it: reported as
    // the program reports any of its files it cannot find.
    if (page.empty())
        throw CFileException(CFileException::fileNotFound, fileName);
    // A viewer that cannot be started shows nothing; there is nothing to tell.
    StartDetachedProcess(CString("xdg-open"), {fw::FileUrl(page)});
}

CString TopicPageName(const CString& anchor) { return "sonavolta-" + anchor + ".html"; }

}  // namespace

std::filesystem::path HelpPagePath() { return fw::ProgramFile("sonavolta.html"); }

std::filesystem::path HelpTopicPagePath(const CString& anchor)
{
    return fw::ProgramFile(TopicPageName(anchor).toStdString().c_str());
}

void ShowHelpContents() { OpenHelp(HelpPagePath(), CString("sonavolta.html")); }

// A file address loses its section mark on some desktops (the generic
// xdg-open opens the file's path), so each section has a page of its own
// that sends the browser on to it.
void ShowHelpTopic(CString anchor) { OpenHelp(HelpTopicPagePath(anchor), TopicPageName(anchor)); }
