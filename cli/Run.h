#pragma once
// Running a parsed command line: one input, or one per line of standard input,
// streamed in constant memory.

#include "cli/Options.h"
#include "cli/Output.h"

#include <cstdio>

namespace cli {

// Computes options.input (or each line read from the file descriptor in when
// it is "-") and writes the answers to out and the failures, one line each,
// to err. Returns the exit status: 0, or a failure's status for a single
// input, or 1 when any line of standard input failed or the output could not
// be written.
int Run(const Options& options, const Style& style, int in, std::FILE* out, std::FILE* err);

}  // namespace cli
