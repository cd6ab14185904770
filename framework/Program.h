#pragma once
// The running program's files (ProgramPath.h), and their URLs.

#include "framework/Core.h"
#include "framework/ProgramPath.h"

namespace fw {

// The file URL of a path, its bytes percent-encoded as they are; for a path
// that is valid text the same URL as QUrl::fromLocalFile gives. The anchor, if any,
// is appended as the fragment.
CString FileUrl(const std::filesystem::path& path, const CString& anchor = {});

}  // namespace fw
