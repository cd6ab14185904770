#pragma once
// The command line: which calculator, its input, its options, the output form.
// ParseOptions checks the words and the option values; the command's input
// itself (or each line of standard input) is checked when it is computed.

#include "cli/Record.h"

#include <string>
#include <string_view>
#include <variant>

namespace cli {

enum class Command { Level, Delay, Wave, Help, Version };
enum class Format { Table, Json, Csv };
// The Level quantity given on the command line.
enum class LevelInput { DBu, DBV, DBm, Power, Vrms, Vpp, DBW, DBmV, DBuV, Vpeak };
// What the Delay command is given: a tempo, or the length of a beat.
enum class DelayInput { Bpm, Ms, Samples };

struct Options {
    Command command = Command::Help;
    Format format = Format::Table;
    // The value to compute (a level option's value, the BPM, the frequency or
    // note), or "-": one per line from standard input.
    std::string input;
    std::string decimalSep = ".";  // the user's, also accepted in numbers

    // level
    LevelInput levelInput = LevelInput::DBu;
    double ohms = 600.0;
    bool si = false;   // power in W and voltages in V, not the dialog's units
    bool exp = false;  // power in exponent form, as the dialog's "EXP"
    // A level in dBFS against an alignment: dbfsAt dBFS is dbfsDBu dBu.
    bool hasDbfsRef = false;
    double dbfsAt = 0.0;
    double dbfsDBu = 0.0;

    // delay
    DelayInput delayInput = DelayInput::Bpm;
    bool round = false;  // whole milliseconds, as the dialog's "Round Values"
    double rate = 0.0;   // sample rate in Hz for lengths in samples; 0: none

    // wave
    double a4 = 440.0;
    bool hasTemperature = false;
    double temperature = 0.0;  // degrees Celsius
    bool midi = false;         // the input is a MIDI note number
    bool flats = false;        // note names spelt with flats

    bool Batch() const { return input == "-"; }
};

// A range of accepted values and how a message names it.
struct Range {
    double low;
    double high;
    bool lowOpen;      // low itself is not accepted
    const char* text;  // e.g. "1 to 1000 BPM"

    bool Contains(double v) const { return (lowOpen ? v > low : v >= low) && v <= high; }
};

// The text without the blanks around it, as a line of standard input is read.
std::string_view TrimBlanks(std::string_view text);

// Reads a number for the argument `name`, in the range; the failure names
// both. The text may use '.' or the user's decimal separator.
std::variant<double, Failure> ReadNumber(std::string_view text, const char* name, const Range& range,
                                         std::string_view decimalSep);

std::variant<Options, Failure> ParseOptions(int argc, const char* const* argv, std::string_view decimalSep = ".");

const char* HelpText();
const char* VersionText();

}  // namespace cli
