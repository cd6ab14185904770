// File URLs for the help viewer: the path percent-encoded so that a space,
// a non-ASCII letter, '#' or '?' in a folder name cannot change what opens.

#include "framework/Program.h"

#include <gtest/gtest.h>

namespace {

struct UrlCase {
    const char* path;
    const char* anchor;
    const char* url;
};

TEST(FileUrl, EncodesThePathAndAppendsTheAnchor)
{
    const UrlCase cases[] = {
        {"/usr/share/sonavolta/sonavolta.html", "", "file:///usr/share/sonavolta/sonavolta.html"},
        {"/usr/share/sonavolta/sonavolta.html", "level", "file:///usr/share/sonavolta/sonavolta.html#level"},
        {"/home/jo/Mes t\u00e9l\u00e9chargements/sonavolta.html", "",
         "file:///home/jo/Mes%20t%C3%A9l%C3%A9chargements/sonavolta.html"},
        {"/home/jo/Mes t\u00e9l\u00e9chargements/sonavolta.html", "wave",
         "file:///home/jo/Mes%20t%C3%A9l%C3%A9chargements/sonavolta.html#wave"},
        {"/opt/a#b/c?d/100%/sonavolta.html", "delay", "file:///opt/a%23b/c%3Fd/100%25/sonavolta.html#delay"},
    };
    for (const UrlCase& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(fw::FileUrl(c.path, QString::fromUtf8(c.anchor)), QString::fromUtf8(c.url));
    }
}

}  // namespace
