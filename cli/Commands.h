#pragma once
// The three calculators for one input each: the input text is checked, handed
// to the engine, and the results put in a record in the order the table
// shows them. A failure names the argument and the accepted range.

#include "cli/Options.h"
#include "cli/Record.h"

#include <optional>
#include <string_view>

namespace cli {

// The name under which messages refer to the command's input.
const char* InputName(const Options& options);

std::optional<Failure> ComputeLevel(const Options& options, std::string_view input, Record& record);
std::optional<Failure> ComputeDelay(const Options& options, std::string_view input, Record& record);
std::optional<Failure> ComputeWave(const Options& options, std::string_view input, Record& record);

// The one of the three that options.command names, and a last guard: a
// result that is not a finite number is a failure, never an answer.
std::optional<Failure> Compute(const Options& options, std::string_view input, Record& record);

// Twelve-tone equal temperament: note index 0 is C0, 57 is A4, 119 is B9.
constexpr int kNoteCount = 120;
constexpr int kA4Index = 57;
double NoteFrequency(int index, double a4);
std::string NoteName(int index);
// The index of a name as the pitch table writes it (C, C#, D, ... B and an
// octave 0 to 9; letters in either case), or nullopt.
std::optional<int> ParseNoteName(std::string_view text);

}  // namespace cli
