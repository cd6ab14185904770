#pragma once
// Records out: an aligned table for people, with the user's decimal
// separator; JSON (one object per input, one line each) or CSV (a header,
// then one row per input) for programs, with C-locale numbers that read back
// as exactly the doubles the engines computed.

#include "cli/Options.h"
#include "cli/Record.h"

#include <string>
#include <string_view>

namespace cli {

// What the table takes from the user's locale.
struct Style {
    std::string decimalSep = ".";
    bool utf8 = true;  // else "u" stands for the micro sign
};

class Writer {
public:
    Writer(Format format, Style style) : m_format(format), m_style(std::move(style)) {}

    // Appends the record in the writer's form to out.
    void Append(const Record& record, std::string& out);

private:
    Format m_format;
    Style m_style;
    bool m_first = true;
};

// The CSV header line of a record's keys.
void AppendCsvHeader(const Record& record, std::string& out);

// A field's number as the table shows it.
std::string TableNumber(const Field& field, const Style& style);
// Columns a text takes on a terminal (UTF-8 code points).
std::size_t DisplayWidth(std::string_view text);

void AppendDelayTable(const Record& record, const Style& style, std::string& out);

}  // namespace cli
