// Writes each calculator's help page (sonavolta-<anchor>.html) into a
// folder, at build time, from the list of calculators: a page that sends the
// browser on to the calculator's section of the one help page. A section mark
// in the address itself would not survive every desktop's way of opening a
// file. A page whose text is already right is left alone; a file that is
// no calculator's page is removed.
//
//   help_pages <output folder>

#include "app/Calculators.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string PageText(const Calculator& c)
{
    const std::string anchor = c.helpAnchor;
    const std::string title = std::string("Sonavolta Help: ") + c.name;
    return "<!DOCTYPE html>\n"
           "<html lang=\"en\">\n"
           "<head>\n"
           "<meta charset=\"utf-8\">\n"
           "<title>"
           + title
           + "</title>\n"
             "<!-- The help button opens this page, which sends the browser on to the\n"
             "     section: a section mark in the address itself would not survive every\n"
             "     desktop's way of opening a file. -->\n"
             "<meta http-equiv=\"refresh\" content=\"0; url=sonavolta.html#"
           + anchor
           + "\">\n"
             "</head>\n"
             "<body>\n"
             "<p><a href=\"sonavolta.html#"
           + anchor + "\">" + title
           + "</a></p>\n"
             "</body>\n"
             "</html>\n";
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: help_pages <output folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::set<std::filesystem::path> pages;
    for (const Calculator& c : Calculators())
        pages.insert(folder / (std::string("sonavolta-") + c.helpAnchor + ".html"));
    // The folder holds these pages alone: one of a calculator no longer in
    // the list goes, so it is installed no more.
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (!pages.contains(entry.path()))
            std::filesystem::remove(entry.path());
    for (const Calculator& c : Calculators()) {
        const std::filesystem::path page = folder / (std::string("sonavolta-") + c.helpAnchor + ".html");
        const std::string text = PageText(c);
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
