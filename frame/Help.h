#pragma once
// Help opens the program's help page in the desktop's viewer, a separate
// process the program neither waits for nor watches.

#include "framework/Core.h"

#include <filesystem>

// The help page in a language ("de"; empty for English), installed beside
// the executable; the English page where the language has none.
std::filesystem::path HelpPagePath(const CString& language);
// The small page beside it that leads on to one calculator's section.
std::filesystem::path HelpTopicPagePath(const CString& anchor, const CString& language);
// Both open the page in the program's language, and raise CFileException
// when the program's folder is unknown.
void ShowHelpContents();
void ShowHelpTopic(CString anchor);
