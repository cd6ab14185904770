#pragma once
// Running a parsed command line: one input, or one per line of standard input,
// streamed in constant memory.

#include "cli/Options.h"
#include "cli/Output.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace cli {

// Computes options.input (or each line read from the file descriptor in when
// it is "-") and writes the answers to out and the failures, one line each,
// to err. Returns the exit status: 0, or a failure's status for a single
// input, or 1 when any line of standard input failed or the output could not
// be written.
// A failed write ends the run at once, with one message.
int Run(const Options& options, const Style& style, int in, std::FILE* out, std::FILE* err);

// A message made safe for a terminal: control bytes, bytes that are no UTF-8
// (or, outside a UTF-8 locale, any byte past ASCII) and the backslash are
// written as \xNN and \\, so that an echoed input can neither set the
// terminal's state nor cut the message short at a NUL.
std::string EscapeForTerminal(std::string_view text, bool utf8);

}  // namespace cli
