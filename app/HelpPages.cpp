// Writes each calculator's help pages (sonavolta-<anchor>.html, and
// sonavolta-<anchor>_<language>.html for each language's help page) into a
// folder, at build time, from the list of calculators and the help pages: a
// page that sends the browser on to the calculator's section of its
// language's help page. A section mark in the address itself would not
// survive every desktop's way of opening a file. A page whose text is
// already right is left alone; a file that is no calculator's page is
// removed.
//
//   help_pages <output folder> <help page>...

#include "app/Calculators.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text between the first `open` after `from` and the `close` after it.
std::string Between(const std::string& text, const std::string& open, const std::string& close, std::size_t from = 0)
{
    const std::size_t start = text.find(open, from);
    if (start == std::string::npos)
        return {};
    const std::size_t end = text.find(close, start + open.size());
    return end == std::string::npos ? std::string() : text.substr(start + open.size(), end - start - open.size());
}

// One language's help page, as the pages leading into it need it.
struct HelpPage {
    std::string file;      // sonavolta.html, sonavolta_de.html
    std::string suffix;    // "", "_de"
    std::string language;  // its lang attribute
    std::string title;
    std::string text;
};

// The title of a calculator's section: its heading without its number
// ("2. Level"), or the calculator's name where the page has none.
std::string SectionTitle(const HelpPage& page, const Calculator& c)
{
    const std::size_t section = page.text.find(std::string("id=\"") + c.helpAnchor + '"');
    std::string heading = section == std::string::npos ? std::string() : Between(page.text, "<h2>", "</h2>", section);
    if (const std::size_t dot = heading.find(". "); dot != std::string::npos && dot < 4)
        heading.erase(0, dot + 2);
    return heading.empty() ? c.name : heading;
}

std::string PageText(const HelpPage& help, const Calculator& c)
{
    const std::string anchor = c.helpAnchor;
    const std::string title = help.title + ": " + SectionTitle(help, c);
    const std::string target = help.file + "#" + anchor;
    return "<!DOCTYPE html>\n"
           "<html lang=\""
           + help.language
           + "\">\n"
             "<head>\n"
             "<meta charset=\"utf-8\">\n"
             "<title>"
           + title
           + "</title>\n"
             "<!-- The help button opens this page, which sends the browser on to the\n"
             "     section: a section mark in the address itself would not survive every\n"
             "     desktop's way of opening a file. -->\n"
             "<meta http-equiv=\"refresh\" content=\"0; url="
           + target
           + "\">\n"
             "</head>\n"
             "<body>\n"
             "<p><a href=\""
           + target + "\">" + title
           + "</a></p>\n"
             "</body>\n"
             "</html>\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: help_pages <output folder> <help page>...\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::map<std::filesystem::path, std::string> pages;
    for (int i = 2; i < argc; ++i) {
        HelpPage help;
        help.file = std::filesystem::path(argv[i]).filename().string();
        const std::size_t underscore = help.file.find('_');
        help.suffix = underscore == std::string::npos ? std::string()
                                                      : help.file.substr(underscore, help.file.size() - 5 - underscore);
        help.text = ReadFile(argv[i]);
        help.language = Between(help.text, "<html lang=\"", "\"");
        help.title = Between(help.text, "<title>", "</title>");
        if (help.text.empty() || help.title.empty()) {
            std::cerr << "help_pages: no title in " << argv[i] << '\n';
            return 1;
        }
        for (const Calculator& c : Calculators())
            pages[folder / (std::string("sonavolta-") + c.helpAnchor + help.suffix + ".html")] = PageText(help, c);
    }
    // The folder holds these pages alone: one of a calculator no longer in
    // the list, or of a language no more, goes, so it is installed no more.
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (!pages.contains(entry.path()))
            std::filesystem::remove(entry.path());
    for (const auto& [page, text] : pages) {
        if (std::filesystem::exists(page) && ReadFile(page) == text)
            continue;
        std::ofstream out(page, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            std::cerr << "help_pages: cannot write " << page << '\n';
            return 1;
        }
    }
    return 0;
}
