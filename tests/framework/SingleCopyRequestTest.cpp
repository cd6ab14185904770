// The single-copy socket's request, as a table of what may arrive: the older
// line, the line with a token and a startup id, and the ways bytes fail to be
// one; and the display the guard keys its copies by.

#include "framework/SingleCopyRequest.h"
#include "framework/SingleInstance_p.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fw::CopyRequest;

TEST(SingleCopyRequest, ReadsTheLineALaterCopySends)
{
    const std::string longest(fw::kMaxCopyTokenBytes, 't');
    const std::string overlong(fw::kMaxCopyTokenBytes + 1, 't');
    struct Case {
        const char* what;
        std::string bytes;
        fw::CopyRequestParsed expected;
    };
    const Case cases[] = {
        {"the older line", "raise\n", {CopyRequest::Raise, "", ""}},
        {"a token", "raise activation=a1-B2_c3.d4\n", {CopyRequest::Raise, "a1-B2_c3.d4", ""}},
        {"a startup id", "raise startup=host+1-0_TIME424242\n", {CopyRequest::Raise, "", "host+1-0_TIME424242"}},
        {"both", "raise activation=tok startup=id_TIME7\n", {CopyRequest::Raise, "tok", "id_TIME7"}},
        {"both at their longest",
         "raise activation=" + longest + " startup=" + longest + "\n",
         {CopyRequest::Raise, longest, longest}},
        {"bytes after the line are not looked at", "raise activation=tok\ngarbage", {CopyRequest::Raise, "tok", ""}},
        {"a token too long", "raise activation=" + overlong + "\n", {CopyRequest::Refuse, "", ""}},
        {"a startup id too long", "raise startup=" + overlong + "\n", {CopyRequest::Refuse, "", ""}},
        {"an empty token", "raise activation=\n", {CopyRequest::Refuse, "", ""}},
        {"a control byte in the token", "raise activation=a\x01z\n", {CopyRequest::Refuse, "", ""}},
        {"a byte above ASCII in the id", "raise startup=caf\xE9\n", {CopyRequest::Refuse, "", ""}},
        {"a line ending CR LF", "raise\r\n", {CopyRequest::Refuse, "", ""}},
        {"fields out of order", "raise startup=b activation=a\n", {CopyRequest::Refuse, "", ""}},
        {"a field twice", "raise activation=a activation=b\n", {CopyRequest::Refuse, "", ""}},
        {"an unknown field", "raise display=:0\n", {CopyRequest::Refuse, "", ""}},
        {"two spaces", "raise  activation=a\n", {CopyRequest::Refuse, "", ""}},
        {"another word", "RAISE\n", {CopyRequest::Refuse, "", ""}},
        {"an empty line", "\n", {CopyRequest::Refuse, "", ""}},
        {"no line end yet", "raise activation=tok", {CopyRequest::Incomplete, "", ""}},
        {"nothing yet", "", {CopyRequest::Incomplete, "", ""}},
        {"no line end within the limit",
         "raise activation=" + std::string(fw::kMaxRequestBytes, 'a'),
         {CopyRequest::Refuse, "", ""}},
        {"refused before the limit: a zero byte", std::string(3, '\0'), {CopyRequest::Refuse, "", ""}},
        {"refused before the limit: another start", "lower", {CopyRequest::Refuse, "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fw::CopyRequestParsed parsed = fw::ParseCopyRequest(c.bytes);
        EXPECT_EQ(parsed.request, c.expected.request);
        EXPECT_EQ(parsed.activationToken, c.expected.activationToken);
        EXPECT_EQ(parsed.startupId, c.expected.startupId);
    }
}

// What a later copy sends: a token or id that may not be sent is left out,
// and the line reads back as what was sent.
TEST(SingleCopyRequest, TheLineALaterCopyMakesReadsBack)
{
    const std::string overlong(fw::kMaxCopyTokenBytes + 1, 't');
    EXPECT_EQ(fw::MakeRaiseRequest("", ""), "raise\n");
    EXPECT_EQ(fw::MakeRaiseRequest("tok", "id"), "raise activation=tok startup=id\n");
    EXPECT_EQ(fw::MakeRaiseRequest("with space", "id"), "raise startup=id\n");
    EXPECT_EQ(fw::MakeRaiseRequest(overlong, "new\nline"), "raise\n");
    const fw::CopyRequestParsed parsed = fw::ParseCopyRequest(fw::MakeRaiseRequest("tok", "id_TIME1"));
    EXPECT_EQ(parsed, (fw::CopyRequestParsed {CopyRequest::Raise, "tok", "id_TIME1"}));
}

// Copies meet when their windows would appear on the same display.
TEST(SingleCopyGuardKey, OneDisplayOneKey)
{
    struct Case {
        const char* platform;
        const char* x;
        const char* wayland;
        const char* key;
    };
    const Case cases[] = {
        {"xcb", ":0", "", "x11::0"},
        {"xcb", ":0.0", "", "x11::0"},
        {"xcb", ":0.1", "", "x11::0"},
        {"xcb", "unix:0.0", "", "x11::0"},
        {"xcb", ":1", "", "x11::1"},
        {"xcb", "localhost:10.0", "", "x11:localhost:10"},
        {"xcb", "[::1]:10.0", "", "x11:[::1]:10"},
        {"xcb", ":0", "wayland-0", "x11::0"},
        {"wayland", ":0", "wayland-1", "wayland:wayland-1"},
        {"wayland", "", "", "wayland:wayland-0"},
        {"offscreen", ":0", "wayland-0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.platform) + " " + c.x + " " + c.wayland);
        EXPECT_EQ(fw::DisplayKey(c.platform, c.x, c.wayland), QByteArray(c.key));
    }
}

}  // namespace
