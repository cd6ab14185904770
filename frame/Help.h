#pragma once
// Help opens the program's help page in the desktop's viewer, a separate
// process the program neither waits for nor watches.

#include "framework/Core.h"

#include <filesystem>

// The help page, installed beside the executable.
std::filesystem::path HelpPagePath();
// The small page beside it that leads on to one calculator's section.
std::filesystem::path HelpTopicPagePath(const CString& anchor);
// Both raise CFileException when the program's folder is unknown.
void ShowHelpContents();
void ShowHelpTopic(CString anchor);
