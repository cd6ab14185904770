#include "cli/Run.h"

#include "cli/Commands.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

namespace cli {

namespace {

constexpr const char* kProgram = "sonavolta-calc";
// A longer line is no value of ours; it is reported and skipped, so memory
// stays bounded whatever comes in.
constexpr std::size_t kMaxLine = 4096;

void Report(std::FILE* err, const std::string& message) { std::fprintf(err, "%s: %s\n", kProgram, message.c_str()); }

std::string_view Trim(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
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

bool Flush(std::FILE* out, std::FILE* err)
{
    if (std::fflush(out) != 0 || std::ferror(out)) {
        Report(err, std::string("cannot write the output: ") + std::strerror(errno));
        return false;
    }
    return true;
}

}  // namespace

int Run(const Options& options, const Style& style, int in, std::FILE* out, std::FILE* err)
{
    Writer writer(options.format, style);
    Record record;
    std::string text;

    if (!options.Batch()) {
        if (auto failure = Compute(options, options.input, record)) {
            Report(err, failure->message);
            return failure->status;
        }
        writer.Append(record, text);
        std::fwrite(text.data(), 1, text.size(), out);
        return Flush(out, err) ? 0 : 1;
    }

    LineReader reader(in, out);
    std::string line;
    bool tooLong = false;
    bool anyBad = false;
    for (unsigned long number = 1; reader.Next(line, tooLong); ++number) {
        if (tooLong) {
            Report(err, "line " + std::to_string(number) + ": longer than " + std::to_string(kMaxLine) + " bytes");
            anyBad = true;
            continue;
        }
        const std::string_view value = Trim(line);
        if (value.empty())
            continue;
        if (auto failure = Compute(options, value, record)) {
            Report(err, "line " + std::to_string(number) + ": " + failure->message);
            anyBad = true;
            continue;
        }
        text.clear();
        writer.Append(record, text);
        std::fwrite(text.data(), 1, text.size(), out);
    }
    if (reader.Failed()) {
        Report(err, std::string("cannot read standard input: ") + std::strerror(reader.Error()));
        anyBad = true;
    }
    if (!Flush(out, err))
        return 1;
    return anyBad ? 1 : 0;
}

}  // namespace cli
