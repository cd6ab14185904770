#include "cli/Messages.h"

#include <libintl.h>
#include <limits.h>
#include <unistd.h>

namespace cli {

namespace {
constexpr const char* kDomain = "sonavolta-calc";
}

void SetUpMessages(bool utf8)
{
    if (!utf8)
        return;
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        std::string folder(self, std::size_t(length));
        folder.erase(folder.rfind('/'));
        bindtextdomain(kDomain, (folder + "/../share/locale").c_str());
    }
    textdomain(kDomain);
}

const char* Tr(const char* text) { return *text ? gettext(text) : text; }

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
