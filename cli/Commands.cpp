#include "cli/Commands.h"
#include "cli/Messages.h"

#include <cmath>

namespace cli {

const char* InputName(const Options& options)
{
    switch (options.command) {
    case Command::Level:
        switch (options.levelInput) {
        case LevelInput::DBu: return "--dbu";
        case LevelInput::DBV: return "--dbv";
        case LevelInput::DBm: return "--dbm";
        case LevelInput::Power: return "--power";
        case LevelInput::Vrms: return "--vrms";
        case LevelInput::Vpp: return "--vpp";
        case LevelInput::DBW: return "--dbw";
        case LevelInput::DBmV: return "--dbmv";
        case LevelInput::DBuV: return "--dbuv";
        case LevelInput::Vpeak: return "--vpeak";
        }
        break;
    case Command::Delay:
        switch (options.delayInput) {
        case DelayInput::Bpm: return "BPM";
        case DelayInput::Ms: return "--ms";
        case DelayInput::Samples: return "--samples";
        }
        break;
    case Command::Wave: return options.midi ? "MIDI" : "FREQUENCY|NOTE";
    default: break;
    }
    return "";
}

std::optional<Failure> Compute(const Options& options, std::string_view input, Record& record)
{
    // Blanks around a value are no part of it, on the command line as on a line read.
    input = TrimBlanks(input);
    record.Clear();
    record.layout = Layout::List;
    std::optional<Failure> failure;
    switch (options.command) {
    case Command::Level: failure = ComputeLevel(options, input, record); break;
    case Command::Delay: failure = ComputeDelay(options, input, record); break;
    case Command::Wave: failure = ComputeWave(options, input, record); break;
    default: return Failure {Failure::Usage, Tr("nothing to compute")};
    }
    if (failure)
        return failure;
    for (const Field& f : record.fields) {
        if (f.form != Form::Text && f.form != Form::Missing && !std::isfinite(f.value))
            return Failure {Failure::OutOfRange,
                            Fill(N_("%1: %2 gives no finite %3"), {InputName(options), input, f.key})};
    }
    return std::nullopt;
}

}  // namespace cli
