#include "cli/Messages.h"

#include <cstring>
#include <libintl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/auxv.h>
#include <unistd.h>

namespace cli {

namespace {
constexpr const char* kDomain = "sonavolta-calc";

// The folder of the program's own file, links followed: from /proc, or where
// /proc is not mounted, from the path the program was started by.
std::string OwnFolder()
{
    char self[PATH_MAX];
    std::string path;
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        path.assign(self, std::size_t(length));
    } else {
        const auto* started = reinterpret_cast<const char*>(::getauxval(AT_EXECFN));
        if (started && ::realpath(started, self))
            path = self;
    }
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

void SetUpMessages(bool utf8)
{
    if (!utf8)
        return;
    const std::string folder = OwnFolder();
    if (!folder.empty())
        bindtextdomain(kDomain, (folder + "/../share/locale").c_str());
    textdomain(kDomain);
}

const char* Tr(const char* text)
{
    if (!*text)
        return text;
    const char* translated = gettext(text);
    if (translated != text)
        return translated;
    const char* context = std::strchr(text, '\004');
    return context ? context + 1 : text;
}

std::string Fill(const char* pattern, std::initializer_list<std::string_view> arguments)
{
    const std::string_view text = Tr(pattern);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() ? std::size_t(text[i + 1] - '1') : arguments.size();
        if (text[i] == '%' && n < arguments.size()) {
            out += arguments.begin()[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace cli
