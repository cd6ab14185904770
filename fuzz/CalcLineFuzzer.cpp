// sonavolta-calc's handling of one value, as a line of standard input or an
// argument brings it: the first byte picks the command and its options, the
// rest is the value.
//
// Checked besides "no crash, no undefined behaviour":
// - an answer holds only finite numbers, its table never shows a number that
//   is not zero as zero nor a zero with a minus sign, and its JSON and CSV
//   are written;
// - a failure's message, made safe for a terminal, holds no control byte and
//   only whole UTF-8 characters (outside a UTF-8 locale, only ASCII), however
//   the value it echoes is made.

#include "cli/Commands.h"
#include "cli/Output.h"
#include "cli/Run.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Fail(const char* what, std::string_view text)
{
    std::fprintf(stderr, "%s: '%.*s'\n", what, int(text.size()), text.data());
    std::abort();
}

cli::Options Pick(std::uint8_t choice)
{
    cli::Options o;
    switch (choice % 3) {
    case 0:
        o.command = cli::Command::Level;
        o.levelInput = static_cast<cli::LevelInput>((choice / 3) % 10);
        o.si = choice & 0x40;
        o.exp = choice & 0x80;
        o.hasDbfsRef = choice & 0x20;
        o.dbfsAt = -18.0;
        break;
    case 1:
        o.command = cli::Command::Delay;
        o.delayInput = static_cast<cli::DelayInput>((choice / 3) % 3);
        o.rate = o.delayInput == cli::DelayInput::Samples || (choice & 0x40) ? 48000.0 : 0.0;
        o.round = choice & 0x80;
        break;
    default:
        o.command = cli::Command::Wave;
        o.midi = choice & 0x08;
        o.flats = choice & 0x10;
        o.hasTemperature = choice & 0x20;
        o.temperature = -100.0;
        o.a4 = choice & 0x40 ? 300.0 : 440.0;
        break;
    }
    if (choice & 0x04)
        o.decimalSep = ",";
    return o;
}

bool ShowsAsZero(const std::string& text) { return text.find_first_of("123456789") == std::string::npos; }

void CheckSafe(const std::string& text, bool utf8)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = text[i];
        if (c < 0x20 || c == 0x7f)
            Fail("a control byte in a message", text);
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (!utf8)
            Fail("a byte past ASCII outside UTF-8", text);
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size())
            Fail("a broken UTF-8 character in a message", text);
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                Fail("a broken UTF-8 character in a message", text);
        if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)
            Fail("a C1 control in a message", text);
        i += length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > 256)
        return 0;
    const cli::Options options = Pick(data[0]);
    const std::string_view value(reinterpret_cast<const char*>(data + 1), size - 1);
    cli::Record record;
    if (const auto failure = cli::Compute(options, value, record)) {
        CheckSafe(cli::EscapeForTerminal(failure->message, true), true);
        CheckSafe(cli::EscapeForTerminal(failure->message, false), false);
        return 0;
    }
    const cli::Style style;
    for (const cli::Field& f : record.fields) {
        if (f.form == cli::Form::Text || f.form == cli::Form::Missing)
            continue;
        if (!std::isfinite(f.value))
            Fail("a number that is not finite", f.key);
        const std::string shown = cli::TableNumber(f, style);
        if (f.value != 0.0 && f.form != cli::Form::Rounded && ShowsAsZero(shown))
            Fail("a number that is not zero shown as zero", shown);
        if (shown[0] == '-' && ShowsAsZero(shown))
            Fail("a zero with a minus sign", shown);
    }
    std::string out;
    for (const cli::Format format : {cli::Format::Table, cli::Format::Json, cli::Format::Csv}) {
        cli::Writer writer(format, style);
        writer.Append(record, out);
    }
    return 0;
}
