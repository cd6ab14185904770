#include "cli/Run.h"

#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/Numbers.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

namespace cli {

namespace {

// The length of the well-formed UTF-8 character of two bytes or more at the
// start of text, or 0: a stray byte, an overlong form, a surrogate, past
// U+10FFFF, or one of the C1 controls U+0080 to U+009F.
std::size_t Utf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned long low = 0;  // the smallest code point of this length
    unsigned long code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, low = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, low = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, low = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < low || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code <= 0x9F)
        return 0;
    return length;
}

constexpr const char* kProgram = "sonavolta-calc";
// A longer line is no value of ours; it is reported and skipped, so memory
// stays bounded whatever comes in.
constexpr std::size_t kMaxLine = 4096;

void Report(std::FILE* err, const std::string& message, bool utf8)
{
    const std::string line = std::string(kProgram) + ": " + EscapeForTerminal(message, utf8) + "\n";
    std::fwrite(line.data(), 1, line.size(), err);
    std::fflush(err);
}

// Reads lines from a file descriptor through a fixed buffer. Before it waits
// for more input it flushes the output, so that answers to a conversation on
// a pipe come at once, and a file is still read and written in large blocks.
class LineReader {
public:
    LineReader(int fd, std::FILE* out) : m_fd(fd), m_out(out) {}

    // The next line without its end; false at the end of the input. A line
    // over kMaxLine bytes comes back with tooLong set and its text cut.
    bool Next(std::string& line, bool& tooLong)
    {
        line.clear();
        tooLong = false;
        bool any = false;
        for (;;) {
            if (m_pos == m_end) {
                if (m_eof || !Fill())
                    return any;
            }
            any = true;
            const char* start = m_buffer + m_pos;
            const void* newline = std::memchr(start, '\n', m_end - m_pos);
            const std::size_t n = newline ? static_cast<const char*>(newline) - start : m_end - m_pos;
            const std::size_t room = kMaxLine + 1 - std::min(line.size(), kMaxLine + 1);
            line.append(start, std::min(n, room));
            if (line.size() > kMaxLine) {
                tooLong = true;
                line.resize(kMaxLine);
            }
            m_pos += n;
            if (newline) {
                ++m_pos;
                return true;
            }
        }
    }

    bool Failed() const { return m_error != 0; }
    int Error() const { return m_error; }

private:
    bool Fill()
    {
        std::fflush(m_out);
        for (;;) {
            const ssize_t n = ::read(m_fd, m_buffer, sizeof m_buffer);
            if (n > 0) {
                m_pos = 0;
                m_end = std::size_t(n);
                return true;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                m_error = errno;
            m_eof = true;
            return false;
        }
    }

    int m_fd;
    std::FILE* m_out;
    char m_buffer[65536];
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    int m_error = 0;
};

// The output's state: the first failed write is reported, once, and ends the run.
class Output {
public:
    Output(std::FILE* out, std::FILE* err, bool utf8) : m_out(out), m_err(err), m_utf8(utf8) {}

    bool Write(const std::string& text)
    {
        if (!m_failed && std::fwrite(text.data(), 1, text.size(), m_out) != text.size())
            Fail(errno);
        return !m_failed;
    }

    bool Flush()
    {
        if (!m_failed && (std::fflush(m_out) != 0 || std::ferror(m_out)))
            Fail(errno);
        return !m_failed;
    }

    // A write that failed on its own, as when the reader flushed it.
    bool Check()
    {
        if (!m_failed && std::ferror(m_out))
            Fail(errno);
        return !m_failed;
    }

    // An error line after every answer before it, in the order of the input.
    void Report(const std::string& message)
    {
        Flush();
        cli::Report(m_err, message, m_utf8);
    }

private:
    void Fail(int error)
    {
        m_failed = true;
        cli::Report(m_err, Fill(N_("cannot write the output: %1"), {std::strerror(error ? error : EIO)}), m_utf8);
    }

    std::FILE* m_out;
    std::FILE* m_err;
    bool m_utf8;
    bool m_failed = false;
};

// An input that gives the command's keys, for the CSV header of an empty input.
std::string SampleInput(const Options& options)
{
    switch (options.command) {
    case Command::Level: return "1";
    case Command::Delay:
        switch (options.delayInput) {
        case DelayInput::Bpm: return "120";
        case DelayInput::Ms: return "500";
        case DelayInput::Samples: return FormatExact(options.rate / 2.0);  // half a second
        }
        break;
    default: break;
    }
    return options.midi ? "69" : "440";
}

}  // namespace

int Run(const Options& options, const Style& style, int in, std::FILE* out, std::FILE* err)
{
    Writer writer(options.format, style);
    Record record;
    std::string text;
    Output output(out, err, style.utf8);

    if (!options.Batch()) {
        if (auto failure = Compute(options, options.input, record)) {
            output.Report(failure->message);
            return failure->status;
        }
        writer.Append(record, text);
        return output.Write(text) && output.Flush() ? 0 : 1;
    }

    LineReader reader(in, out);
    std::string line;
    bool tooLong = false;
    bool anyBad = false;
    bool anyAnswer = false;
    for (unsigned long number = 1; reader.Next(line, tooLong); ++number) {
        if (!output.Check())
            return 1;
        if (tooLong) {
            output.Report(
                Fill(N_("line %1: longer than %2 bytes"), {std::to_string(number), std::to_string(kMaxLine)}));
            anyBad = true;
            continue;
        }
        const std::string_view value = TrimBlanks(line);
        if (value.empty())
            continue;
        if (auto failure = Compute(options, value, record)) {
            output.Report(Fill(N_("line %1: %2"), {std::to_string(number), failure->message}));
            anyBad = true;
            continue;
        }
        text.clear();
        writer.Append(record, text);
        anyAnswer = true;
        if (!output.Write(text))
            return 1;
    }
    if (reader.Failed()) {
        output.Report(Fill(N_("cannot read standard input: %1"), {std::strerror(reader.Error())}));
        anyBad = true;
    }
    if (!anyAnswer && options.format == Format::Csv) {
        // No rows: the header alone still says what the columns would be.
        const std::string sample = SampleInput(options);
        if (!Compute(options, sample, record)) {
            text.clear();
            AppendCsvHeader(record, text);
            output.Write(text);
        }
    }
    if (!output.Flush())
        return 1;
    return anyBad ? 1 : 0;
}

std::string EscapeForTerminal(std::string_view text, bool utf8)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    const auto escape = [&](unsigned char c) {
        out += "\\x";
        out += hex[c >> 4];
        out += hex[c & 0xf];
    };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = text[i];
        if (c == '\\') {
            out += "\\\\";
            ++i;
        } else if (c < 0x20 || c == 0x7f) {
            escape(c);
            ++i;
        } else if (c < 0x80) {
            out += char(c);
            ++i;
        } else {
            // One whole UTF-8 character that is no control character passes,
            // in a UTF-8 locale; any other byte is shown by its value.
            const std::size_t length = utf8 ? Utf8Length(text.substr(i)) : 0;
            if (length == 0) {
                escape(c);
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
        }
    }
    return out;
}

}  // namespace cli
