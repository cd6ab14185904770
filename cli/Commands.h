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

// Twelve-tone equal temperament: note index 0 is C0, 57 is A4, 119 is B9;
// the pitch table has these 120. Notes are named from C-1 (MIDI note 0) to
// B10, past the top of the audio band.
constexpr int kNoteCount = 120;
constexpr int kA4Index = 57;
constexpr int kLowestNote = -12;   // C-1
constexpr int kHighestNote = 131;  // B10
constexpr int kMidiOffset = 12;    // MIDI note number of index 0, C0
constexpr int kHighestMidi = 127;  // G9
double NoteFrequency(int index, double a4);
// "C#4", or with flats "Db4"; octave -1 is written "C-1".
std::string NoteName(int index, bool flats = false);
// The same, from C-1 to B10, kept for the life of the program.
std::string_view NoteNameView(int index, bool flats);
// The index of a note name: a letter C D E F G A B in either case, one sharp
// ('#' or U+266F) or flat ('b' or U+266D) or none, and an octave from -1;
// enharmonic names such as B#3 (C4), Cb4 (B3) and E#4 (F4) are read too.
// nullopt for anything else; the index may lie outside C-1 to B10.
std::optional<int> ParseNoteName(std::string_view text);

}  // namespace cli
