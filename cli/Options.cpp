#include "cli/Options.h"

#include "cli/Messages.h"
#include "cli/Numbers.h"

#include "calc/level/LevelModel.h"

#include <cmath>
#include <optional>
#include <vector>

namespace cli {

namespace {

constexpr Range kOhmsRange {0.0, 10000000.0, true, N_("above 0 up to 10000000 ohms")};
constexpr Range kA4Range {300.0, 600.0, false, N_("300 to 600 Hz")};
constexpr Range kTemperatureRange {-100.0, 100.0, false, N_("-100 to 100 degrees Celsius")};
constexpr Range kRateRange {1.0, 1000000.0, false, N_("1 to 1000000 Hz")};
constexpr Range kDbfsRange {-200.0, 0.0, false, N_("-200 to 0 dBFS")};
constexpr Range kAlignmentRange {-200.0, 200.0, false, N_("-200 to 200 dB")};

enum class Takes { Nothing, Value };

struct OptionSpec {
    const char* longName;  // without "--"
    char shortName;        // 0: none
    Takes takes;
    // The command it belongs to; Help for the options every command takes.
    Command command;
};

constexpr OptionSpec kOptions[] = {
    {"help", 'h', Takes::Nothing, Command::Help},   {"version", 'V', Takes::Nothing, Command::Help},
    {"json", 'j', Takes::Nothing, Command::Help},   {"csv", 'c', Takes::Nothing, Command::Help},
    {"dbu", 0, Takes::Value, Command::Level},       {"dbv", 0, Takes::Value, Command::Level},
    {"dbm", 0, Takes::Value, Command::Level},       {"dbw", 0, Takes::Value, Command::Level},
    {"dbmv", 0, Takes::Value, Command::Level},      {"dbuv", 0, Takes::Value, Command::Level},
    {"power", 'p', Takes::Value, Command::Level},   {"vrms", 0, Takes::Value, Command::Level},
    {"vpeak", 0, Takes::Value, Command::Level},     {"vpp", 0, Takes::Value, Command::Level},
    {"ohms", 'o', Takes::Value, Command::Level},    {"si", 0, Takes::Nothing, Command::Level},
    {"exp", 'e', Takes::Nothing, Command::Level},   {"dbfs-ref", 0, Takes::Value, Command::Level},
    {"round", 'r', Takes::Nothing, Command::Delay}, {"rate", 0, Takes::Value, Command::Delay},
    {"ms", 0, Takes::Value, Command::Delay},        {"samples", 0, Takes::Value, Command::Delay},
    {"a4", 'a', Takes::Value, Command::Wave},       {"temp", 't', Takes::Value, Command::Wave},
    {"midi", 'm', Takes::Nothing, Command::Wave},   {"flats", 'f', Takes::Nothing, Command::Wave},
};

// The level quantities, in the order messages list them.
struct LevelOption {
    const char* longName;
    LevelInput input;
};
constexpr LevelOption kLevelOptions[] = {
    {"dbu", LevelInput::DBu},     {"dbv", LevelInput::DBV},   {"dbm", LevelInput::DBm},     {"dbw", LevelInput::DBW},
    {"dbmv", LevelInput::DBmV},   {"dbuv", LevelInput::DBuV}, {"power", LevelInput::Power}, {"vrms", LevelInput::Vrms},
    {"vpeak", LevelInput::Vpeak}, {"vpp", LevelInput::Vpp},
};
constexpr const char* kLevelOptionList = "--dbu, --dbv, --dbm, --dbw, --dbmv, --dbuv, --power, --vrms, --vpeak, --vpp";

Failure Usage(std::string message) { return Failure {Failure::Usage, Fill(N_("%1 (see --help)"), {message})}; }

// A long option by its name or by a beginning that only one name has, among
// the options of the command when one is known ("--m" is --midi for wave).
std::variant<const OptionSpec*, Failure> FindLong(std::string_view name, const std::string& written,
                                                  std::optional<Command> command)
{
    std::vector<const OptionSpec*> candidates;
    for (const OptionSpec& o : kOptions) {
        if (name == o.longName)
            return &o;
        const bool ofCommand = !command || o.command == Command::Help || o.command == *command;
        if (!name.empty() && ofCommand && std::string_view(o.longName).starts_with(name))
            candidates.push_back(&o);
    }
    if (candidates.size() == 1)
        return candidates.front();
    if (candidates.empty())
        return Usage(Fill(N_("unknown option '%1'"), {written}));
    std::string names;
    for (const OptionSpec* o : candidates)
        names += std::string(names.empty() ? "" : ", ") + "--" + o->longName;
    return Usage(Fill(N_("option '%1' is ambiguous: %2"), {written, names}));
}

const OptionSpec* FindShort(char name)
{
    for (const OptionSpec& o : kOptions)
        if (o.shortName != 0 && o.shortName == name)
            return &o;
    return nullptr;
}

std::optional<Command> FindCommand(std::string_view word)
{
    if (word == "level")
        return Command::Level;
    if (word == "delay")
        return Command::Delay;
    if (word == "wave")
        return Command::Wave;
    return std::nullopt;
}

const char* CommandName(Command c)
{
    switch (c) {
    case Command::Level: return "level";
    case Command::Delay: return "delay";
    case Command::Wave: return "wave";
    default: return "";
    }
}

// "-5" and "-.5" are negative numbers, not options.
bool LooksNumeric(std::string_view arg)
{
    return arg.size() > 1 && arg[0] == '-' && ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.' || arg[1] == ',');
}

struct Given {
    const OptionSpec* spec;
    std::string name;  // as written, for messages
    std::string value;
};

std::optional<Failure> ReadInto(const Given& g, const Range& range, std::string_view decimalSep, double& out)
{
    auto r = ReadNumber(g.value, ("--" + std::string(g.spec->longName)).c_str(), range, decimalSep);
    if (auto* f = std::get_if<Failure>(&r))
        return *f;
    out = std::get<double>(r);
    return std::nullopt;
}

// "-18:0dBu": -18 dBFS is 0 dBu (a level in dBV is taken as well).
std::optional<Failure> ReadAlignment(std::string_view text, std::string_view decimalSep, Options& options)
{
    const auto bad = [&] {
        return Failure {
            Failure::Usage,
            Fill(N_("--dbfs-ref: '%1' is no alignment such as -18:0dBu (DBFS:LEVEL, LEVEL in dBu or dBV)"), {text})};
    };
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return bad();
    const std::optional<double> at = ParseNumber(TrimBlanks(text.substr(0, colon)), decimalSep);
    std::string_view level = TrimBlanks(text.substr(colon + 1));
    // A level in dBV is one in dBu less the level of 1 V in dBu, as the engine relates them.
    double dBuOverLevel = 0.0;
    if (level.ends_with("dBV")) {
        dBuOverLevel = -20.0 * std::log10(CLevelModel::kDBuRef);
        level.remove_suffix(3);
    } else if (level.ends_with("dBu")) {
        level.remove_suffix(3);
    }
    level = TrimBlanks(level);
    const std::optional<double> dB = ParseNumber(level, decimalSep);
    if (!at || !dB)
        return bad();
    if (!kDbfsRange.Contains(*at) || !kAlignmentRange.Contains(*dB))
        return Failure {Failure::OutOfRange, Fill(N_("--dbfs-ref: %1 is out of range (%2 at %3)"),
                                                  {text, Tr(kDbfsRange.text), Tr(kAlignmentRange.text)})};
    options.hasDbfsRef = true;
    options.dbfsAt = *at;
    options.dbfsDBu = *dB + dBuOverLevel;
    return std::nullopt;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::variant<double, Failure> ReadNumber(std::string_view text, const char* name, const Range& range,
                                         std::string_view decimalSep)
{
    const std::optional<double> value = ParseNumber(TrimBlanks(text), decimalSep);
    if (!value)
        return Failure {Failure::Usage, Fill(N_("%1: '%2' is not a number (%3)"), {name, text, Tr(range.text)})};
    if (!range.Contains(*value))
        return Failure {Failure::OutOfRange, Fill(N_("%1: %2 is out of range (%3)"), {name, text, Tr(range.text)})};
    return *value;
}

std::variant<Options, Failure> ParseOptions(int argc, const char* const* argv, std::string_view decimalSep)
{
    std::vector<Given> given;
    std::vector<std::string> words;
    bool optionsEnd = false;
    std::optional<Command> named;  // the first word that names a command, to tell shortened options apart
    for (int i = 1; i < argc && !named; ++i)
        named = FindCommand(argv[i]);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnd || arg == "-" || arg.size() < 2 || arg[0] != '-' || LooksNumeric(arg)) {
            words.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        // The options of this word: one long one, or short ones run together
        // ("-rj"), the last of which may take the rest of the word as its value.
        std::vector<std::pair<const OptionSpec*, std::string>> found;  // with the name as written
        std::optional<std::string> inlineValue;
        if (arg.starts_with("--")) {
            const std::size_t eq = arg.find('=');
            const std::string name(arg.substr(0, eq));
            auto spec = FindLong(std::string_view(name).substr(2), name, named);
            if (auto* f = std::get_if<Failure>(&spec))
                return *f;
            found.emplace_back(std::get<const OptionSpec*>(spec), name);
            if (eq != std::string_view::npos)
                inlineValue = std::string(arg.substr(eq + 1));
            if (inlineValue && found.back().first->takes == Takes::Nothing)
                return Usage(name + " takes no value");
        } else {
            for (std::size_t k = 1; k < arg.size(); ++k) {
                const std::string name = "-" + std::string(1, arg[k]);
                const OptionSpec* spec = FindShort(arg[k]);
                if (!spec)
                    return Usage(Fill(N_("unknown option '%1'"), {k == 1 ? std::string(arg) : name}));
                found.emplace_back(spec, name);
                if (spec->takes == Takes::Value) {
                    if (k + 1 < arg.size())
                        inlineValue = std::string(arg.substr(k + 1));
                    break;
                }
            }
        }
        for (auto& [spec, name] : found) {
            Given g {spec, name, {}};
            if (spec->takes == Takes::Value) {
                if (inlineValue) {
                    g.value = *inlineValue;
                } else if (i + 1 < argc) {
                    g.value = argv[++i];
                } else {
                    return Usage(name + " needs a value");
                }
            }
            given.push_back(std::move(g));
        }
    }

    Options options;
    options.decimalSep = std::string(decimalSep);
    for (const Given& g : given) {
        if (g.spec->longName == std::string_view("help")) {
            options.command = Command::Help;
            return options;
        }
    }
    for (const Given& g : given) {
        if (g.spec->longName == std::string_view("version")) {
            options.command = Command::Version;
            return options;
        }
    }

    if (words.empty())
        return Usage(Tr("missing command: level, delay or wave"));
    const std::optional<Command> command = FindCommand(words.front());
    if (!command)
        return Usage(Fill(N_("unknown command '%1': level, delay or wave"), {words.front()}));
    options.command = *command;
    words.erase(words.begin());

    bool levelInputGiven = false;
    bool lengthGiven = false;
    for (const Given& g : given) {
        const std::string_view name = g.spec->longName;
        if (g.spec->command != Command::Help && g.spec->command != options.command)
            return Usage(g.name + " is not an option of " + CommandName(options.command));
        std::optional<Failure> failure;
        if (name == "json" || name == "csv") {
            const Format format = name == "json" ? Format::Json : Format::Csv;
            if (options.format != Format::Table && options.format != format)
                return Usage("--json and --csv exclude each other");
            options.format = format;
        } else if (name == "ohms") {
            failure = ReadInto(g, kOhmsRange, decimalSep, options.ohms);
        } else if (name == "a4") {
            failure = ReadInto(g, kA4Range, decimalSep, options.a4);
        } else if (name == "temp") {
            failure = ReadInto(g, kTemperatureRange, decimalSep, options.temperature);
            options.hasTemperature = true;
        } else if (name == "rate") {
            failure = ReadInto(g, kRateRange, decimalSep, options.rate);
        } else if (name == "dbfs-ref") {
            failure = ReadAlignment(g.value, decimalSep, options);
        } else if (name == "si") {
            options.si = true;
        } else if (name == "exp") {
            options.exp = true;
        } else if (name == "round") {
            options.round = true;
        } else if (name == "midi") {
            options.midi = true;
        } else if (name == "flats") {
            options.flats = true;
        } else if (name == "ms" || name == "samples") {
            if (lengthGiven)
                return Usage(Tr("give one of --ms, --samples"));
            lengthGiven = true;
            options.delayInput = name == "ms" ? DelayInput::Ms : DelayInput::Samples;
            options.input = g.value;
        } else {
            // One of the level quantities.
            if (levelInputGiven)
                return Usage(Fill(N_("give one of %1"), {kLevelOptionList}));
            levelInputGiven = true;
            for (const LevelOption& l : kLevelOptions)
                if (name == l.longName)
                    options.levelInput = l.input;
            options.input = g.value;
        }
        if (failure)
            return *failure;
    }

    if (options.command == Command::Level) {
        if (!words.empty())
            return Usage(Fill(N_("level takes no argument '%1'; its value goes with its option"), {words.front()}));
        if (!levelInputGiven)
            return Usage(Fill(N_("level needs one of %1"), {kLevelOptionList}));
    } else if (lengthGiven) {
        if (!words.empty())
            return Usage(Fill(N_("delay takes no BPM '%1' with a length; give one or the other"), {words.front()}));
        if (options.delayInput == DelayInput::Samples && options.rate == 0.0)
            return Usage(Tr("--samples needs --rate, the sample rate in Hz"));
    } else {
        const char* what = options.command == Command::Delay ? "BPM"
                           : options.midi                    ? Tr("a MIDI note number")
                                                             : Tr("FREQUENCY or NOTE");
        if (words.empty())
            return Usage(Fill(N_("%1 needs %2 (or - for standard input)"), {CommandName(options.command), what}));
        if (words.size() > 1)
            return Usage(Fill(N_("%1 takes one %2, not '%3' too"), {CommandName(options.command), what, words[1]}));
        options.input = words.front();
    }
    return options;
}

const char* HelpText()
{
    return Tr(R"(Usage: sonavolta-calc COMMAND [OPTION]... [VALUE]
The Sonavolta calculators on the command line.

  level --dbu X | --dbv X | --dbm X | --dbw X | --dbmv X | --dbuv X
      | --power X[UNIT] | --vrms X[UNIT] | --vpeak X[UNIT] | --vpp X[UNIT]
        every quantity of the Level calculator: dBu, dBV, dBm, power, RMS and
        peak-to-peak voltage, in the units the calculator would choose, and
        dBW, dBmV, dBuV and the peak voltage
          -p X[UNIT]       the same as --power X[UNIT]
          -o, --ohms R     load impedance in ohms (default 600)
              --si         power in W and voltages in V
          -e, --exp        power in exponent form
              --dbfs-ref DBFS:LEVEL
                           a dBFS line, DBFS being LEVEL (dBu or dBV),
                           e.g. -18:0dBu
        UNIT: nW uW mW W kW MW GW for the power, nV uV mV V kV MV for
        voltages (u or the micro sign); none means W or V. dBu, dBV, dBm
        -200 to 200.
  delay BPM | --ms LENGTH | --samples LENGTH
        the 4/4 and 3/4 bar and the notes 1/1 to 1/128, plain, dotted and
        triplet, in ms and Hz; BPM 1 to 1000, or the length of a beat
          -r, --round      whole milliseconds (and samples)
              --rate HZ    the lengths in samples too, at this sample rate
              --ms LENGTH  the tempo of a beat this many ms long
              --samples LENGTH
                           the tempo of a beat this many samples long (--rate)
  wave FREQUENCY|NOTE
        period, wavelength (m, cm, ft) and their halves, and the nearest
        note with its MIDI number and its deviation in cents; FREQUENCY
        0.0001 to 100000 Hz (or with Hz or kHz), NOTE C-1 to B10 (sharps
        as # or the sharp sign, flats as b or the flat sign: C#4, Bb3)
          -a, --a4 HZ      concert pitch, 300 to 600 Hz (default 440)
          -t, --temp C     air temperature in degrees Celsius, -100 to 100
                           (default: the Wave calculator's 343.3 m/s)
          -m, --midi       the value is a MIDI note number, 0 to 127
          -f, --flats      note names with flats (default sharps)

A value of - reads one value per line from standard input.
Long options may be shortened where no other begins the same way, and
short ones run together (-rj).

Output:
  -j, --json       one JSON object per input, C-locale numbers
  -c, --csv        a header and one row per input, C-locale numbers
  -h, --help       show this help and exit
  -V, --version    show the version and exit

Exit status: 0 answered; 1 a value out of range (or, reading standard input,
any bad line), or the output could not be written; 2 a usage error.
)");
}

const char* VersionText() { return "sonavolta-calc (Sonavolta) " SONAVOLTA_VERSION "\n"; }

}  // namespace cli
