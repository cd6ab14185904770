#pragma once
// The running program's own file and folder, found once at start-up and kept
// as the bytes the system gave: replacing the executable while the program
// runs (as a package upgrade does), a folder name that is no valid text, or a
// system without /proc cannot make the program lose its data files. Plain
// C++, so sonavolta-calc finds its catalogues the same way without Qt.

#include <filesystem>

namespace fw {

// The executable's real path, symbolic links resolved, as it was at
// start-up; empty when nothing could tell (the program then finds none of
// its files, and says so where it looks for one).
const std::filesystem::path& ProgramPath();
// The folder that holds it; empty when unknown.
std::filesystem::path ProgramDir();
// A file of that name in that folder; empty when the folder is unknown, so
// that opening it fails rather than finding a file elsewhere.
std::filesystem::path ProgramFile(const char* fileName);

// How ProgramPath is found, with the places to ask handed in (a seam for
// tests). procExe (normally /proc/self/exe) names the real file. Without it,
// execFn, the path the kernel executed (the auxiliary vector's AT_EXECFN), as
// an absolute path (a relative one was made absolute from the working folder
// at start-up). Only then argv0, which the caller chooses freely, as a shell
// resolved it: a name holding '/' from the working folder, a bare name along
// pathList (':'-separated, as $PATH). Empty when none tells.
std::filesystem::path FindProgramPath(const char* procExe, const char* execFn, const char* argv0, const char* pathList);

}  // namespace fw
