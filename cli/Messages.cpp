#include "cli/Messages.h"

#include "framework/ProgramPath.h"

#include <cstring>
#include <libintl.h>

namespace cli {

namespace {
constexpr const char* kDomain = "sonavolta-calc";
}

void SetUpMessages(bool utf8)
{
    if (!utf8)
        return;
    // Beside the program's real file, as built and as installed; none when
    // nothing could tell where that is.
    const std::filesystem::path folder = fw::ProgramDir();
    if (!folder.empty())
        bindtextdomain(kDomain, (folder / "../share/locale").c_str());
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
