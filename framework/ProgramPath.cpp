#include "framework/ProgramPath.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

#include <sys/auxv.h>
#include <unistd.h>

namespace fw {

namespace {

namespace fs = std::filesystem;

// The real file, or empty: a path that does not lead to a regular file tells nothing.
fs::path RealFile(const fs::path& path)
{
    std::error_code error;
    fs::path real = fs::canonical(path, error);
    if (error || !fs::is_regular_file(real, error) || error)
        return {};
    return real;
}

}  // namespace

fs::path FindProgramPath(const char* procExe, const char* execFn, const char* argv0, const char* pathList)
{
    // The link names the real file, whatever it is called and however deep it lies.
    if (procExe) {
        if (fs::path real = RealFile(procExe); !real.empty())
            return real;
    }
    // The file the kernel ran; a relative path here would be read from
    // wherever the working folder is now, so only an absolute one counts.
    if (execFn && execFn[0] == '/') {
        if (fs::path real = RealFile(execFn); !real.empty())
            return real;
    }
    if (!argv0 || !*argv0)
        return {};
    const std::string_view name(argv0);
    if (name.find('/') != std::string_view::npos)
        return RealFile(name);
    // A bare name was found along PATH: the first executable file of that name.
    std::string_view list = pathList ? pathList : "";
    for (;;) {
        const std::size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        const fs::path candidate = fs::path(entry.empty() ? std::string_view(".") : entry) / name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            if (fs::path real = RealFile(candidate); !real.empty())
                return real;
        }
        if (colon == std::string_view::npos)
            return {};
        list.remove_prefix(colon + 1);
    }
}

namespace {

// The path the kernel executed, absolute: a relative one is taken from the
// working folder now, at start-up, as the kernel took it. Empty when unknown.
std::string ExecutedPath()
{
    const auto* execFn = reinterpret_cast<const char*>(::getauxval(AT_EXECFN));
    if (!execFn || !*execFn)
        return {};
    if (execFn[0] == '/')
        return execFn;
    std::error_code error;
    const fs::path cwd = fs::current_path(error);
    return error ? std::string() : (cwd / execFn).native();
}

}  // namespace

const fs::path& ProgramPath()
{
    static const fs::path path =
        FindProgramPath("/proc/self/exe", ExecutedPath().c_str(), program_invocation_name, std::getenv("PATH"));
    return path;
}

namespace {

// Taken at start-up, during static initialisation: before the executable
// could be replaced, and while the working folder is still the one the
// start-up argument is relative to.
[[maybe_unused]] const fs::path& g_programPathAtStartUp = ProgramPath();

}  // namespace

fs::path ProgramDir() { return ProgramPath().parent_path(); }

fs::path ProgramFile(const char* fileName)
{
    const fs::path dir = ProgramDir();
    return dir.empty() ? fs::path() : dir / fileName;
}

}  // namespace fw
// x
// x
