// The single-copy socket's request on arbitrary bytes, arriving in pieces of
// arbitrary sizes, as a later copy (or anything else that connects) may send
// them.
//
// Input: one byte n, then n % 8 piece sizes (one byte each), then the bytes
// sent; the sizes repeat until everything is sent.
//
// Checked besides "no crash, no undefined behaviour, no hang":
// - the reader never keeps more than kMaxRequestBytes, and wants nothing
//   more once the request is decided;
// - the request is decided by kMaxRequestBytes bytes, and stays as it was
//   decided whatever comes after;
// - the bytes in pieces ask for what they ask for taken whole;
// - Raise only for a request line at the very start, and exactly the line
//   the later copy makes from the token and id it carries (so no other
//   bytes ride along with them).

#include "framework/SingleCopyRequest.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using fw::CopyRequest;
    if (size == 0)
        return 0;
    const std::size_t pieces = data[0] % 8;
    if (size < 1 + pieces)
        return 0;
    const std::uint8_t* sizes = data + 1;
    const std::string_view sent(reinterpret_cast<const char*>(data + 1 + pieces), size - 1 - pieces);

    fw::CopyRequestReader reader;
    std::size_t offered = 0, taken = 0;
    CopyRequest decided = CopyRequest::Incomplete;
    for (std::size_t i = 0; offered < sent.size(); ++i) {
        const std::size_t piece = pieces ? sizes[i % pieces] % 24 + 1 : 1;
        const std::size_t room = reader.Room();
        if (decided != CopyRequest::Incomplete && room != 0)
            Fail("a decided request wants more bytes");
        if (decided == CopyRequest::Incomplete && taken + room != fw::kMaxRequestBytes)
            Fail("room and bytes taken do not add up");
        const std::size_t n = piece < sent.size() - offered ? piece : sent.size() - offered;
        const CopyRequest result = reader.Feed(sent.data() + offered, n);
        if (result != reader.Result())
            Fail("Feed and Result disagree");
        if (decided != CopyRequest::Incomplete && result != decided)
            Fail("a decided request changed");
        taken += n < room ? n : room;
        offered += n;
        decided = result;
    }
    if (taken > fw::kMaxRequestBytes)
        Fail("kept more than the limit");
    if (taken == fw::kMaxRequestBytes && decided == CopyRequest::Incomplete)
        Fail("undecided at the limit");

    // Taken whole, the bytes ask for the same; the reader kept what decided it.
    if (fw::ParseCopyRequest(sent.substr(0, fw::kMaxRequestBytes)) != reader.Parsed())
        Fail("pieces and whole disagree");
    const std::string_view kept = sent.substr(0, taken);
    const fw::CopyRequestParsed parsed = fw::ParseCopyRequest(kept);
    if (parsed != reader.Parsed() || parsed.request != decided)
        Fail("the kept bytes ask for something else");
    if (kept.substr(0, 6) == "raise\n" && decided != CopyRequest::Raise)
        Fail("the older line \"raise\" without Raise");
    if (decided == CopyRequest::Raise) {
        const std::string line = fw::MakeRaiseRequest(parsed.activationToken, parsed.startupId);
        if (kept.substr(0, line.size()) != line)
            Fail("Raise for a line the later copy would not make");
        if ((!parsed.activationToken.empty() && !fw::IsSendableCopyToken(parsed.activationToken))
            || (!parsed.startupId.empty() && !fw::IsSendableCopyToken(parsed.startupId)))
            Fail("a token that may not be sent was taken");
    }
    if (decided != CopyRequest::Raise && parsed != fw::CopyRequestParsed {decided, {}, {}})
        Fail("a refused request carries a token");
    return 0;
}
