#include "frame/Help.h"

#include "framework/File.h"
#include "framework/Program.h"
#include "framework/Translation.h"
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

// A page beside the program in the language, or else in English: a
// language may have no help page yet.
CString PageName(const CString& stem, const CString& language)
{
    if (!language.isEmpty()) {
        const CString translated = stem + u'_' + language + QStringLiteral(".html");
        const std::filesystem::path path = fw::ProgramFile(translated.toStdString().c_str());
        if (!path.empty() && std::filesystem::exists(path))
            return translated;
    }
    return stem + QStringLiteral(".html");
}

CString HelpPageName(const CString& language) { return PageName(QStringLiteral("sonavolta"), language); }

CString TopicPageName(const CString& anchor, const CString& language)
{
    return PageName("sonavolta-" + anchor, language);
}

}  // namespace

std::filesystem::path HelpPagePath(const CString& language)
{
    return fw::ProgramFile(HelpPageName(language).toStdString().c_str());
}

std::filesystem::path HelpTopicPagePath(const CString& anchor, const CString& language)
{
    return fw::ProgramFile(TopicPageName(anchor, language).toStdString().c_str());
}

void ShowHelpContents()
{
    const CString language = fw::TranslationLanguage();
    OpenHelp(HelpPagePath(language), HelpPageName(language));
}

// A file address loses its section mark on some desktops (the generic
// xdg-open opens the file's path), so each section has a page of its own
// that sends the browser on to it.
void ShowHelpTopic(CString anchor)
{
    const CString language = fw::TranslationLanguage();
    OpenHelp(HelpTopicPagePath(anchor, language), TopicPageName(anchor, language));
}
